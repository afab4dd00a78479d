// The reader: turns Logo text into words, numbers, booleans and nested lists. It evaluates nothing.
#pragma once

#include "core/LogoObject.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zembrio {

class tLogoList;
class tLogoStack;

enum class tTokenType : uint8_t {
    End = 0,
    LineEnd = 1,
    Open = 2,
    Close = 3,
    Word = 4,
    Number = 5,
};

// The state of one reading: scanner position, current token and line counter. Lives for one call.
class tReader {
public:
    explicit tReader(std::string_view text);

    // Scans one token; its type and text stay available until the next call.
    tTokenType nextToken();
    tTokenType tokenType() const { return m_tokenType; }
    const std::string& tokenText() const { return m_token; }

    // Starts at 1; one more for every line end read (and, in line mode, for every further line).
    int32_t line() const { return m_line; }

    // Reads the whole text onto the stack: the values in reading order, or one list per line in line mode.
    // On an error the stack is left at the height it had on entry.
    void readOntoStack(tLogoStack& stack, bool lineMode);

private:
    enum class tState : uint8_t;

    void startRange(size_t begin, size_t end);
    void readChar();
    tTokenType scanWordOrNumber(bool precededByBlank);
    void appendWordChar(unsigned char c);
    void appendPlainRun(unsigned char c);
    void buildRange(tLogoStack& stack);
    void pushWord(tLogoStack& stack);
    void pushNumber(tLogoStack& stack);

    std::string_view m_text;
    size_t m_pos = 0; // next byte to read
    size_t m_end = 0; // end of the range being read (one line in line mode)
    unsigned char m_ch = 0; // current character; 0 = end of text
    tTokenType m_tokenType = tTokenType::End;
    std::string m_token;
    bool m_lineStart = true;
    int32_t m_line = 1;
    unsigned char m_decimalSeparator;
    unsigned char m_lineBreakChar;
    std::vector<int32_t> m_openHeights; // stack height at each "[" still open
};

// The whole text as one list (line mode: a list of line lists).
tRef<tLogoList> ReadList(std::string_view text, bool lineMode);
// As ReadList, but leaves the values (or the line lists) on the stack for the caller to collect.
void ReadOntoStack(tLogoStack& stack, std::string_view text, bool lineMode);
// Reads and discards: raises the bracket errors before a text is stored.
void ParseCheck(std::string_view text);

// The loading counter: raised while a program file is read; while above 0 a missing "]" is forgiven
// and every open list is closed at the end of the text. Shared by all threads.
void incrementLoading();
void decrementLoading();
int loadingCount();

// Raises the loading counter for one scope.
class tLoadingScope {
public:
    tLoadingScope() { incrementLoading(); }
    ~tLoadingScope() { decrementLoading(); }
    tLoadingScope(const tLoadingScope&) = delete;
    tLoadingScope& operator=(const tLoadingScope&) = delete;
};

} // namespace zembrio
