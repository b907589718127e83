// The name a copy claims its folder under: a digest of the folder's path in capitals.
#include "app/single_copy.h"

#include "platform/code_page.h"
#include "text/digest.h"

#include <cstdio>

std::string FolderClaimName(std::string_view fullPath) {
    while (fullPath.size() > 1 && (fullPath.back() == '\\' || fullPath.back() == '/')) {
        fullPath.remove_suffix(1);
    }
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx",
                  static_cast<unsigned long long>(DigestOf(NameInCapitals(fullPath))));
    return std::string("Quillpad folder ") + hex;
}
