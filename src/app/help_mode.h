// Help mode: the eight help pages shown in place of the user's pages.
#pragma once

#include "platform/window.h"

#include <cstdint>
#include <string>
#include <vector>

extern std::vector<std::string> HelpPages; // elements 1 to 8 used, in stored form

int OnHelpButton(WindowHandle window, unsigned message, std::uintptr_t wParam,
                 std::intptr_t lParam);
void BuildHelpPages();
