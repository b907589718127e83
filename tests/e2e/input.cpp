// Real input for the program: keys and clicks through SendInput, and waiting until the
// program has handled them.
#include "input.h"

#include "check.h"
#include "platform/wide_text.h"
#include "window_reading.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

// A key code that no key of the X keyboard makes: Wine resets the state of every key the X
// server knows to the server's own state whenever a window takes the focus, which would
// lift an injected key that the X server never saw pressed. No control acts on it.
constexpr WORD kSentinelKey = 0x97;

// Moves the pointer there and waits until it stays there: Wine moves the pointer again
// when it catches up with the X server's events of earlier moves and newly shown windows,
// which would take a quick click somewhere else.
void PointAt(POINT screen) {
    const ULONGLONG deadline = GetTickCount64() + 3000;
    while (GetTickCount64() < deadline) {
        std::vector<INPUT> move{MouseInput(screen, MOUSEEVENTF_MOVE)};
        SendInputs(move);
        const ULONGLONG steadyUntil = GetTickCount64() + 60;
        bool stayed = true;
        while (stayed && GetTickCount64() < steadyUntil) {
            POINT now{};
            GetCursorPos(&now);
            stayed = now.x == screen.x && now.y == screen.y;
            Sleep(5);
        }
        if (stayed) {
            return;
        }
    }
    Fail("the mouse pointer does not stay at " + std::to_string(screen.x) + ", " +
         std::to_string(screen.y));
}

void Click(POINT screen, DWORD downFlag, DWORD upFlag) {
    PointAt(screen);
    std::vector<INPUT> inputs{MouseInput(screen, downFlag), MouseInput(screen, upFlag)};
    SendInputs(inputs);
}

// When a thread started, which tells it apart from a later thread that got the same id.
ULONGLONG StartOfThread(DWORD thread) {
    HANDLE handle = OpenThread(THREAD_QUERY_LIMITED_INFORMATION, FALSE, thread);
    FILETIME created{}, exited{}, kernel{}, user{};
    if (handle) {
        GetThreadTimes(handle, &created, &exited, &kernel, &user);
        CloseHandle(handle);
    }
    return (static_cast<ULONGLONG>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

// Sharing the window thread's input state lets GetKeyState here read the key state that
// thread has reached in its queue. Sharing hands the thread this thread's focus when it has
// none yet, so it waits until the window has taken the focus itself; and it clears the
// shared key state, so it is done once per thread, before any key is held. A scenario with
// two programs shares with one at a time: three queues joined would share one focus.
void ShareInputWith(HWND window) {
    static DWORD sharedThread = 0;
    static ULONGLONG sharedStart = 0;
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    const ULONGLONG start = StartOfThread(thread);
    if (thread == sharedThread && start == sharedStart) {
        return;
    }
    WaitUntil(
        [&] {
            GUITHREADINFO info{};
            info.cbSize = sizeof info;
            return GetGUIThreadInfo(thread, &info) && info.hwndActive && info.hwndFocus;
        },
        "the program's window to take the keyboard focus");
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
    if (sharedThread != 0) {
        AttachThreadInput(GetCurrentThreadId(), sharedThread, FALSE);
    }
    if (!AttachThreadInput(GetCurrentThreadId(), thread, TRUE)) {
        Fail("cannot share input state with the program's thread");
    }
    sharedThread = thread;
    sharedStart = start;
}

// Presses the sentinel and waits until the thread has taken the press, then the same for
// its release. A thread takes its input in order, and its key state shows a key down only
// once it has taken that key's press (or has nothing left to take), so every input sent
// before the sentinel has then been taken too.
void WaitForSentinel(HWND main, WORD key, std::vector<INPUT> press, std::vector<INPUT> release) {
    ShareInputWith(main);
    const auto heldIs = [&](bool held) {
        return [=] {
            if (!IsWindow(main)) {
                Fail("the window was closed by the input sent to it");
            }
            return ((GetKeyState(key) & 0x8000) != 0) == held;
        };
    };
    const auto state = [&](const char* phase) {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &info);
        return std::string("the program to take the input sent to it (waiting for the ") + phase +
               "; " + ControlName(FocusedControl(main)) + " has the focus" +
               (GetForegroundWindow() == main ? ")" : ", and the window is not in front)");
    };
    SendInputs(press);
    if (!PollUntil(heldIs(true), 5000)) {
        Fail("timed out waiting for " + state("press"));
    }
    SendInputs(release);
    if (!PollUntil(heldIs(false), 5000)) {
        Fail("timed out waiting for " + state("release"));
    }
    // The release is taken; a sent message is answered only after its handling is done.
    DWORD_PTR ignored = 0;
    if (!SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored)) {
        Fail("the program did not answer after handling its input");
    }
}

} // namespace

