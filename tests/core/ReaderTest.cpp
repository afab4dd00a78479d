#include "core/LogoException.h"
#include "core/LogoStack.h"
#include "core/LogoValues.h"
#include "core/Reader.h"
#include "core/ValueSettings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zembrio {
namespace {

// What a read value is, as a test sees it: its class and the text it prints inside a list.
struct tItem {
    char kind; // W word, I integer, R real, B boolean, L list
    std::string text;
    bool operator==(const tItem&) const = default;
};

std::ostream& operator<<(std::ostream& os, const tItem& item)
{
    return os << item.kind << ":'" << item.text << "'";
}

char kindOf(tlogoobject* value)
{
    if (valueCast<tLogoInt>(value))
        return 'I';
    if (valueCast<tLogoReal>(value))
        return 'R';
    if (valueCast<tLogoBool>(value))
        return 'B';
    if (valueCast<tLogoString>(value))
        return 'W';
    if (valueCast<tLogoList>(value))
        return 'L';
    return '?';
}

std::vector<tItem> itemsOf(tLogoList* list)
{
    std::vector<tItem> items;
    for (tLogoList* cell = list; cell && cell->first(); cell = cell->rest()) {
        std::string text;
        cell->first()->PrintForm(true, text);
        items.push_back({kindOf(cell->first()), text});
    }
    return items;
}

std::vector<tItem> read(const std::string& text)
{
    return itemsOf(ReadList(text, false).get());
}

std::string printed(const tRef<tLogoList>& list)
{
    std::string out;
    list->PrintForm(true, out);
    return out;
}

errorConst readError(const std::string& text, bool lineMode = false)
{
    try {
        ReadList(text, lineMode);
    } catch (const eLogoException& e) {
        return e.number;
    }
    return errorConst(0);
}

// Restores the settings and the loading counter that a test changes.
class ReaderTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        gValueSettings = m_saved;
        while (loadingCount() > 0)
            decrementLoading();
    }

private:
    tValueSettings m_saved = gValueSettings;
};

struct tReadCase {
    const char* name;
    std::string text;
    std::vector<tItem> items;
};

