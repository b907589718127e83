// Finding, cutting into fields, replacing and trimming byte strings.
#include "text/bytes.h"

namespace {

// Number of non-overlapping occurrences of d in s, found from the left.
long long CountOccurrences(std::string_view s, std::string_view d) {
    long long count = 0;
    for (std::size_t at = s.find(d); at != std::string_view::npos; at = s.find(d, at + d.size())) {
        ++count;
    }
    return count;
}

} // namespace

std::size_t FindText(std::string_view s, std::string_view t, std::size_t start) {
    if (start == 0) {
        start = 1;
    }
    if (s.empty() || start > s.size()) {
        return 0;
    }
    if (t.empty()) {
        return start;
    }
    const std::size_t at = s.find(t, start - 1);
    return at == std::string_view::npos ? 0 : at + 1;
}

std::string FieldOf(std::string_view s, std::string_view delimiter, int n) {
    if (delimiter.empty()) {
        return n == 1 || n == -1 ? std::string(s) : std::string();
    }
    long long wanted = n;
    if (n < 0) {
        wanted = CountOccurrences(s, delimiter) + 1 + n + 1;
    }
    if (wanted < 1) {
        return std::string();
    }
    std::size_t fieldStart = 0;
    for (long long field = 1; field < wanted; ++field) {
        const std::size_t at = s.find(delimiter, fieldStart);
        if (at == std::string_view::npos) {
            return std::string();
        }
        fieldStart = at + delimiter.size();
    }
    const std::size_t end = s.find(delimiter, fieldStart);
    return std::string(
        s.substr(fieldStart, end == std::string_view::npos ? s.npos : end - fieldStart));
}

std::string ReplaceAll(std::string_view s, std::string_view sought, std::string_view replacement) {
    if (sought.empty()) {
        return std::string(s);
    }
    std::string result;
    result.reserve(s.size());
    std::size_t from = 0;
    for (std::size_t at = s.find(sought); at != std::string_view::npos; at = s.find(sought, from)) {
        result.append(s.substr(from, at - from));
        result.append(replacement);
        from = at + sought.size();
    }
    result.append(s.substr(from));
    return result;
}

std::string TrimBlanks(std::string_view s) {
    const std::size_t first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return std::string();
    }
    const std::size_t last = s.find_last_not_of(' ');
    return std::string(s.substr(first, last - first + 1));
}
