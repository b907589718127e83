// The form of the names that the file layer gives the temporary files of its saves.
#include "platform/files.h"

namespace {

// One or more digits, then the rest must follow.
bool SkipDigits(std::string_view& text) {
    std::size_t digits = 0;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') {
        ++digits;
    }
    text.remove_prefix(digits);
    return digits > 0;
}

bool SkipText(std::string_view& text, std::string_view expected) {
    if (text.substr(0, expected.size()) != expected) {
        return false;
    }
    text.remove_prefix(expected.size());
    return true;
}

} // namespace

std::string TemporaryNameFor(std::string_view name, unsigned long process, unsigned count) {
    return std::string(name) + "." + std::to_string(process) + "-" + std::to_string(count) + ".tmp";
}

bool IsTemporaryNameFor(std::string_view entry, std::string_view name) {
    return SkipText(entry, name) && SkipText(entry, ".") && SkipDigits(entry) &&
           SkipText(entry, "-") && SkipDigits(entry) && entry == ".tmp";
}
