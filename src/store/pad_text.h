// The pad's text as the window shows it (UTF-8) and back. A pad keeps the code page's bytes
// while its text fits them, and turns UTF-8 for good with the first character that doesn't.
#pragma once

#include <string>
#include <string_view>

std::string TextForWindow(std::string_view padText);
// The window's text in the pad's form; the whole pad turns UTF-8 first when the code page
// lacks one of its characters.
std::string TextForPad(std::string_view windowText);
// The same without turning the pad: false when the text does not fit it.
bool TextInPadForm(std::string_view windowText, std::string& padText);
// How many UTF-16 units the window counts for text in the pad's form.
long WindowUnits(std::string_view padText);
