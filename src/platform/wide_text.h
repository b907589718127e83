// UTF-8 and the UTF-16 that Windows' wide calls take, for names of files and folders.
#pragma once

#include <string>
#include <string_view>

std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);