TEST_F(ReaderTest, ReadsTextIntoValues)
{
    const std::vector<tReadCase> cases = {
        {"nested list", "[a [b c] d]", {{'L', "[a [b c] d]"}}},
        {"sign after blank is part of the number", "print -3", {{'W', "print"}, {'I', "-3"}}},
        {"sign at text start", "+5 -2.5", {{'I', "+5"}, {'R', "-2.5"}}},
        {"sign after [", "[-3]", {{'L', "[-3]"}}},
        {"minus between numbers", "5-3", {{'I', "5"}, {'W', "-"}, {'I', "3"}}},
        {"minus between blanks", "5 - 3", {{'I', "5"}, {'W', "-"}, {'I', "3"}}},
        {"minus after parenthesis", "(-3)", {{'W', "("}, {'W', "-"}, {'I', "3"}, {'W', ")"}}},
        {"plus after a word", "a+5", {{'W', "a"}, {'W', "+"}, {'I', "5"}}},
        {"two-character operators", "a<>b <= c>=d",
         {{'W', "a"}, {'W', "<>"}, {'W', "b"}, {'W', "<="}, {'W', "c"}, {'W', ">="}, {'W', "d"}}},
        {"lone comparison", "a < b >3",
         {{'W', "a"}, {'W', "<"}, {'W', "b"}, {'W', ">"}, {'I', "3"}}},
        {"operators are one-character words", "a*b/c=d",
         {{'W', "a"}, {'W', "*"}, {'W', "b"}, {'W', "/"}, {'W', "c"}, {'W', "="}, {'W', "d"}}},
        {"quotation mark ends a word", "abc\"def", {{'W', "abc"}, {'W', "\"def"}}},
        {"delimiter right after a leading quote", "\"(abc", {{'W', "\"(abc"}}},
        {"quote alone", "\" \"", {{'W', "\""}, {'W', "\""}}},
        {"quote before a bracket", "\"[a]", {{'W', "\""}, {'L', "[a]"}}},
        {"quote with bars", "\"|a b|", {{'W', "\"a b"}}},
        {"digits then letters", "12abc", {{'W', "12abc"}}},
        {"exponent", "1e5 x", {{'R', "1e5"}, {'W', "x"}}},
        {"exponent without digits", "1e", {{'W', "1e"}}},
        {"exponent sign without digits", "1e+ 1e-x", {{'W', "1e+"}, {'W', "1e-x"}}},
        {"exponent then letters", "1e5x", {{'W', "1e5x"}}},
        {"second decimal point", "1.2.3", {{'W', "1.2.3"}}},
        {"integer too large for 32 bits", "12345678901", {{'R', "12345678901"}}},
        {"32-bit limits", "2147483647 -2147483648 2147483648",
         {{'I', "2147483647"}, {'I', "-2147483648"}, {'R', "2147483648"}}},
        {"real too large", "1e99999", {{'W', "1e99999"}}},
        {"source spelling kept", "007 1.50", {{'I', "007"}, {'R', "1.50"}}},
        {"bars keep spaces", "|a b|", {{'W', "a b"}}},
        {"bars inside a word", "ab|c d|e", {{'W', "abc de"}}},
        {"bars keep brackets", "|[a]|", {{'W', "[a]"}}},
        {"unclosed bar", "|a b", {{'W', "a b"}}},
        {"escaped bracket", "\\[", {{'W', "["}}},
        {"escaped space", "a\\ b", {{'W', "a b"}}},
        {"character code", "\\65.", {{'W', "A"}}},
        {"character code then more", "\\65.5 x\\66y", {{'W', "A5"}, {'W', "xBy"}}},
        {"code digit beyond 255 dropped", "\\300", {{'W', "\x1e"}}},
        {"tab code", "a\\9.b", {{'W', "a\tb"}}},
        {"escape at end of text", "\\", {{'W', ""}}},
        {"tab separates", "a\tb", {{'W', "a"}, {'W', "b"}}},
        {"line feed ignored", "a\nb", {{'W', "ab"}}},
        {"control character separates", "a\x01" "b", {{'W', "a"}, {'W', "b"}}},
        {"zero byte separates", std::string("a\0b", 3), {{'W', "a"}, {'W', "b"}}},
        {"carriage return separates", "a\rb", {{'W', "a"}, {'W', "b"}}},
        {"line-break character first stays", "\xB6" "a", {{'W', "\xB6" "a"}}},
        {"escaped line-break character stays", "a\\\xB6", {{'W', "a\xB6"}}},
        {"true word", "true", {{'B', "true"}}},
        {"boolean keeps its spelling", "FALSE True", {{'B', "FALSE"}, {'B', "True"}}},
        {"semicolon is a word", "a;b", {{'W', "a"}, {'W', ";"}, {'W', "b"}}},
        {"empty list", "[]", {{'L', "[]"}}},
        {"empty text", "", {}},
        {"blanks only", "  \t ", {}},
    };
    for (const tReadCase& c : cases)
        EXPECT_EQ(read(c.text), c.items) << c.name;
}

TEST_F(ReaderTest, NumberAtEndOfTextIsANumber)
{
    // A number's last part may be its fraction or exponent when nothing follows it.
    const std::vector<tReadCase> cases = {
        {"fraction", "1.5", {{'R', "1.5"}}},
        {"exponent", "1e5", {{'R', "1e5"}}},
        {"signed exponent", "x 2.5e-3", {{'W', "x"}, {'R', "2.5e-3"}}},
        {"trailing point", "3.", {{'R', "3."}}},
    };
    for (const tReadCase& c : cases)
        EXPECT_EQ(read(c.text), c.items) << c.name;

    auto list = ReadList("1e5", false);
    EXPECT_EQ(static_cast<tLogoReal*>(list->first())->value(), 100000.0L);
    list = ReadList("-0.25", false);
    EXPECT_EQ(static_cast<tLogoReal*>(list->first())->value(), -0.25L);
}

