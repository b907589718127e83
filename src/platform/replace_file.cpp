// A replace whose caller has no use for the file replaced.
#include "platform/files.h"

bool ReplaceFileWith(const char* name, const PieceSource& next) {
    std::string replaced;
    const bool done = ReplaceFileKeepingOld(name, next, replaced);
    if (!replaced.empty()) {
        RemoveFile(replaced.c_str());
    }
    return done;
}
