// The in-memory template of a dialog window without controls, laid out as the dialog
// manager reads it.
#include "app/dialog_template.h"

namespace {

// The dialog manager reads UTF-16; the texts here are ASCII, anything else becomes '?'.
void AppendText(std::vector<std::uint16_t>& words, std::string_view text) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        words.push_back(byte < 0x80 ? byte : u'?');
    }
    words.push_back(0);
}

void AppendLong(std::vector<std::uint16_t>& words, std::uint32_t value) {
    words.push_back(static_cast<std::uint16_t>(value & 0xFFFF));
    words.push_back(static_cast<std::uint16_t>(value >> 16));
}

} // namespace

std::vector<std::uint16_t> DialogTemplateWords(const DialogTemplateFields& fields) {
    std::vector<std::uint16_t> words;
    AppendLong(words, fields.style);
    AppendLong(words, fields.extendedStyle);
    words.push_back(0); // no controls in the template
    for (const std::int16_t value : {fields.x, fields.y, fields.width, fields.height}) {
        words.push_back(static_cast<std::uint16_t>(value));
    }
    words.push_back(0); // no menu
    words.push_back(0); // the standard dialog class
    AppendText(words, fields.caption);
    if (!fields.fontName.empty()) {
        words.push_back(fields.pointSize);
        AppendText(words, fields.fontName);
    }
    return words;
}