void SendInputs(std::vector<INPUT> inputs) {
    const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    if (sent != inputs.size()) {
        Fail("SendInput took " + std::to_string(sent) + " of " + std::to_string(inputs.size()) +
             " inputs");
    }
}

INPUT KeyInput(WORD key, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    switch (key) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_INSERT:
    case VK_DELETE:
        input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
        break;
    default:
        break;
    }
    return input;
}

INPUT MouseInput(POINT screen, DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    input.mi.dx = MulDiv(screen.x, 65536, width) + 1;
    input.mi.dy = MulDiv(screen.y, 65536, height) + 1;
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    return input;
}

void BringToFront(HWND main) {
    SetForegroundWindow(main);
    WaitUntil([&] { return GetForegroundWindow() == main; }, "the window to come to the front");
    ShareInputWith(main);
}

void PressKeys(std::initializer_list<WORD> chord) {
    std::vector<INPUT> inputs;
    for (WORD key : chord) {
        inputs.push_back(KeyInput(key, true));
    }
    for (auto key = std::rbegin(chord); key != std::rend(chord); ++key) {
        inputs.push_back(KeyInput(*key, false));
    }
    SendInputs(inputs);
}

void PressKey(WORD key) {
    PressKeys({key});
}

void TypeText(std::string_view text) {
    std::vector<INPUT> inputs;
    for (wchar_t unit : Wide(text)) {
        if (unit == L'\n') {
            inputs.push_back(KeyInput(VK_RETURN, true));
            inputs.push_back(KeyInput(VK_RETURN, false));
            continue;
        }
        const SHORT scan = unit < 0x80 ? VkKeyScanW(unit) : -1;
        if (scan == -1) {
            // No key makes it on this layout: type the character itself.
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wScan = unit;
            input.ki.dwFlags = KEYEVENTF_UNICODE;
            inputs.push_back(input);
            input.ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
            inputs.push_back(input);
            continue;
        }
        const WORD key = LOBYTE(scan);
        const bool shift = (HIBYTE(scan) & 1) != 0;
        if (shift) {
            inputs.push_back(KeyInput(VK_SHIFT, true));
        }
        inputs.push_back(KeyInput(key, true));
        inputs.push_back(KeyInput(key, false));
        if (shift) {
            inputs.push_back(KeyInput(VK_SHIFT, false));
        }
    }
    SendInputs(inputs);
}

void MoveMouseTo(POINT screen) {
    PointAt(screen);
}

void ClickAt(POINT screen) {
    Click(screen, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
}

void RightClickAt(POINT screen) {
    Click(screen, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
}

void ClickControl(HWND main, int id) {
    ClickAt(CentreOf(WindowRect(Control(main, id))));
}

void Settle(HWND main) {
    WaitForSentinel(main, kSentinelKey, {KeyInput(kSentinelKey, true)},
                    {KeyInput(kSentinelKey, false)});
}

void SettleByMouse(HWND main) {
    // Right of the page count label and left of the Help button nothing is drawn.
    const POINT bare = DialogPointOnScreen(main, 92, 24);
    PointAt(bare);
    WaitForSentinel(main, VK_MBUTTON, {MouseInput(bare, MOUSEEVENTF_MIDDLEDOWN)},
                    {MouseInput(bare, MOUSEEVENTF_MIDDLEUP)});
}

void PutOnClipboard(std::string_view text) {
    if (!OpenClipboard(nullptr)) {
        Fail("cannot open the clipboard");
    }
    EmptyClipboard();
    const std::wstring wide = Wide(text);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t));
    auto* units = static_cast<wchar_t*>(GlobalLock(memory));
    std::memcpy(units, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(memory);
    const bool placed = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    CloseClipboard();
    Expect(placed, "cannot put text on the clipboard");
}

std::string ClipboardText() {
    if (!OpenClipboard(nullptr)) {
        Fail("cannot open the clipboard");
    }
    std::string text;
    if (HANDLE memory = GetClipboardData(CF_UNICODETEXT)) {
        text = Utf8(static_cast<const wchar_t*>(GlobalLock(memory)));
        GlobalUnlock(memory);
    }
    CloseClipboard();
    return text;
}
