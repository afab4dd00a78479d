#include "core/Reader.h"

#include "core/LogoException.h"
#include "core/LogoStack.h"
#include "core/LogoValues.h"
#include "core/NameCompare.h"
#include "core/ValuePools.h"
#include "core/ValueSettings.h"

#include <array>
#include <atomic>
#include <charconv>

namespace zembrio {

namespace {

std::atomic<int> gLoadingCounter{0};

constexpr unsigned char kInternalNameMark = 0xB7;

// Character classes of the scanner, looked up once per character.
enum : uint8_t {
    kDelimiter = 1,    // ends a word or a number
    kOperatorStart = 2, // a token of its own when it begins one
    kDigit = 4,
    kPlainWordChar = 8, // stays in a word as it is (the line-break character aside)
};

constexpr std::array<uint8_t, 256> makeCharClasses()
{
    std::array<uint8_t, 256> classes{};
    for (unsigned char c : std::string_view("\0\r \"()*+-/;<=>[]", 16))
        classes[c] |= kDelimiter;
    for (unsigned char c : std::string_view("()*+-/;<=>"))
        classes[c] |= kOperatorStart;
    for (unsigned char c = '0'; c <= '9'; ++c)
        classes[c] |= kDigit;
    for (int c = ' '; c < 256; ++c)
        if (!(classes[c] & kDelimiter) && c != '\\' && c != '|')
            classes[c] |= kPlainWordChar;
    return classes;
}

constexpr std::array<uint8_t, 256> kCharClasses = makeCharClasses();

inline bool isDelimiter(unsigned char c) { return kCharClasses[c] & kDelimiter; }
inline bool isOperatorStart(unsigned char c) { return kCharClasses[c] & kOperatorStart; }
inline bool isDigit(unsigned char c) { return kCharClasses[c] & kDigit; }

// The stack owns what we push; holding the fresh value meanwhile means a failing push cannot leak it.
void pushValue(tLogoStack& stack, tlogoobject* value)
{
    tValue hold(value);
    stack.Push(value);
}

// Takes the values above height off the stack as one list, first read first.
tRef<tLogoList> takeList(tLogoStack& stack, int32_t height)
{
    tListBuilder builder;
    for (int32_t depth = stack.count() - height - 1; depth >= 0; --depth)
        builder.append(stack.Peek(depth));
    tRef<tLogoList> list = builder.take();
    stack.DropTo(height);
    return list;
}

void collectList(tLogoStack& stack, int32_t height)
{
    tRef<tLogoList> list = takeList(stack, height);
    stack.Push(list.get());
}

bool parseInt32(std::string_view text, int32_t& value)
{
    // The scanner only makes number tokens with at most one leading sign; from_chars refuses "+".
    if (!text.empty() && text[0] == '+')
        text.remove_prefix(1);
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size();
}

// Whether an out-of-range number text is too large (rather than too small) for an extended real:
// the decimal position of its first significant digit plus its exponent decides.
bool isTooLarge(std::string_view text)
{
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    int64_t leading = 0; // decimal exponent of the first significant digit
    bool significant = false;
    bool inFraction = false;
    int64_t fractionZeros = 0;
    for (; i < text.size() && text[i] != 'e' && text[i] != 'E'; ++i) {
        const char c = text[i];
        if (!isDigit(static_cast<unsigned char>(c))) {
            inFraction = true;
            continue;
        }
        if (!inFraction) {
            if (significant)
                ++leading;
            else if (c != '0')
                significant = true;
        } else if (!significant) {
            if (c != '0') {
                significant = true;
                leading = -fractionZeros - 1;
            } else {
                ++fractionZeros;
            }
        }
    }
    int64_t exponent = 0;
    if (i < text.size()) {
        ++i;
        bool negative = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            negative = text[i++] == '-';
        for (; i < text.size(); ++i)
            if (exponent < 1'000'000'000)
                exponent = exponent * 10 + (text[i] - '0');
        if (negative)
            exponent = -exponent;
    }
    return leading + exponent >= 0;
}

// A number token as an extended real; a value too large to hold is no real (the token stays a word),
// one too small to hold reads as zero.
bool parseReal(std::string_view text, char separator, std::string& scratch, long double& value)
{
    if (separator != '.' && text.find(separator) != std::string_view::npos) {
        scratch.assign(text);
        for (char& c : scratch)
            if (c == separator)
                c = '.';
        text = scratch;
    }
    const bool negative = !text.empty() && text[0] == '-';
    if (!text.empty() && text[0] == '+')
        text.remove_prefix(1);
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (end != text.data() + text.size())
        return false;
    if (ec == std::errc::result_out_of_range) {
        if (isTooLarge(text))
            return false;
        value = negative ? -0.0L : 0.0L;
        return true;
    }
    return ec == std::errc();
}

} // namespace

enum class tReader::tState : uint8_t {
    Escape,        // after "\": a literal character or the start of a character code
    Code,          // "\" digits: a character given by its decimal code
    Quoted,        // just after a leading quotation mark
    Bar,           // between bars: everything literal
    Operator,      // after "<", ">" or a blank-preceded sign
    Integer,
    Fraction,
    ExponentSign,
    ExponentDigitRequired,
    Exponent,
    Word,
};

tReader::tReader(std::string_view text)
    : m_text(text),
      m_decimalSeparator(static_cast<unsigned char>(gValueSettings.decimalSeparator)),
      m_lineBreakChar(static_cast<unsigned char>(gValueSettings.lineBreakChar))
{
    m_token.reserve(64);
    startRange(0, text.size());
}

void tReader::startRange(size_t begin, size_t end)
{
    m_pos = begin;
    m_end = end;
    m_lineStart = true;
    m_tokenType = tTokenType::End;
    readChar();
}

void tReader::readChar()
{
    while (m_pos < m_end) {
        unsigned char c = static_cast<unsigned char>(m_text[m_pos++]);
        if (c == '\n')
            continue; // a carriage return alone marks a line end
        // Tabs and other control characters separate like spaces. A zero byte inside the text is
        // one of them too: 0 stands for the end of the text and must not cut the reading short.
        if (c < ' ' && c != '\r')
            c = ' ';
        m_ch = c;
        return;
    }
    m_ch = 0;
}

tTokenType tReader::nextToken()
{
    // A sign right after a blank, a line start or "[" may begin a number ("print -3", "[-3]");
    // elsewhere it is an operator ("5-3").
    const bool precededByBlank = m_ch == ' ' || m_lineStart;
    m_lineStart = false;
    while (m_ch == ' ')
        readChar();
    m_token.clear();
    switch (m_ch) {
    case 0:
        m_tokenType = tTokenType::End;
        break;
    case '\r':
        m_tokenType = tTokenType::LineEnd;
        m_lineStart = true;
        readChar();
        break;
    case '[':
        m_tokenType = tTokenType::Open;
        m_lineStart = true;
        readChar();
        break;
    case ']':
        m_tokenType = tTokenType::Close;
        readChar();
        break;
    default:
        m_tokenType = scanWordOrNumber(precededByBlank);
        break;
    }
    return m_tokenType;
}

void tReader::appendWordChar(unsigned char c)
{
    m_token += static_cast<char>(c == m_lineBreakChar ? '\r' : c);
}

// Appends c and the plain characters right after it in one step: most of a word needs no state change.
void tReader::appendPlainRun(unsigned char c)
{
    appendWordChar(c);
    const size_t begin = m_pos;
    size_t end = begin;
    while (end < m_end) {
        const unsigned char next = static_cast<unsigned char>(m_text[end]);
        if (!(kCharClasses[next] & kPlainWordChar) || next == m_lineBreakChar)
            break;
        ++end;
    }
    m_token.append(m_text.data() + begin, end - begin);
    m_pos = end;
}

tTokenType tReader::scanWordOrNumber(bool precededByBlank)
{
    const unsigned char first = m_ch;
    tState state;
    // 1. The first character picks the starting state (and is kept as it is, line-break character too).
    if (first == '\\') {
        state = tState::Escape;
    } else if (first == '|') {
        state = tState::Bar;
    } else if (first == '"') {
        m_token += '"';
        state = tState::Quoted;
    } else if (isOperatorStart(first)) {
        m_token += static_cast<char>(first);
        if (first == '<' || first == '>' || ((first == '+' || first == '-') && precededByBlank)) {
            state = tState::Operator;
        } else {
            readChar();
            return tTokenType::Word;
        }
    } else if (isDigit(first)) {
        m_token += static_cast<char>(first);
        state = tState::Integer;
    } else {
        m_token += static_cast<char>(first);
        state = tState::Word;
    }

    // 2. Each further character moves the state on. "break" consumes the character; "continue" hands
    //    it, unconsumed, to the word state when the token turns out not to be a number after all.
    int code = 0;
    for (readChar();;) {
        const unsigned char c = m_ch;
        if (c == 0) {
            // 3. End of text: a pending character code still counts, and a complete number is a number
            //    whether it ended in its integer, fraction or exponent part.
            if (state == tState::Code)
                m_token += static_cast<char>(code);
            return state == tState::Integer || state == tState::Fraction || state == tState::Exponent
                       ? tTokenType::Number
                       : tTokenType::Word;
        }
        switch (state) {
        case tState::Escape:
            if (isDigit(c)) {
                code = c - '0';
                state = tState::Code;
            } else {
                m_token += static_cast<char>(c);
                state = tState::Word;
            }
            break;
        case tState::Code:
            if (isDigit(c)) {
                if (code * 10 + (c - '0') <= 255)
                    code = code * 10 + (c - '0');
                break;
            }
            m_token += static_cast<char>(code);
            state = tState::Word;
            if (c == '.' || c == m_decimalSeparator)
                break; // the full stop only closes the code
            continue;
        case tState::Quoted:
            if (c == '\r' || c == ' ' || c == '[' || c == ']')
                return tTokenType::Word;
            if (c == '|') {
                state = tState::Bar;
            } else if (c == '\\') {
                state = tState::Escape;
            } else {
                appendWordChar(c); // even a delimiter: "(abc is one word
                state = tState::Word;
            }
            break;
        case tState::Bar:
            if (c == '|')
                state = tState::Word;
            else
                appendWordChar(c);
            break;
        case tState::Operator:
            if ((first == '+' || first == '-') && isDigit(c)) {
                m_token += static_cast<char>(c);
                state = tState::Integer;
                break;
            }
            if ((first == '<' && (c == '>' || c == '=')) || (first == '>' && c == '=')) {
                m_token += static_cast<char>(c);
                readChar();
            }
            return tTokenType::Word;
        case tState::Integer:
        case tState::Fraction:
            // The two differ only in that a number takes one decimal point.
            if (isDigit(c)) {
                m_token += static_cast<char>(c);
            } else if (state == tState::Integer && (c == '.' || c == m_decimalSeparator)) {
                m_token += static_cast<char>(c);
                state = tState::Fraction;
            } else if (c == 'E' || c == 'e') {
                m_token += static_cast<char>(c);
                state = tState::ExponentSign;
            } else if (isDelimiter(c)) {
                return tTokenType::Number;
            } else {
                state = tState::Word;
                continue;
            }
            break;
        case tState::ExponentSign:
            if (c == '+' || c == '-') {
                m_token += static_cast<char>(c);
                state = tState::ExponentDigitRequired;
            } else if (isDigit(c)) {
                m_token += static_cast<char>(c);
                state = tState::Exponent;
            } else {
                state = tState::Word;
                continue;
            }
            break;
        case tState::ExponentDigitRequired:
            if (!isDigit(c)) {
                state = tState::Word;
                continue;
            }
            m_token += static_cast<char>(c);
            state = tState::Exponent;
            break;
        case tState::Exponent:
            if (isDigit(c)) {
                m_token += static_cast<char>(c);
            } else if (isDelimiter(c)) {
                return tTokenType::Number;
            } else {
                state = tState::Word;
                continue;
            }
            break;
        case tState::Word:
            if (isDelimiter(c))
                return tTokenType::Word; // the delimiter begins the next token
            if (c == '\\')
                state = tState::Escape;
            else if (c == '|')
                state = tState::Bar;
            else
                appendPlainRun(c);
            break;
        }
        readChar();
    }
}

void tReader::pushWord(tLogoStack& stack)
{
    std::string_view text = m_token;
    std::string translated;
    if (text.size() > 1 && static_cast<unsigned char>(text[0]) == kInternalNameMark) {
        translated = translateWordText(m_token);
        text = translated;
    }
    // Booleans are checked on the language's spelling, so a translated internal name can be one.
    for (const std::string& word : gValueSettings.trueWords)
        if (sameName(text, word))
            return pushValue(stack, makeBoolFromSource(true, text));
    for (const std::string& word : gValueSettings.falseWords)
        if (sameName(text, word))
            return pushValue(stack, makeBoolFromSource(false, text));
    pushValue(stack, makeWord(text));
}

void tReader::pushNumber(tLogoStack& stack)
{
    int32_t integer;
    if (parseInt32(m_token, integer))
        return pushValue(stack, makeIntFromSource(integer, m_token));
    long double real;
    std::string scratch;
    if (parseReal(m_token, static_cast<char>(m_decimalSeparator), scratch, real))
        return pushValue(stack, makeRealFromSource(real, m_token));
    pushValue(stack, makeWord(m_token));
}

void tReader::buildRange(tLogoStack& stack)
{
    // Nesting is kept in m_openHeights rather than in recursion, so no depth of "[" can exhaust the
    // native stack.
    m_openHeights.clear();
    nextToken();
    for (;;) {
        switch (m_tokenType) {
        case tTokenType::End:
            if (!m_openHeights.empty()) {
                if (loadingCount() <= 0)
                    throw eLogoException(erMissingRBracket);
                // While a file loads, the end of the text closes every open list.
                while (!m_openHeights.empty()) {
                    collectList(stack, m_openHeights.back());
                    m_openHeights.pop_back();
                }
            }
            return;
        case tTokenType::Close:
            if (m_openHeights.empty())
                throw eLogoException(erExtraRBracket);
            collectList(stack, m_openHeights.back());
            m_openHeights.pop_back();
            break;
        case tTokenType::Open:
            m_openHeights.push_back(stack.count());
            break;
        case tTokenType::LineEnd:
            ++m_line;
            break;
        case tTokenType::Word:
            pushWord(stack);
            break;
        case tTokenType::Number:
            pushNumber(stack);
            break;
        }
        nextToken();
    }
}

void tReader::readOntoStack(tLogoStack& stack, bool lineMode)
{
    const int32_t entryHeight = stack.count();
    try {
        if (!lineMode) {
            startRange(0, m_text.size());
            buildRange(stack);
            return;
        }
        // Line mode: trim blanks (control characters included) at both ends; every carriage return and
        // line feed pair then ends one line, and the text's end ends the last one.
        size_t begin = 0;
        size_t end = m_text.size();
        while (begin < end && static_cast<unsigned char>(m_text[begin]) <= ' ')
            ++begin;
        while (end > begin && static_cast<unsigned char>(m_text[end - 1]) <= ' ')
            --end;
        const std::string_view body = m_text.substr(0, end);
        for (size_t lineBegin = begin;;) {
            size_t lineEnd = body.find("\r\n", lineBegin);
            if (lineEnd == std::string_view::npos)
                lineEnd = end;
            if (lineBegin != begin)
                ++m_line;
            const int32_t height = stack.count();
            startRange(lineBegin, lineEnd);
            buildRange(stack);
            collectList(stack, height);
            if (lineEnd == end)
                return;
            lineBegin = lineEnd + 2;
        }
    } catch (...) {
        stack.DropTo(entryHeight);
        throw;
    }
}

tRef<tLogoList> ReadList(std::string_view text, bool lineMode)
{
    tLogoStack stack;
    tReader(text).readOntoStack(stack, lineMode);
    return takeList(stack, 0);
}

void ReadOntoStack(tLogoStack& stack, std::string_view text, bool lineMode)
{
    tReader(text).readOntoStack(stack, lineMode);
}

void ParseCheck(std::string_view text)
{
    tLogoStack stack(100);
    tReader(text).readOntoStack(stack, false);
}

void incrementLoading() { gLoadingCounter.fetch_add(1, std::memory_order_relaxed); }
void decrementLoading() { gLoadingCounter.fetch_sub(1, std::memory_order_relaxed); }
int loadingCount() { return gLoadingCounter.load(std::memory_order_relaxed); }

} // namespace zembrio