TEST_F(ReaderTest, TooSmallRealReadsAsZero)
{
    auto list = ReadList("1e-99999", false);
    ASSERT_EQ(kindOf(list->first()), 'R');
    EXPECT_EQ(static_cast<tLogoReal*>(list->first())->value(), 0.0L);
    std::string text;
    list->first()->PrintForm(false, text);
    EXPECT_EQ(text, "1e-99999");
}

TEST_F(ReaderTest, NestedListStructure)
{
    auto list = ReadList("[a [b c] d] e", false);
    ASSERT_EQ(list->count(), 2);
    auto* outer = valueCast<tLogoList>(list->first());
    ASSERT_NE(outer, nullptr);
    ASSERT_EQ(outer->count(), 3);
    auto* inner = valueCast<tLogoList>(outer->rest()->first());
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(itemsOf(inner), (std::vector<tItem>{{'W', "b"}, {'W', "c"}}));
    // The token right after "[" belongs to the list, also when it is a number or another list.
    EXPECT_EQ(printed(ReadList("[[1] 2]", false)), "[[[1] 2]]");
    EXPECT_EQ(read("[5 x]"), (std::vector<tItem>{{'L', "[5 x]"}}));
}

TEST_F(ReaderTest, LineBreakCharacterInsideAWordIsACarriageReturn)
{
    for (const char* text : {"a\xB6" "b", "|a\xB6" "b|", "\"a\xB6" "b", "1\xB6" "b"}) {
        auto list = ReadList(text, false);
        auto* word = valueCast<tLogoString>(list->first());
        ASSERT_NE(word, nullptr) << text;
        EXPECT_EQ(word->text().find('\r'), word->text().size() - 2) << text;
        EXPECT_EQ(word->text().back(), 'b') << text;
    }
}

TEST_F(ReaderTest, SettingsOfTheLanguage)
{
    gValueSettings.decimalSeparator = ',';
    gValueSettings.trueWords = {"pravda", "ano"};
    gValueSettings.falseWords = {"nepravda"};

    auto list = ReadList("1,5 2.5 \\65,x ANO true nepravda", false);
    EXPECT_EQ(itemsOf(list.get()),
              (std::vector<tItem>{{'R', "1,5"}, {'R', "2.5"}, {'W', "Ax"}, {'B', "ANO"}, {'W', "true"},
                                  {'B', "nepravda"}}));
    EXPECT_EQ(static_cast<tLogoReal*>(list->first())->value(), 1.5L);
}

TEST_F(ReaderTest, InternalNamesAreTranslated)
{
    const std::string name = "\xB7" "forward";
    auto list = ReadList(name, false);
    auto* word = valueCast<tLogoString>(list->first());
    ASSERT_NE(word, nullptr);
    EXPECT_EQ(word->text(), translateWordText(name));
    // The mark alone is no internal name.
    EXPECT_EQ(read("\xB7"), (std::vector<tItem>{{'W', "\xB7"}}));
}

TEST_F(ReaderTest, ScannerTokens)
{
    tReader reader("a [1]\r\n\"x <= -2");
    const std::vector<std::pair<tTokenType, std::string>> expected = {
        {tTokenType::Word, "a"},     {tTokenType::Open, ""},    {tTokenType::Number, "1"},
        {tTokenType::Close, ""},     {tTokenType::LineEnd, ""}, {tTokenType::Word, "\"x"},
        {tTokenType::Word, "<="},    {tTokenType::Number, "-2"}, {tTokenType::End, ""},
        {tTokenType::End, ""},
    };
    for (const auto& [type, text] : expected) {
        EXPECT_EQ(reader.nextToken(), type);
        EXPECT_EQ(reader.tokenText(), text);
    }
}

TEST_F(ReaderTest, BracketErrors)
{
    const std::vector<std::pair<std::string, errorConst>> cases = {
        {"]", erExtraRBracket},
        {"a ] b", erExtraRBracket},
        {"[[a]]]", erExtraRBracket},
        {"[", erMissingRBracket},
        {"[a [b]", erMissingRBracket},
        {"[1.5", erMissingRBracket},
        {"|]|", errorConst(0)},
        {"\\]", errorConst(0)},
    };
    for (const auto& [text, error] : cases)
        EXPECT_EQ(readError(text), error) << text;

    EXPECT_NO_THROW(ParseCheck("to sq [fd 10] end"));
    EXPECT_THROW(ParseCheck("[a"), eLogoException);
    EXPECT_THROW(ParseCheck("a]"), eLogoException);
}

