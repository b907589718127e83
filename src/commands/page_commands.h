// New Page, Insert Page and Delete Page.
#pragma once

#include "platform/window.h"

int NewPage(WindowHandle window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam);
int InsertPage(WindowHandle window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam);
int DeletePage(WindowHandle window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam);
