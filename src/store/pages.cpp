// The page list, the page shown, the help flag and the pages help keeps aside.
#include "store/pages.h"

std::vector<std::string> Pages;
std::int32_t CurrentPage = 0;
std::int16_t HelpMode = 0;
std::vector<std::string> PagesKeptDuringHelp;
std::int32_t PageBeforeHelp = 0;

std::int32_t PageCount() {
    return Pages.empty() ? 0 : static_cast<std::int32_t>(Pages.size() - 1);
}
