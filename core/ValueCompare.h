// Equality and ordering of words: numeric when both sides are numbers, otherwise by the name comparison.
#pragma once

#include "core/LogoObject.h"

namespace zembrio {

// Two words, neither of them a boolean.
bool wordsEqual(tlogoobject* a, tlogoobject* b);

// Three-way order of two words (less?, greater? and the comparison operators). Booleans order by their
// printed texts; a value that is not a word raises erExpectWord.
int compareWordsForOrder(tlogoobject* a, tlogoobject* b);

} // namespace zembrio
