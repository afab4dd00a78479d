// The code table: names interned first, in a fixed order, at every language load, so that the rest of
// the system knows their codes; and the property rows through which project files name properties by
// number, whatever language they were written in.
#pragma once

#include "core/NameTable.h"

#include <string>
#include <vector>

namespace zembrio {

inline constexpr int kPropertyRowCount = 196;

struct tPropertyRow {
    tNameCode nameCode = 0;   // first spelling
    tNameCode setterCode = 0; // setter form of the first spelling
    std::string moreSetterNames;
    std::string moreGetterNames;
    std::vector<std::string> spellings;
};

// Codes of the current language, valid until the next language load.
struct tFixedCodes {
    tNameCode output = 0, stop = 0, minus = 0, plus = 0, askObj = 0, childDestination = 0, unaryMinus = 0,
              unaryPlus = 0, defaultAction = 0, mainClass = 0, initList = 0, namePrefix = 0, savePicture = 0,
              voiceCommand = 0, fileName = 0, windowClass = 0;
    std::vector<tNameCode> mouseButtonEvents; // onLeftDown … onMiddleUp
    std::vector<tNameCode> lifeCycle;         // every spelling of create, destroy, addBehaviour, removeBehaviour
    std::vector<tNameCode> nameProperty;      // every spelling of name and .name
    std::string toplevelWord;                 // the catch tag of the top level
    std::string errorWord;
};

const tFixedCodes& fixedCodes();

// Interns the fixed names in their order and fills the rows; run right after the name tables are new.
void BuildCodeTable();

std::string RowName(int row);
const tPropertyRow& PropertyRow(int row);
// The row's extra setter and getter names as codes.
void RowCodes(int row, std::vector<tNameCode>& setters, std::vector<tNameCode>& getters);
bool IsEvent(tNameCode code);
// The code of a built-in class's first spelling when the text is one of its other spellings; else 0.
tNameCode ClassCode(std::string_view text);

} // namespace zembrio
