// The pages file "Quillpad.qpd" as bytes: reading, preparing and taking it apart.
#include "pages_file.h"

#include "check.h"
#include "platform/wide_text.h"

#include <windows.h>

#include <cstdlib>

const char* const PagesFileName = "Quillpad.qpd";
const char* const PositionHeading =
    "[Position] This tells us where the position of the window was last time we closed the "
    "program.";
const char* const MarkerLine =
    "[Pages Start Under This Line!] The Character Sequence <&CR&> replaces any Character "
    "Return/LineFeed characters.";

bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Read the way a backup tool or an indexer would, so that the program can go on replacing
// the file meanwhile; a file being replaced at this very moment is tried again. That
// includes a file not found: Wine's ReplaceFile moves the old file away a few
// milliseconds before the new one takes its name.
std::string ReadBytes(const std::string& path) {
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 50 && file == INVALID_HANDLE_VALUE; ++attempt) {
        file = CreateFileW(Wide(path).c_str(), GENERIC_READ,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_SHARING_VIOLATION &&
            GetLastError() != ERROR_FILE_NOT_FOUND) {
            break;
        }
        if (file == INVALID_HANDLE_VALUE) {
            Sleep(10);
        }
    }
    if (file == INVALID_HANDLE_VALUE) {
        Fail("cannot open " + path + " (error " + std::to_string(GetLastError()) + ")");
    }
    std::string bytes;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        bytes.append(buffer, got);
    }
    CloseHandle(file);
    return bytes;
}

void WriteBytes(const std::string& path, std::string_view bytes) {
    HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        Fail("cannot create " + path);
    }
    DWORD written = 0;
    const bool whole =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size();
    CloseHandle(file);
    Expect(whole, "cannot write " + path);
}

void ReplaceByRename(const std::string& path, std::string_view bytes) {
    const std::string incoming = path + ".incoming";
    WriteBytes(incoming, bytes);
    Expect(MoveFileExW(Wide(incoming).c_str(), Wide(path).c_str(), MOVEFILE_REPLACE_EXISTING) != 0,
           "cannot rename " + incoming + " over " + path);
}

std::vector<std::string> NamesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(Wide(folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        const std::string name = Utf8(found.cFileName);
        if (name != "." && name != "..") {
            names.push_back(name);
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

std::string NumberText(long value) {
    std::string text = value < 0 ? "" : " ";
    return text.append(std::to_string(value));
}

std::string PositionLine(long left, long top) {
    return NumberText(left) + " " + NumberText(top);
}

std::string PagesFile(std::string_view header, std::string_view positionLine,
                      const std::vector<std::string>& pages) {
    std::string bytes = std::string(header) + "\r\n\r\n" + PositionHeading + "\r\n" +
                        std::string(positionLine) + "\r\n\r\n" + MarkerLine + "\r\n";
    for (const std::string& page : pages) {
        bytes += page + "\r\n";
    }
    return bytes;
}

PagesFileParts SplitPagesFile(std::string_view bytes) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (;;) {
        const size_t end = bytes.find("\r\n", start);
        if (end == std::string_view::npos) {
            break;
        }
        lines.emplace_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    const std::string whole = Visible(bytes);
    Expect(start == bytes.size(), "the pages file does not end with CR LF: " + whole);
    // A pad that has met another version of itself names those it grew from before the
    // marker; the pages are read past that line.
    if (lines.size() >= 8 && lines[5].rfind("[Versions]", 0) == 0) {
        lines.erase(lines.begin() + 5);
    }
    Expect(lines.size() >= 7, "the pages file has fewer than seven lines: " + whole);
    Expect(lines[1].empty() && lines[2] == PositionHeading && lines[4].empty() &&
               lines[5] == MarkerLine,
           "the pages file's fixed lines are not as written by the program: " + whole);
    PagesFileParts parts;
    parts.header = lines[0];
    parts.positionLine = lines[3];
    // The written form: number text, a blank, number text.
    const std::string& position = parts.positionLine;
    const size_t split = position.find(' ', 1);
    Expect(split != std::string::npos && split + 1 < position.size(),
           "the position line is not two numbers: " + Visible(position));
    char* rest = nullptr;
    parts.left = std::strtol(position.c_str(), &rest, 10);
    parts.top = std::strtol(position.c_str() + split + 1, &rest, 10);
    Expect(position == PositionLine(parts.left, parts.top),
           "the position line is not in the written form: " + Visible(position));
    parts.pages.assign(lines.begin() + 6, lines.end());
    return parts;
}
