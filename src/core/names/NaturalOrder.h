#pragma once

#include "core/names/NameList.h"

namespace vornak {

// Natural order, the same whatever the locale: digit runs by their value (equal values:
// fewer leading zeros first), other characters by their case-folded code point, and names
// still equal by their exact bytes, so the order is total. Sorting compares precomputed
// byte keys with memcmp, which keeps large folders fast.
void sortNaturally(NameList& names);

} // namespace vornak
