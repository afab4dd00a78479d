// The application dictionary: choosing it by language, its texts, the found flag and section lists.
#include "DictionaryTestSupport.h"

#include "core/DictionaryLookup.h"
#include "shell/BuiltinResources.h"

#include <gmock/gmock.h>

#include <thread>

namespace zembrio::test {
namespace {

using namespace std::string_view_literals;

std::vector<uint8_t> blob(std::string_view language, std::string_view text)
{
    std::string plain(language);
    plain += '\0';
    plain += text;
    return coded(plain);
}

class ApplicationDictionary : public DictionaryTest {
protected:
    const std::vector<uint8_t> english = blob("english", "[strings]\nGreeting = Hello\n");
    const std::vector<uint8_t> czech = blob("Czech", "[strings]\nGreeting = Ahoj\n");
    const std::vector<uint8_t> nameless = coded("[strings]\nGreeting = Nobody\n");
    const std::span<const uint8_t> blobs[3] = {english, czech, nameless};

    static std::string greeting(const tApplicationDictionary& d)
    {
        std::string value;
        return d.tables && d.tables->lookup("strings", "greeting", value) ? value : "(none)";
    }

    void use(std::string_view text)
    {
        installApplicationDictionary({std::make_shared<const TDTables>(parseDictionary(text)), "english"});
    }
};

TEST_F(ApplicationDictionary, ChosenByLanguageWithTheFirstAsDefault)
{
    const struct {
        const char* wanted;
        const char* greeting;
        const char* language;
    } cases[] = {
        {"czech", "Ahoj", "czech"},    // names compare without regard to case
        {"ENGLISH", "Hello", "english"},
        {"*", "Hello", "english"},
        {"", "Hello", "english"},
        {"klingon", "Hello", "klingon"}, // the default stands in; the wanted name is kept
    };
    for (const auto& c : cases) {
        const tApplicationDictionary d = chooseApplicationDictionary(c.wanted, blobs);
        EXPECT_EQ(greeting(d), c.greeting) << c.wanted;
        EXPECT_EQ(d.language, c.language) << c.wanted;
    }
    EXPECT_EQ(chooseApplicationDictionary("english", {}).tables, nullptr);
}

TEST_F(ApplicationDictionary, TextsTurnPilcrowsIntoLineBreaksAndSetTheFoundFlag)
{
    use("[strings]\nTwoLines = first\xB6second\xB6\nEmpty =\nLoading = Loading %s (100%%)\n"
        "[A]\nonly = from a\nboth = from a\nblank =\n[B]\nboth = from b\nblank = from b\n");

    EXPECT_EQ(appText("Strings", "twolines"), "first\r\nsecond\r\n");
    clearAppTextFound();
    EXPECT_EQ(appText("strings", "absent"), "");
    EXPECT_FALSE(appTextFound());
    EXPECT_EQ(appText("strings", "empty"), "");
    EXPECT_TRUE(appTextFound()); // an empty entry is still found
    EXPECT_EQ(appString("Loading", "x.zbp"), "Loading x.zbp (100%)");
    EXPECT_EQ(appString("absent", "x"), "");

    // The flag belongs to the thread that looked.
    bool otherThreadSaw = true;
    std::thread([&] { otherThreadSaw = appTextFound(); }).join();
    EXPECT_FALSE(otherThreadSaw);

    const std::vector<std::string> sections{"a", "b"};
    EXPECT_EQ(appTextInSections(sections, "both"), "from a");
    EXPECT_EQ(appTextInSections(sections, "blank"), "from b"); // the first non-empty value
    EXPECT_EQ(appTextInSections(sections, "absent"), "");
    EXPECT_FALSE(appTextFound()); // cleared first
}

TEST_F(ApplicationDictionary, CoreReadsTextsOnceAProjectDictionaryIsInstalled)
{
    use("[errors]\nerFileProblem = Problem with #h\n");
    std::string text;
    EXPECT_FALSE(dictionary().appText("errors", "erFileProblem", text)); // nothing installed yet
    ASSERT_TRUE(loadProjectDictionary("english", false));
    EXPECT_TRUE(dictionary().appText("errors", "erFileProblem", text));
    EXPECT_EQ(text, "Problem with #h");
    EXPECT_FALSE(dictionary().appText("errors", "erNoSuchError", text));
}

TEST_F(ApplicationDictionary, BuiltInDictionariesStartWithEnglish)
{
    const auto builtin = builtinApplicationDictionaries();
    ASSERT_FALSE(builtin.empty());
    std::vector<uint8_t> first(builtin[0].begin(), builtin[0].end());
    decodeCodedInPlace(first);
    first.pop_back();
    EXPECT_EQ(splitLanguageName(asText(first)).language, "english");

    for (const char* hint : {"*", "no such language"}) {
        forgetApplicationDictionary();
        setApplicationLanguageHint(hint);
        EXPECT_NE(appText("errors", "erFileProblem"), "") << hint; // loaded at the first text
        EXPECT_TRUE(isApplicationLanguage(hint == "*"sv ? "English" : "NO SUCH LANGUAGE")) << hint;
    }
}

} // namespace
} // namespace zembrio::test
