// Program-wide settings that values and the reader read; the language and option machinery sets them.
#pragma once

#include <string>
#include <vector>

namespace zembrio {

struct tValueSettings {
    char decimalSeparator = '.';
    char lineBreakChar = '\xB6'; // stands for a line break inside a word
    std::vector<std::string> trueWords{"true"};   // first is the canonical spelling
    std::vector<std::string> falseWords{"false"};
    std::vector<std::string> anyWords{"any"};     // a word equal to one stands for a random value
    int strictness = 0;                           // option "strict": 0, 1 or 2
    bool ansiOutput = false;                      // option "ansi": strip accents from printed booleans
    std::string instanceOfText = "an instance of %s"; // base print form of objects; %s = class name
};

// Written by the language and option machinery under the global interpreter lock; read everywhere.
extern tValueSettings gValueSettings;

// The translation of a word's text when it is constructed (internal "·" names become the language's word).
std::string translateWordText(const std::string& text);

} // namespace zembrio