TEST_F(ReaderTest, LoadingClosesOpenLists)
{
    {
        tLoadingScope loading;
        EXPECT_EQ(printed(ReadList("[a [b 1.5", false)), "[[a [b 1.5]]]");
        EXPECT_EQ(readError("a]"), erExtraRBracket); // an extra "]" is never forgiven
        tLoadingScope nested;
        EXPECT_EQ(loadingCount(), 2);
    }
    EXPECT_EQ(loadingCount(), 0);
    EXPECT_EQ(readError("[a"), erMissingRBracket);
}

TEST_F(ReaderTest, DeepNestingUsesNoRecursion)
{
    constexpr int kDepth = 100000;
    const std::string open(kDepth, '[');
    auto list = ReadList(open + "x" + std::string(kDepth, ']'), false);
    int depth = 0;
    tlogoobject* item = list->first();
    while (auto* inner = valueCast<tLogoList>(item)) {
        ++depth;
        item = inner->first();
    }
    EXPECT_EQ(depth, kDepth);
    EXPECT_EQ(kindOf(item), 'W');

    EXPECT_EQ(readError(open), erMissingRBracket);
    tLoadingScope loading;
    EXPECT_NO_THROW(ReadList(open, false));
}

TEST_F(ReaderTest, LineMode)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"  to sq\r\nfd 10\r\nend  \r\n\r\n", "[[to sq] [fd 10] [end]]"},
        {"a\r\n\r\nb", "[[a] [] [b]]"},
        {"a\rb\r\nc", "[[a b] [c]]"},     // a lone carriage return does not split lines
        {"a\nb\r\nc", "[[ab] [c]]"},       // nor does a lone line feed
        {"[x 1]\r\n-2", "[[[x 1]] [-2]]"}, // each line starts afresh: "-2" is a number
        {"", "[[]]"},
        {" \t\r\n ", "[[]]"},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(printed(ReadList(text, true)), expected) << text;

    EXPECT_EQ(readError("[a\r\nb]", true), erMissingRBracket); // a list never spans lines
}

TEST_F(ReaderTest, LineCounter)
{
    tLogoStack stack;
    tReader flat("a\rb\r\nc [\r] d");
    flat.readOntoStack(stack, false);
    EXPECT_EQ(flat.line(), 4);

    tReader lines("a\rb\r\nc\r\nd");
    lines.readOntoStack(stack, true);
    EXPECT_EQ(lines.line(), 4);

    tReader failing("a\r\nb\r\n]");
    EXPECT_THROW(failing.readOntoStack(stack, true), eLogoException);
    EXPECT_EQ(failing.line(), 3);
}

TEST_F(ReaderTest, ReadOntoStackLeavesValuesOrRestoresTheStack)
{
    tLogoStack stack;
    tRef<tlogoobject> marker(new tLogoString("marker"));
    stack.Push(marker.get());

    ReadOntoStack(stack, "a [b] 3", false);
    ASSERT_EQ(stack.count(), 4);
    EXPECT_EQ(kindOf(stack.Peek(2)), 'W');
    EXPECT_EQ(kindOf(stack.Peek(1)), 'L');
    EXPECT_EQ(kindOf(stack.Peek(0)), 'I');
    stack.DropTo(1);

    ReadOntoStack(stack, "a\r\nb c", true);
    ASSERT_EQ(stack.count(), 3);
    EXPECT_EQ(printed(tRef<tLogoList>(static_cast<tLogoList*>(stack.Peek(0)))), "[b c]");
    stack.DropTo(1);

    EXPECT_THROW(ReadOntoStack(stack, "a b [c", false), eLogoException);
    EXPECT_THROW(ReadOntoStack(stack, "a\r\nb ]", true), eLogoException);
    ASSERT_EQ(stack.count(), 1);
    EXPECT_EQ(stack.Top(), marker.get());
    stack.Clear();
}

} // namespace
} // namespace zembrio
