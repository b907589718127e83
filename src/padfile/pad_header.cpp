// The pages file's header values in memory.
#include "padfile/pad_header.h"

#include "padfile/pad_state.h"

const char* const PagesFileName = "Quillpad.qpd";

std::string FileHeader;
std::int32_t WindowLeft = 0;
std::int32_t WindowTop = 0;
std::int32_t NoStoredPosition = 0;

FileHeaderValues HeaderNow() {
    FileHeaderValues header;
    header.header = FileHeader;
    header.left = WindowLeft;
    header.top = WindowTop;
    header.utf8 = SaveState.utf8;
    header.utf8Mark = SaveState.utf8Mark;
    return header;
}

void UseHeader(const FileHeaderValues& values) {
    FileHeader = values.header;
    SaveState.utf8 = values.utf8;
    SaveState.utf8Mark = values.utf8Mark;
    WindowLeft = values.left;
    WindowTop = values.top;
    if (values.noStoredPosition == 1) {
        NoStoredPosition = 1;
    }
}

bool SameHeader(const FileHeaderValues& a, const FileHeaderValues& b) {
    return a.header == b.header && a.left == b.left && a.top == b.top && a.utf8 == b.utf8 &&
           a.utf8Mark == b.utf8Mark;
}
