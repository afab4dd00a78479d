// Loading the project dictionary (file beside the project, compiled-in resource), the words cached from it,
// and the lookups built on it.
#include "DictionaryTestSupport.h"

#include "core/DictionaryLookup.h"
#include "core/NameTable.h"
#include "core/ValueSettings.h"
#include "shell/DictionaryWords.h"
#include "shell/ProjectFiles.h"
#include "tests/support/ErrorCapture.h"

#include <gmock/gmock.h>

namespace zembrio::test {
namespace {

using ::testing::ElementsAre;

// A small language with everything the load caches.
const std::string_view kTestish =
    "[other]\n"
    "true = ano Yes\n"
    "false = ne\n"
    "clipboard = Schranka\n"
    "[param]\n"
    "usual = obvykle\n"
    "[system]\n"
    "setfix = nastav*Hodnotu\n"
    "[class]\n"
    "main = hlavni\n"
    "[dict]\n"
    "any = cokoli nahodne\n"
    "print = tiskni pis\n"
    "empty =\n"
    "[text]\n"
    "lines = one\\ntwo\\Nthree\n"
    "one = Cannot open %s now (%S stays)\n"
    "two = %S2 before %s1\n"
    "ordered = %s1 then %s2\n"
    "[set]\n"
    "colour = nastavbarvu\n";

using ProjectDictionary = DictionaryTest;

TEST_F(ProjectDictionary, StarAndEmptyNameLoadEnglish)
{
    for (const char* name : {"*", "", "English"}) {
        unloadProjectDictionary();
        EXPECT_FALSE(isCurrentLanguage(name)) << name;
        ASSERT_TRUE(loadProjectDictionary(name, false)) << name;
        EXPECT_EQ(projectLanguage(), "english");
        for (const char* same : {"*", "", "ENGLISH", "english"})
            EXPECT_TRUE(isCurrentLanguage(same)) << same;
        EXPECT_FALSE(isCurrentLanguage("czech"));
        // The compiled-in resource: the core now reads English names through it.
        EXPECT_EQ(primaryName("dict", "print"), "print");
    }
}

TEST_F(ProjectDictionary, FileBesideTheProjectComesFirst)
{
    writeLdx("english", "[dict]\nprint = tisk\n");
    ASSERT_TRUE(loadProjectDictionary("english", false));
    EXPECT_EQ(getStr("dict", "print", false), "tisk");
    EXPECT_EQ(getStr("dict", "repeat", false), ""); // the file replaces the resource whole
}

TEST_F(ProjectDictionary, FileWithoutEntriesFallsBackToTheResource)
{
    const struct {
        const char* what;
        std::vector<uint8_t> file;
    } cases[] = {
        {"empty file", {}},
        {"seed byte only", coded("")},
        {"no section", coded("print = tisk\n")},
        {"first section empty", coded("[dict]\nprint = tisk\n[aaa]\n")},
    };
    for (const auto& c : cases) {
        unloadProjectDictionary();
        writeFile(dir / "english.ldx", c.file);
        ASSERT_TRUE(loadProjectDictionary("english", false)) << c.what;
        EXPECT_EQ(primaryName("dict", "print"), "print") << c.what;
        EXPECT_EQ(projectDictionary()->section("aaa"), nullptr) << c.what;
    }
}

TEST_F(ProjectDictionary, LanguageWithoutFileOrResourceFailsAndKeepsThePrevious)
{
    writeLdx("testish", kTestish);
    ASSERT_TRUE(loadProjectDictionary("testish", false));
    const auto before = projectDictionary();

    EXPECT_FALSE(loadProjectDictionary("klingon", false));
    EXPECT_FALSE(loadProjectDictionary("klingon", true));
    EXPECT_EQ(projectLanguage(), "testish");
    EXPECT_EQ(projectDictionary(), before);
    EXPECT_EQ(getStr("dict", "print", false), "tiskni pis");
}

TEST_F(ProjectDictionary, CheckOnlyInstallsNothing)
{
    writeLdx("testish", kTestish);
    EXPECT_TRUE(loadProjectDictionary("testish", true));
    EXPECT_TRUE(loadProjectDictionary("*", true));
    EXPECT_EQ(projectLanguage(), "");
    EXPECT_EQ(projectDictionary(), nullptr);
}

TEST_F(ProjectDictionary, SameLanguageAgainDoesNotReload)
{
    writeLdx("testish", kTestish);
    ASSERT_TRUE(loadProjectDictionary("TESTISH", false));
    writeLdx("testish", "[dict]\nprint = changed\n");
    EXPECT_TRUE(loadProjectDictionary("testish", false));
    EXPECT_EQ(getStr("dict", "print", false), "tiskni pis");
}

TEST_F(ProjectDictionary, InstallCachesTheLanguagesWords)
{
    writeLdx("testish", kTestish);
    ASSERT_TRUE(loadProjectDictionary("testish", false));

    EXPECT_THAT(gValueSettings.trueWords, ElementsAre("ano", "Yes"));
    EXPECT_THAT(gValueSettings.falseWords, ElementsAre("ne"));
    EXPECT_THAT(gValueSettings.anyWords, ElementsAre("cokoli", "nahodne"));
    EXPECT_TRUE(isTrueWord("YES"));
    EXPECT_TRUE(isFalseWord("Ne"));
    EXPECT_FALSE(isTrueWord("true"));
    EXPECT_EQ(booleanWord(true), "ano");
    EXPECT_EQ(booleanWord(false), "ne");
    EXPECT_EQ(setterFormOf("barva modra"), "nastavbarvaHodnotu");

    // The core reads through the installed dictionary.
    const tDictionaryLookup& core = dictionary();
    std::string value;
    EXPECT_TRUE(core.projectText("DICT", "Print", value));
    EXPECT_EQ(value, "tiskni pis");
    EXPECT_FALSE(core.projectText("dict", "absent", value));
    EXPECT_EQ(core.setterForm("barva"), "nastavbarvaHodnotu");
    EXPECT_TRUE(isSynonymOf("PIS", "dict", "print"));
    EXPECT_EQ(Translate("\xB7print"), "tiskni");
    EXPECT_EQ(Translate("\xB7setprint"), "nastavtiskniHodnotu");
    EXPECT_EQ(Translate("\xB7set\xB7" "colour"), "nastavbarvu");
}

TEST_F(ProjectDictionary, MissingWordsKeepTheirDefaults)
{
    writeLdx("bare", "[dict]\nprint = tisk\n");
    ASSERT_TRUE(loadProjectDictionary("bare", false));
    EXPECT_THAT(gValueSettings.trueWords, ElementsAre("true"));
    EXPECT_THAT(gValueSettings.falseWords, ElementsAre("false"));
    EXPECT_THAT(gValueSettings.anyWords, ElementsAre("any"));
    EXPECT_EQ(setterFormOf("colour"), "setcolour");

    writeLdx("prefixonly", "[system]\nsetfix = nastav\n");
    ASSERT_TRUE(loadProjectDictionary("prefixonly", false));
    EXPECT_EQ(setterFormOf("colour"), "nastavcolour");
}

TEST_F(ProjectDictionary, GetStrReportsWhatIsMissing)
{
    EXPECT_EQ(getStr("dict", "print", true), "");
    EXPECT_THAT(AlertLog::texts, ElementsAre("Internal error - Dictionary not initialised in getStr"));
    EXPECT_EQ(AlertLog::fatal, 1);

    AlertLog::texts.clear();
    writeLdx("testish", kTestish);
    ASSERT_TRUE(loadProjectDictionary("testish", false));
    EXPECT_EQ(getStr("dict", "nosuch", false), "");
    EXPECT_EQ(getStr("dict", "empty", true), ""); // present, though empty
    EXPECT_EQ(dictEntry("print"), "tiskni pis");
    EXPECT_TRUE(AlertLog::texts.empty());
    EXPECT_EQ(dictEntry("nosuch"), "");
    EXPECT_EQ(setEntry("nosuch"), "");
    EXPECT_EQ(getEntry("nosuch"), "");
    EXPECT_THAT(AlertLog::texts, ElementsAre("Translation Error - Unknown language string: dict-nosuch"));
    EXPECT_EQ(AlertLog::fatal, 1);
}

TEST_F(ProjectDictionary, PrimaryNames)
{
    writeLdx("testish", kTestish);
    ASSERT_TRUE(loadProjectDictionary("testish", false));
    const struct {
        const char* key;
        const char* primary;
        const char* orEmpty;
    } cases[] = {
        {"print", "tiskni", "tiskni"},
        {"empty", "@empty@", ""},
        {"absent", "@absent@", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(primaryName("dict", c.key), c.primary);
        EXPECT_EQ(primaryNameOrEmpty("dict", c.key), c.orEmpty);
    }
}

TEST_F(ProjectDictionary, TextEntries)
{
    writeLdx("testish", kTestish);
    ASSERT_TRUE(loadProjectDictionary("testish", false));
    EXPECT_EQ(textEntry("lines"), "one\r\ntwo\r\nthree");
    EXPECT_EQ(textEntry("absent"), "@absent@");
    EXPECT_EQ(textEntry("one", "x.zbp"), "Cannot open x.zbp now (%S stays)");
    EXPECT_EQ(textEntry("two", "A", "B"), "B before A");
    EXPECT_EQ(textEntry("ordered", "A", "B"), "A then B");
    EXPECT_EQ(textEntry("ordered", "%s2", "B"), "%s2 then B"); // arguments are not searched for markers
    EXPECT_EQ(textEntry("lines", "unused"), "one\r\ntwo\r\nthree");
}

TEST_F(ProjectDictionary, TheLanguagesWordForTheClipboardNamesIt)
{
    writeLdx("testish", kTestish);
    writeFile(dir / "other.zbp", bytesOf("x"));
    auto errorOf = [](const std::string& name) {
        return testing::logoErrorOf([&] { openProjectFile(name); });
    };
    EXPECT_EQ(errorOf("schranka"), erNoEmbeddedFilePlugin);
    ASSERT_TRUE(loadProjectDictionary("testish", false));
    EXPECT_EQ(errorOf("SCHRANKA"), erClipboard);
    EXPECT_EQ(errorOf("clipboard"), erClipboard);
    EXPECT_EQ(errorOf("other.zbp"), std::nullopt);
}

} // namespace
} // namespace zembrio::test
