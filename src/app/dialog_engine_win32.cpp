// The dialog engine, in Unicode throughout so that every character typed or pasted reaches
// the controls as it is: windows from in-memory templates, controls added one by one, each
// control's handler and the window's callback called for its messages, and the loop that
// runs the window.
#include "app/dialog_template.h"
#include "app/main_window.h"
#include "platform/wide_text.h"
#include "platform/window_win32.h"

namespace {

constexpr std::uint16_t FontPoints = 8;
constexpr std::string_view FontName = "MS Sans Serif";

bool MoveReported = false;
// The window became active: the pad is looked at once the loop is back at the top, never
// inside a handler that waits for an answer.
bool LookWanted = false;

// Handlers are recorded in the user-data slot of their control, the callback in the
// window's own.
void RecordHandler(HWND window, Handler handler) {
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(handler));
}

Handler RecordedHandler(HWND window) {
    return reinterpret_cast<Handler>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

INT_PTR CALLBACK EngineProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        // Wakes the loop even when the window went inside a message sent from elsewhere,
        // which the wait handles without returning.
        PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);
    }
    if (message == WM_MOVE) {
        MoveReported = true;
    }
    if (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE) {
        LookWanted = true;
        PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);
    }
    if (message == WM_COMMAND) {
        const HWND control = GetDlgItem(dialog, LOWORD(wParam));
        const Handler handler = control != nullptr ? RecordedHandler(control) : nullptr;
        if (handler != nullptr) {
            if (const int result = handler(dialog, message, wParam, lParam)) {
                return result;
            }
        }
    }
    if (const Handler callback = RecordedHandler(dialog)) {
        if (const int result = callback(dialog, message, wParam, lParam)) {
            return result;
        }
    }
    if (IsCloseCommand(message, wParam)) {
        SendMessageW(dialog, WM_CLOSE, 0, 0);
        DestroyWindow(dialog);
        return TRUE;
    }
    // Everything else, Enter's IDOK, Esc's IDCANCEL and WM_CLOSE included, gets the
    // system's default dialog handling, which closes nothing.
    return FALSE;
}

void Dispatch(HWND dialog, MSG& message) {
    if (message.message == WM_QUIT || !IsWindow(dialog) || IsDialogMessageW(dialog, &message)) {
        return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

// Until the page text field has been painted and nothing else waits to be painted, only
// paints, posted and sent messages are taken: input waits, so nothing typed comes before
// the window's first work. The paints come in after the window is shown, not with it. A
// window that is not painted (it went away, or cannot be seen) is waited for a second.
void TakeFirstPainting(HWND dialog) {
    constexpr UINT NoInput = QS_PAINT | QS_POSTMESSAGE | QS_SENDMESSAGE;
    constexpr ULONGLONG LimitMs = 1000;
    const HWND field = GetDlgItem(dialog, ID_PAGE_TEXT);
    const ULONGLONG limit = GetTickCount64() + LimitMs;
    bool fieldPainted = false;
    MSG message;
    while (IsWindow(dialog)) {
        if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE | (NoInput << 16))) {
            fieldPainted = fieldPainted || (message.message == WM_PAINT && message.hwnd == field);
            Dispatch(dialog, message);
            continue;
        }
        const ULONGLONG now = GetTickCount64();
        if (fieldPainted || now >= limit) {
            return;
        }
        MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(limit - now), NoInput, 0);
    }
}

} // namespace

bool IsCloseCommand(UINT message, WPARAM wParam) {
    // The low four bits of a system command are the system's own.
    return message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE;
}

HWND CreateDialogWindow(const DialogLayout& layout) {
    WaitForVisualStyles();
    DialogTemplateFields fields;
    fields.style = (layout.style | DS_SETFONT | DS_NOFAILCREATE | DS_3DLOOK) & ~WS_VISIBLE;
    fields.x = layout.x;
    fields.y = layout.y;
    fields.width = layout.width;
    fields.height = layout.height;
    fields.caption = layout.caption;
    fields.pointSize = FontPoints;
    fields.fontName = FontName;
    const std::vector<std::uint16_t> words = DialogTemplateWords(fields);
    return CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                      reinterpret_cast<LPCDLGTEMPLATEW>(words.data()), nullptr,
                                      EngineProc, 0);
}

HWND AddControl(HWND dialog, const ControlLayout& layout) {
    RECT box{layout.x, layout.y, layout.x + layout.width, layout.y + layout.height};
    MapDialogRect(dialog, &box);
    const HWND control = CreateWindowExW(
        layout.extendedStyle, Wide(layout.className).c_str(), Wide(layout.text).c_str(),
        layout.style | WS_CHILD | WS_VISIBLE, box.left, box.top, box.right - box.left,
        box.bottom - box.top, dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout.id)),
        GetModuleHandleW(nullptr), nullptr);
    SendMessageW(control, WM_SETFONT, static_cast<WPARAM>(SendMessageW(dialog, WM_GETFONT, 0, 0)),
                 TRUE);
    RecordHandler(control, layout.handler);
    return control;
}

void InstallFilter(HWND control, WNDPROC filter) {
    EditClassProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(filter)));
}

// A blocking wait: an idle window takes no processor time. The wait takes the folder's
// change notification too, so that a new version of the pad put in place by another
// program (a sync client) is looked at within moments, without polling.
void RunDialog(HWND dialog, Handler callback) {
    callback(dialog, WM_INITDIALOG, 0, 0);
    RecordHandler(dialog, callback);
    MoveReported = false;
    ShowWindow(dialog, SW_SHOW);
    // The window learns where it was shown from a move event; a window placed before it
    // was shown may not get one from the system.
    if (!MoveReported) {
        POINT client{0, 0};
        ClientToScreen(dialog, &client);
        SendMessageW(dialog, WM_MOVE, 0, MAKELPARAM(client.x, client.y));
    }
    TakeFirstPainting(dialog);
    // Also when a close came before the painting: the first showing is written all the same.
    callback(dialog, WindowPaintedMessage, 0, 0);
    const HANDLE folder = FindFirstChangeNotificationW(
        L".", FALSE,
        FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE);
    const DWORD watched = folder != INVALID_HANDLE_VALUE ? 1 : 0;
    MSG message;
    while (IsWindow(dialog)) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            Dispatch(dialog, message);
        }
        if (LookWanted && IsWindow(dialog)) {
            LookWanted = false;
            callback(dialog, LookAtPadMessage, 0, 0);
            continue;
        }
        if (!IsWindow(dialog)) {
            break;
        }
        const DWORD woke = MsgWaitForMultipleObjectsEx(watched, &folder, INFINITE, QS_ALLINPUT,
                                                       MWMO_INPUTAVAILABLE);
        if (watched == 1 && woke == WAIT_OBJECT_0) {
            FindNextChangeNotification(folder);
            LookWanted = true;
        }
    }
    if (watched == 1) {
        FindCloseChangeNotification(folder);
    }
}
