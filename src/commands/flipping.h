// Flipping with "<" and ">" or the arrow keys, and going to a typed page number.
#pragma once

#include "platform/window.h"

int OnPrevButton(WindowHandle window, unsigned message, std::uintptr_t wParam,
                 std::intptr_t lParam);
int OnNextButton(WindowHandle window, unsigned message, std::uintptr_t wParam,
                 std::intptr_t lParam);
void FlipBack();
void FlipForward();

// What the search box does with a key going down (Left 37 and Right 39 flip or search).
void SearchBoxKeyDown(int keyCode);
// What the page box does when a message carries the Return key's code.
void PageBoxReturn();
