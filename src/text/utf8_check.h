// Telling well-formed UTF-8, a character at a time: what every processor can do, and what
// the faster checks of some processors stand on.
#pragma once

#include <string_view>

bool IsUtf8ByCharacter(std::string_view s);
