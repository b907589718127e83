// Real input for the program: keys and clicks through SendInput, and waiting until the
// program has handled them.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// One key going down or up, one mouse event at a screen point, and sending them all at
// once (a failure if the system takes fewer).
INPUT KeyInput(WORD key, bool down);
INPUT MouseInput(POINT screen, DWORD flags);
void SendInputs(std::vector<INPUT> inputs);

// Makes the window the one that keyboard input goes to.
void BringToFront(HWND main);

// Presses the keys in order and releases them in reverse: {VK_SHIFT, VK_TAB} is Shift+Tab.
// Wine lifts every key the X server never saw pressed whenever one of its windows takes the
// focus, so a chord is sent whole, once the window that gets it has settled.
void PressKeys(std::initializer_list<WORD> chord);
void PressKey(WORD key);
// Types the UTF-8 text with the keys that make each character (Shift where the layout needs
// it); any other character is sent as itself (KEYEVENTF_UNICODE, one input per UTF-16 unit,
// so an emoji is two); "\n" is the Enter key.
void TypeText(std::string_view text);

// Moves the pointer there; it is known to stay there when this returns.
void MoveMouseTo(POINT screen);
void ClickAt(POINT screen);
void RightClickAt(POINT screen);
void ClickControl(HWND main, int id);

// Waits until the window's thread has taken every key and click sent so far and has
// finished handling them. Settle sends one more key that no control acts on; where even
// that key must not reach the focused control, SettleByMouse uses a middle click on the
// window's bare background instead. Both fail at once if the window closes meanwhile.
void Settle(HWND main);
void SettleByMouse(HWND main);

// Unicode text on the clipboard (CF_UNICODETEXT), given and taken as UTF-8.
void PutOnClipboard(std::string_view text);
std::string ClipboardText();
