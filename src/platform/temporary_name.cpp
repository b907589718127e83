// The form of the names that the file layer gives the files of its saves before they take
// the pad's place.
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

std::string FinishedNameFor(std::string_view temporary) {
    return std::string(temporary.substr(0, temporary.size() - 4)) + ".done";
}

std::string ReplacedNameFor(std::string_view temporary) {
    return std::string(temporary.substr(0, temporary.size() - 4)) + ".old";
}

LeftoverKind KindOfLeftover(std::string_view entry, std::string_view name) {
    if (!SkipText(entry, name) || !SkipText(entry, ".") || !SkipDigits(entry) ||
        !SkipText(entry, "-") || !SkipDigits(entry)) {
        return LeftoverKind::None;
    }
    return entry == ".tmp"    ? LeftoverKind::Partial
           : entry == ".done" ? LeftoverKind::Whole
           : entry == ".old"  ? LeftoverKind::Replaced
                              : LeftoverKind::None;
}
