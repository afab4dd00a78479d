// The build's dictionary converter: UTF-8 sources become coded Windows-1250 text, and a slip in a source
// fails the build with its file and line.
#include "DictionaryTestSupport.h"

#include <gmock/gmock.h>

#include <sys/wait.h>

namespace zembrio::test {
namespace {

using ::testing::HasSubstr;

class DictionaryTool : public DictionaryTest {
protected:
    // Exit status and standard error of the converter run on a source holding text.
    std::pair<int, std::string> convert(std::string_view text, const std::string& output)
    {
        writeFile(dir / "source.dict", bytesOf(text));
        const std::string command = "'" ZEMBRIO_BIN_DIR "/zembrio-dict' --ldx '" + path("source.dict") + "' '"
                                    + output + "' 2>'" + path("stderr") + "'";
        const int raw = std::system(command.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, asText(readFile(dir / "stderr"))};
    }
};

TEST_F(DictionaryTool, ConvertedFileLoadsBesideTheProject)
{
    // UTF-8 with a byte-order mark, accented letters, the pilcrow and the middle dot.
    const auto [status, err] = convert("\xEF\xBB\xBF; Czech-ish\n[Dict]\n  Print = ti\xC5\xA1k\xC3\xAD \xC2\xB6\xC2\xB7\n"
                                       "[other]\r\ntrue = ano\r\n",
                                       path("testish.ldx"));
    ASSERT_EQ(status, 0) << err;
    ASSERT_TRUE(loadProjectDictionary("testish", false));
    EXPECT_EQ(getStr("dict", "print", false), "ti\x9Ak\xED \xB6\xB7");
    EXPECT_EQ(getStr("other", "true", false), "ano");
}

TEST_F(DictionaryTool, MalformedSourcesFail)
{
    const struct {
        const char* what;
        const char* text;
        const char* message;
    } cases[] = {
        {"entry before any section", "; fine\n\nprint = print\n", "source.dict:3: line outside any section"},
        {"no equals sign", "[dict]\nprint = print\nrepeat\n", "source.dict:3: entry without \"=\""},
        {"no key", "[dict]\r\n = print\r\n", "source.dict:2: entry without a key"},
        {"invalid UTF-8", "[dict]\nprint = pr\xC3\n", "source.dict:2: column 11: invalid UTF-8"},
        {"not in the code page", "[dict]\n\nprint = \xD0\xB6\n",
         "source.dict:3: column 9: character U+0436 is not in Windows-1250"},
    };
    for (const auto& c : cases) {
        const auto [status, err] = convert(c.text, path("out.ldx"));
        EXPECT_EQ(status, 1) << c.what;
        EXPECT_THAT(err, HasSubstr(c.message)) << c.what;
        EXPECT_FALSE(std::filesystem::exists(dir / "out.ldx")) << c.what;
    }
}

} // namespace
} // namespace zembrio::test
