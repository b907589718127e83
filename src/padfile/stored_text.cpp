// Turning page texts into the stored form and back.
#include "padfile/stored_text.h"

#include "text/bytes.h"

std::string EncodePageText(std::string_view fieldText) {
    std::string stored;
    stored.reserve(fieldText.size() + fieldText.size() / 16);
    for (std::size_t i = 0; i < fieldText.size(); ++i) {
        const char c = fieldText[i];
        if (c == '\r' || c == '\n') {
            stored += LineBreakMark;
            if (c == '\r' && i + 1 < fieldText.size() && fieldText[i + 1] == '\n') {
                ++i;
            }
        } else if (c != '\x1a') {
            stored += c;
        }
    }
    return stored;
}

std::string DecodePageText(std::string_view storedText) {
    return ReplaceAll(storedText, LineBreakMark, "\r\n");
}

bool BreaksFileLine(std::string_view text) {
    return FindControlByte(text, 0, ControlBit('\r') | ControlBit('\x1a')) !=
           std::string_view::npos;
}
