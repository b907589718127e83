// The form the whole pad keeps its text in: the code page while every character fits it,
// UTF-8 for good from the first one that doesn't.
#pragma once

#include <string>
#include <string_view>

// The window's text in the pad's form; the whole pad turns UTF-8 first when the code page
// lacks one of its characters.
std::string TextForPad(std::string_view windowText);

// The whole pad (its pages, those kept during help, the header line) turns UTF-8 for good.
void TurnPadUtf8();
