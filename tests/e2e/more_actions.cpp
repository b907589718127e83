// Further steps and looks for the navigation, command, stamp and help scenarios.
#include "more_actions.h"

#include "check.h"
#include "input.h"
#include "pages_file.h"
#include "session.h"
#include "window_reading.h"

#include <vector>

namespace {

LRESULT Ask(HWND window, UINT message) {
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutA(window, message, 0, 0, SMTO_NORMAL, 5000, &answer)) {
        Fail("the program did not answer message " + std::to_string(message));
    }
    return static_cast<LRESULT>(answer);
}

BOOL CALLBACK CollectChild(HWND child, LPARAM context) {
    reinterpret_cast<std::vector<HWND>*>(context)->push_back(child);
    return TRUE;
}

std::string Listed(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items) {
        text += (text.empty() ? "" : ", ") + Visible(item);
    }
    return "[" + text + "]";
}

} // namespace

std::string PreparePad(const WorkFolder& folder, const std::vector<std::string>& pages) {
    const std::string bytes = PagesFile(HeaderOfNewPad(), PositionLine(20, 10), pages);
    WriteBytes(folder / PagesFileName, bytes);
    return bytes;
}

std::string Stored(std::string text) {
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at)) {
        text.replace(at, 2, "<&CR&>");
        at += 6;
    }
    return text;
}

void ExpectPagesInFile(const WorkFolder& folder, const std::vector<std::string>& pages,
                       const std::string& when) {
    const std::string bytes = ReadBytes(folder / PagesFileName);
    const std::vector<std::string> stored = SplitPagesFile(bytes).pages;
    if (stored != pages) {
        Fail(when + ": the pages file should hold the pages " + Listed(pages) + " but holds " +
             Listed(stored));
    }
}

ULONGLONG LastWriteTime(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
        Fail("cannot read the attributes of " + path);
    }
    return static_cast<ULONGLONG>(data.ftLastWriteTime.dwHighDateTime) << 32 |
           data.ftLastWriteTime.dwLowDateTime;
}

void ExpectFileUntouched(const std::string& path, const std::string& bytes, ULONGLONG written,
                         const std::string& when) {
    ExpectBytes(ReadBytes(path), bytes, "the pages file " + when);
    Expect(LastWriteTime(path) == written,
           "the pages file was written again " + when + ", though its bytes stayed the same");
}

void ExpectFocus(HWND main, int id, const std::string& after) {
    const int focused = FocusedControl(main);
    if (focused != id) {
        Fail("after " + after + " the focus is on " + ControlName(focused) + ", not on " +
             ControlName(id));
    }
}

void ExpectSelection(HWND main, int id, long start, long end, const std::string& after) {
    const Selection selection = SelectionOf(main, id);
    if (selection.start != start || selection.end != end) {
        Fail("after " + after + " the selection of " + ControlName(id) + " is " +
             std::to_string(selection.start) + " to " + std::to_string(selection.end) + ", not " +
             std::to_string(start) + " to " + std::to_string(end));
    }
}

long LineCountOf(HWND main, int id) {
    return static_cast<long>(Ask(Control(main, id), EM_GETLINECOUNT));
}

void ShiftClickControl(HWND main, int id) {
    const POINT centre = CentreOf(WindowRect(Control(main, id)));
    MoveMouseTo(centre);
    // One batch, so that no focus change can lift Shift between its press and the click.
    SendInputs({KeyInput(VK_SHIFT, true), MouseInput(centre, MOUSEEVENTF_LEFTDOWN),
                MouseInput(centre, MOUSEEVENTF_LEFTUP), KeyInput(VK_SHIFT, false)});
}

void PutInBox(HWND main, int id, const std::string& text) {
    ClickControl(main, id);
    Settle(main);
    PressKey(VK_HOME);
    PressKeys({VK_SHIFT, VK_END});
    if (text.empty()) {
        PressKey(VK_DELETE);
    } else {
        TypeText(text);
    }
    Settle(main);
    ExpectBytes(ControlText(main, id), text, ControlName(id) + " after typing into it");
}

