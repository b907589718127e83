// Further steps and looks for the navigation, command, stamp and help scenarios: pads made
// to measure, Shift with a click, the page box, window drags, and what a box or field shows.
#pragma once

#include "message_boxes.h"
#include "process.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// A pad in the folder with these pages in stored form, its window near the top-left corner.
std::string PreparePad(const WorkFolder& folder, const std::vector<std::string>& pages);
// A page's text with its line breaks in the stored form ("<&CR&>").
std::string Stored(std::string text);
// The pages file holds exactly these pages (stored form).
void ExpectPagesInFile(const WorkFolder& folder, const std::vector<std::string>& pages,
                       const std::string& when);

// When the file was last written; a file replaced by a new one counts as written.
ULONGLONG LastWriteTime(const std::string& path);
// The file holds these bytes and has not been written since the time given.
void ExpectFileUntouched(const std::string& path, const std::string& bytes, ULONGLONG written,
                         const std::string& when);

void ExpectFocus(HWND main, int id, const std::string& after);
void ExpectSelection(HWND main, int id, long start, long end, const std::string& after);
// The lines an edit control lays its text out in (EM_GETLINECOUNT).
long LineCountOf(HWND main, int id);

// A click on the control with Shift held down.
void ShiftClickControl(HWND main, int id);
// Clicks into the page text field and types the text after the page's own.
void TypeAtEndOfPage(HWND main, const std::string& text);
// Clicks into the box and types the text there in place of its own.
void PutInBox(HWND main, int id, const std::string& text);
// Searches with Shift and the arrow key, the focus being in the search box.
void SearchKey(HWND main, WORD arrow);
// Puts the text into the page box and presses Return.
void EnterInPageBox(HWND main, const std::string& text);
// After a search: this page shown, these characters of its text selected, the focus back
// in the search box.
void ExpectFound(HWND main, const std::string& after, long page, long count, long start, long end);
// Drags the window by its title bar; whileHeld runs after the last step, before the drop.
void DragWindowBy(HWND main, int dx, int dy, const std::function<void()>& whileHeld = {});

// The window that owns a message box (null when it has none), and whether it shows an icon.
HWND OwnerOf(const MessageBoxSeen& box);
bool ShowsIcon(const MessageBoxSeen& box);
// Waits for the one message box of the process and checks its caption, text and buttons.
MessageBoxSeen ExpectMessageBox(DWORD processId, const std::string& caption,
                                const std::string& text, const std::vector<std::string>& buttons);

// The box names the first backup, "Quillpad.qpd.bak", and that holds these bytes; returns
// the backup's path.
std::string ExpectFirstBackupTold(const MessageBoxSeen& box, const WorkFolder& folder,
                                  const std::string& bytes, const std::string& what);

// A-Z folded to a-z, the way the search compares.
std::string FoldedAscii(std::string text);
