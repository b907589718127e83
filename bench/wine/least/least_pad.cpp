// quillpad_least.exe: the least a program can do to show a pad's page 1, the floor the bench
// sets Quillpad's start-up beside. It reads the whole Quillpad.qpd of its working folder,
// counts the pages and shows page 1 in a plain window with a page box, the count and a text
// field of Quillpad's size, with Quillpad's title and control ids so the bench reads both
// alike. No manifest, no font, no position, no saving.
#include <windows.h>

#include <string>

namespace {

// Quillpad's ids of the page box and the page text field.
constexpr int PageBoxId = 70;
constexpr int PageTextId = 100;
// The lines before the first page: the header, a blank line, the position heading, the
// position, a blank line and the marker.
constexpr int LinesBeforePages = 6;

std::string ReadWholeFile(const wchar_t* name) {
    std::string bytes;
    const HANDLE file = CreateFileW(name, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return bytes;
    }
    LARGE_INTEGER size{};
    GetFileSizeEx(file, &size);
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    bytes.resize(read);
    CloseHandle(file);
    return bytes;
}

// Page 1 as the field shows it, with the number of pages.
std::wstring FirstPage(const std::string& bytes, long& pages) {
    const bool utf8 = bytes.rfind("\xEF\xBB\xBF", 0) == 0;
    std::size_t at = utf8 ? 3 : 0;
    std::string first;
    pages = 0;
    for (int line = 0;; ++line) {
        const std::size_t end = bytes.find("\r\n", at);
        if (end == std::string::npos) {
            break;
        }
        if (line == LinesBeforePages) {
            first = bytes.substr(at, end - at);
        }
        pages += line >= LinesBeforePages ? 1 : 0;
        at = end + 2;
    }
    pages = pages > 0 ? pages : 1;
    for (std::size_t cr = first.find("<&CR&>"); cr != std::string::npos;
         cr = first.find("<&CR&>", cr)) {
        first.replace(cr, 6, "\r\n");
    }
    const UINT codePage = utf8 ? CP_UTF8 : CP_ACP;
    std::wstring text(first.size(), L'\0');
    text.resize(static_cast<std::size_t>(
        MultiByteToWideChar(codePage, 0, first.data(), static_cast<int>(first.size()), text.data(),
                            static_cast<int>(text.size()))));
    return text;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void AddChild(HWND parent, const wchar_t* className, const std::wstring& text, DWORD style, int id,
              RECT box) {
    CreateWindowExW(WS_EX_CLIENTEDGE, className, text.c_str(), style | WS_CHILD | WS_VISIBLE,
                    box.left, box.top, box.right - box.left, box.bottom - box.top, parent,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    long pages = 0;
    const std::wstring page = FirstPage(ReadWholeFile(L"Quillpad.qpd"), pages);

    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"QuillpadLeast";
    RegisterClassW(&windowClass);
    const DWORD style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT outer{0, 0, 318, 457}; // Quillpad's client area at 96 DPI
    AdjustWindowRect(&outer, style, FALSE);
    const HWND window = CreateWindowExW(
        0, windowClass.lpszClassName, L"Quillpad", style, CW_USEDEFAULT, CW_USEDEFAULT,
        outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr, instance, nullptr);
    AddChild(window, L"EDIT", L"1", ES_AUTOHSCROLL, PageBoxId, {52, 31, 100, 49});
    AddChild(window, L"STATIC", L"of " + std::to_wstring(pages), SS_LEFT, 0, {104, 32, 156, 45});
    AddChild(window, L"EDIT", page, ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL, PageTextId,
             {6, 52, 312, 448});
    ShowWindow(window, SW_SHOW);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