void EnterInPageBox(HWND main, const std::string& text) {
    PutInBox(main, PageBox, text);
    PressKey(VK_RETURN);
    Settle(main);
}

void SearchKey(HWND main, WORD arrow) {
    PressKeys({VK_SHIFT, arrow});
    Settle(main);
}

void ExpectFound(HWND main, const std::string& after, long page, long count, long start, long end) {
    ExpectBytes(ControlText(main, PageBox), std::to_string(page), "the page box after " + after);
    ExpectBytes(ControlText(main, PageCount), NumberText(count), "the page count after " + after);
    ExpectSelection(main, PageText, start, end, after);
    ExpectFocus(main, SearchBox, after);
}

void TypeAtEndOfPage(HWND main, const std::string& text) {
    ClickControl(main, PageText);
    PressKeys({VK_CONTROL, VK_END});
    TypeText(text);
    Settle(main);
}

void DragWindowBy(HWND main, int dx, int dy, const std::function<void()>& whileHeld) {
    const RECT before = WindowRect(main);
    const RECT client = ClientRectOnScreen(main);
    // The title bar's left part, clear of the icon and of the caption buttons.
    const POINT grip{before.left + (before.right - before.left) / 3, (before.top + client.top) / 2};
    MoveMouseTo(grip);
    SendInputs({MouseInput(grip, MOUSEEVENTF_LEFTDOWN)});
    const int steps = 6;
    for (int step = 1; step <= steps; ++step) {
        Sleep(30);
        SendInputs({MouseInput({grip.x + dx * step / steps, grip.y + dy * step / steps},
                               MOUSEEVENTF_MOVE)});
    }
    Sleep(30);
    if (whileHeld) {
        WaitUntil([&] { return WindowRect(main).left == before.left + dx; },
                  "the window to follow the drag before the drop");
        whileHeld();
    }
    SendInputs({MouseInput({grip.x + dx, grip.y + dy}, MOUSEEVENTF_LEFTUP)});
    WaitUntil(
        [&] {
            const RECT after = WindowRect(main);
            return after.left == before.left + dx && after.top == before.top + dy;
        },
        "the window to follow the drag of its title bar by " + std::to_string(dx) + ", " +
            std::to_string(dy));
    SettleByMouse(main);
}

HWND OwnerOf(const MessageBoxSeen& box) {
    return GetWindow(box.window, GW_OWNER);
}

bool ShowsIcon(const MessageBoxSeen& box) {
    std::vector<HWND> children;
    EnumChildWindows(box.window, CollectChild, reinterpret_cast<LPARAM>(&children));
    for (HWND child : children) {
        const auto style = static_cast<DWORD>(GetWindowLongPtrA(child, GWL_STYLE));
        // A box without an icon may still hold an empty icon control.
        if (ClassOf(child) == "Static" && IsWindowVisible(child) &&
            (style & SS_TYPEMASK) == SS_ICON && Ask(child, STM_GETICON) != 0) {
            return true;
        }
    }
    return false;
}

MessageBoxSeen ExpectMessageBox(DWORD processId, const std::string& caption,
                                const std::string& text, const std::vector<std::string>& buttons) {
    const MessageBoxSeen box = WaitForMessageBox(processId);
    ExpectBytes(box.caption, caption, "the message box's caption");
    ExpectBytes(box.text, text, "the text of the message box " + Visible(caption));
    Expect(box.buttons == buttons, "the message box " + Visible(caption) + " has the buttons " +
                                       Listed(box.buttons) + ", not " + Listed(buttons));
    Expect(!ShowsIcon(box), "the message box " + Visible(caption) + " shows an icon");
    return box;
}

std::string ExpectFirstBackupTold(const MessageBoxSeen& box, const WorkFolder& folder,
                                  const std::string& bytes, const std::string& what) {
    const std::string backup = "Quillpad.qpd.bak";
    Expect(box.text.find(backup) != std::string::npos,
           "the message does not name the backup " + backup + ": " + Visible(box.text));
    ExpectBytes(ReadBytes(folder / backup), bytes, "the backup of " + what);
    return folder / backup;
}

std::string FoldedAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}
