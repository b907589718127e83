// Telling a sync client's conflicted copy of the pad by its name.
#include "sync/copy_names.h"

#include <string>

namespace {

// Names are compared as Windows compares them, in any case; the parts that matter are ASCII.
std::string AsciiLower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return lower;
}

} // namespace

bool IsConflictedCopyName(std::string_view entry, std::string_view padName) {
    const std::string name = AsciiLower(entry);
    const std::string pad = AsciiLower(padName);
    const std::string stem = pad.substr(0, pad.size() - (pad.ends_with(".qpd") ? 4 : 0));
    return name != pad && name.starts_with(stem) && name.ends_with(".qpd") &&
           name.find("conflict", stem.size()) != std::string::npos;
}
