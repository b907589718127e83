// Finding the program's message boxes, reading them and answering them by a click.
#include "message_boxes.h"

#include "check.h"
#include "input.h"
#include "window_reading.h"

namespace {

std::string WithoutMnemonic(std::string text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) {
            ++i;
        }
        out += text[i];
    }
    return out;
}

struct Children {
    std::vector<HWND> found;
};

BOOL CALLBACK CollectChild(HWND child, LPARAM context) {
    reinterpret_cast<Children*>(context)->found.push_back(child);
    return TRUE;
}

MessageBoxSeen Read(HWND window) {
    MessageBoxSeen box;
    box.window = window;
    box.caption = TextOf(window);
    Children children;
    EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&children));
    for (HWND child : children.found) {
        const std::string kind = ClassOf(child);
        if (kind == "Button" && IsWindowVisible(child)) {
            box.buttons.push_back(WithoutMnemonic(TextOf(child)));
        } else if (kind == "Static") {
            const std::string text = TextOf(child);
            if (!text.empty()) {
                box.text += box.text.empty() ? text : "\n" + text;
            }
        }
    }
    return box;
}

std::string Describe(const MessageBoxSeen& box) {
    std::string buttons;
    for (const std::string& button : box.buttons) {
        buttons += (buttons.empty() ? "" : ", ") + button;
    }
    return "message box " + Visible(box.caption) + " saying " + Visible(box.text) +
           " with buttons [" + buttons + "]";
}

} // namespace

std::vector<MessageBoxSeen> MessageBoxesOf(DWORD processId) {
    std::vector<MessageBoxSeen> boxes;
    for (HWND window : TopLevelWindows(processId)) {
        if (ClassOf(window) == "#32770" && !IsMainWindow(window)) {
            boxes.push_back(Read(window));
        }
    }
    return boxes;
}

MessageBoxSeen WaitForMessageBox(DWORD processId, int timeoutMs) {
    std::vector<MessageBoxSeen> boxes;
    WaitUntil([&] { return !(boxes = MessageBoxesOf(processId)).empty(); }, "a message box",
              timeoutMs);
    return boxes.front();
}

void ExpectNoMessageBox(DWORD processId) {
    const std::vector<MessageBoxSeen> boxes = MessageBoxesOf(processId);
    if (!boxes.empty()) {
        Fail("unexpected " + Describe(boxes.front()));
    }
}

void AnswerMessageBox(const MessageBoxSeen& box, const std::string& button) {
    Children children;
    EnumChildWindows(box.window, CollectChild, reinterpret_cast<LPARAM>(&children));
    for (HWND child : children.found) {
        if (ClassOf(child) == "Button" && WithoutMnemonic(TextOf(child)) == button) {
            BringToFront(box.window);
            ClickAt(CentreOf(WindowRect(child)));
            WaitUntil([&] { return !IsWindow(box.window) || !IsWindowVisible(box.window); },
                      "the message box to close after " + button + " was clicked");
            return;
        }
    }
    Fail("no button " + Visible(button) + " on the " + Describe(box));
}
