// The list table's primitives, and the word operations of the string, integer, real and boolean tables.
#pragma once

#include <cstdint>

#include <string>
#include <string_view>
#include <vector>

namespace zembrio {

struct tValueTables;
class tLogoTab;
class tLogoList;
class tListBuilder;
class tlogoobject;

void registerListPrimitives(tValueTables& tables);

class tLogoList;
// A (start, n) selection of items or characters, with a start below 1 shortening n by what lies before
// the first; erExpectList2 for a selector that is not two items long.
struct tSelectionRange {
    int64_t start;
    int64_t count;
};
tSelectionRange selectionRange(tLogoList* selector);
void registerWordPrimitives(tValueTables& tables);

// --- shared by the list-table files ---

// The list table's arithmetic on vectors and point lists; registerListPrimitives calls it.
void registerListArithmetic(tLogoTab& list);
// The items of a list, borrowed: valid while the list is held.
std::vector<tlogoobject*> listItems(tLogoList* list);
// The built list as a fresh value (count 0), as a primitive returns it.
tlogoobject* freshList(tListBuilder& builder);

// The text upper-cased as the system does it for the single-byte code page: letters keep their accents
// (unlike the name comparison, which folds them away). Word searches and sort keys use it.
std::string upperCaseText(std::string_view text);

} // namespace zembrio
