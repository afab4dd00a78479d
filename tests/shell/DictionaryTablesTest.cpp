// Parsing dictionary text into sorted sections and looking entries up.
#include "shell/DictionaryTables.h"

#include "shell/CodedBuffer.h"

#include <gtest/gtest.h>

namespace zembrio {
namespace {

using namespace std::string_view_literals;

// One text with every rule of the format in it; lines end in CR LF, LF and CR alike.
const std::string_view kText =
    "lost = before any section\r\n"
    "; a comment\n"
    "[Other]\n"
    "  Print   =  Tisk PR  \r"
    "no equals sign here\n"
    "\t= nothing before the equals sign\n"
    "blank =\n"
    "sum = a = b\n"
    "twice = first\n"
    "twice = second\n"
    "\xE9t\xE9 = accented key\n"
    "zebra = last in ASCII\n"
    "[  Shared Name ]\n"
    "old = only in the first one\n"
    "[empty]\n"
    "[shared name]\n"
    "new = the later section wins\n"
    "   [bracket = an entry, since the line does not end in a bracket\n";

struct Case {
    const char* section;
    const char* key;
    bool found;
    const char* value;
};

TEST(DictionaryTables, Lookups)
{
    const TDTables tables = parseDictionary(kText);
    const Case cases[] = {
        {"other", "print", true, "Tisk PR"},           // key lower-cased and trimmed, value keeps its case
        {"OTHER", "PRINT", true, "Tisk PR"},           // lookups lower-case too
        {"other", "lost", false, ""},                  // before the first section
        {"other", "no equals sign here", false, ""},
        {"other", "", false, ""},                      // an empty key is ignored
        {"other", "blank", true, ""},                  // an empty value still counts as an entry
        {"other", "sum", true, "a = b"},               // split at the first "=" only
        {"other", "twice", true, "first"},             // equal keys: the first one
        {"other", "\xE9t\xE9", true, "accented key"},
        {"other", "zebra", true, "last in ASCII"},
        {"shared name", "new", true, "the later section wins"},
        {"shared name", "old", false, ""},             // sections are not merged
        {"empty", "anything", false, ""},
        {"missing", "print", false, ""},
        {"", "print", false, ""},
        {"shared name", "[bracket", true, "an entry, since the line does not end in a bracket"},
    };
    for (const Case& c : cases) {
        std::string value = "stale";
        EXPECT_EQ(tables.lookup(c.section, c.key, value), c.found) << c.section << "-" << c.key;
        EXPECT_EQ(value, c.value) << c.section << "-" << c.key;
    }
}

TEST(DictionaryTables, SortedByBytesKeepingOrderOfAppearance)
{
    const TDTables tables = parseDictionary(kText);
    std::vector<std::string> sections;
    for (const TDTable& t : tables.sections)
        sections.push_back(t.name);
    EXPECT_EQ(sections, (std::vector<std::string>{"empty", "other", "shared name", "shared name"}));
    EXPECT_EQ(tables.sections[2].pairs.front().first, "old");

    std::vector<std::pair<std::string, std::string>> expected{
        {"blank", ""},        {"print", "Tisk PR"},      {"sum", "a = b"},
        {"twice", "first"},   {"twice", "second"},       {"zebra", "last in ASCII"},
        {"\xE9t\xE9", "accented key"}, // bytes compare unsigned: 0xE9 after every ASCII letter
    };
    EXPECT_EQ(tables.sections[1].pairs, expected);
}

TEST(DictionaryTables, ZeroByteEndsTheText)
{
    const TDTables tables = parseDictionary("[a]\nx = 1\n\0[b]\ny = 2\n"sv);
    ASSERT_EQ(tables.sections.size(), 1u);
    std::string value;
    EXPECT_TRUE(tables.lookup("a", "x", value));
    EXPECT_FALSE(tables.lookup("b", "y", value));
}

TEST(DictionaryTables, CodedDictionaryAndLanguageName)
{
    const auto stored = encodeCoded("czech\0[Dict]\nprint = tiskni\n"sv, 3);
    tMemoryView view(stored.data(), stored.size());
    const TDTables withName = readCodedDictionary(view);
    EXPECT_TRUE(withName.empty()); // the name's zero byte ends the text for a project dictionary

    std::vector<uint8_t> plain = stored;
    decodeCodedInPlace(plain);
    plain.pop_back();
    const auto named = splitLanguageName(std::string_view(reinterpret_cast<const char*>(plain.data()), plain.size()));
    EXPECT_EQ(named.language, "czech");
    std::string value;
    EXPECT_TRUE(parseDictionary(named.text).lookup("dict", "print", value));
    EXPECT_EQ(value, "tiskni");

    EXPECT_EQ(splitLanguageName("no zero byte").language, "no zero byte");
    EXPECT_EQ(splitLanguageName("no zero byte").text, "");
}

} // namespace
} // namespace zembrio
