// The pages file "Quillpad.qpd" as bytes: reading, preparing and taking it apart.
#pragma once

#include <string>
#include <string_view>
#include <vector>

extern const char* const PagesFileName;
extern const char* const PositionHeading;
extern const char* const MarkerLine;

// Paths and names are UTF-8, so that folders of any name can be worked in.
bool IsFolder(const std::string& path);
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, std::string_view bytes);
// Puts the bytes in the file's place as sync clients do: written whole under another name in
// the same folder, then renamed over the file.
void ReplaceByRename(const std::string& path, std::string_view bytes);
// The names in a folder, "." and ".." left out.
std::vector<std::string> NamesIn(const std::string& folder);

// A whole number as the program writes it: a blank before 0 and above, "-" below.
std::string NumberText(long value);
std::string PositionLine(long left, long top);

// A pages file in the form the program writes; pages in stored form.
std::string PagesFile(std::string_view header, std::string_view positionLine,
                      const std::vector<std::string>& pages);

// The parts of a file in the written form; the scenario fails when it is not in that form.
struct PagesFileParts {
    std::string header;
    std::string positionLine;
    std::string versionsLine; // empty when the pad has none
    long left = 0;
    long top = 0;
    std::vector<std::string> pages;
};
PagesFileParts SplitPagesFile(std::string_view bytes);
