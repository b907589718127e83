// An edit control's own context menu, used with the mouse alone.
#pragma once

#include <windows.h>

enum class EditMenuItem { Undo, Cut, Copy, Paste, Delete, SelectAll };

// Right-clicks the control, clicks the item in the menu that opens and waits until the
// command has been carried out. No key is pressed, so the control sees no key message.
void ChooseFromEditMenu(HWND main, int id, EditMenuItem item);
