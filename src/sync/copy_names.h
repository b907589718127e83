// The names sync clients give the copies of a file they could not reconcile.
#pragma once

#include <string_view>

// Whether an entry is such a copy of the pad named: its name begins with the pad's without
// ".qpd", holds the word "conflict" in any case and ends in ".qpd".
bool IsConflictedCopyName(std::string_view entry, std::string_view padName);
