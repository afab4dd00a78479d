// Real files for container entries: made once, reused, removed at the end.
#include "ShellTestSupport.h"

#include "core/LogoException.h"
#include "shell/StartMode.h"
#include "shell/TemporaryCopies.h"

#include <cstdlib>
#include <regex>

namespace zembrio::test {
namespace {

class TemporaryCopies : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        std::filesystem::create_directories(dir / "tmp");
        const char* old = std::getenv("TMPDIR");
        oldTmp = old ? old : "";
        hadTmp = old != nullptr;
        setenv("TMPDIR", path("tmp").c_str(), 1);
        writeFile(dir / "app", containerFile({{"Song.WAV", bytesOf("RIFF....WAVE")}, {"noext", bytesOf("x")}}));
        writeFile(dir / "disk.mid", bytesOf("MThd"));
        gStartup.embedded = true;
        gStartup.projectDirectory = folder();
        openContainer(path("app"), true);
    }
    void TearDown() override
    {
        if (hadTmp)
            setenv("TMPDIR", oldTmp.c_str(), 1);
        else
            unsetenv("TMPDIR");
        ShellTest::TearDown();
    }

    static int errorOf(const std::string& name)
    {
        try {
            temporaryCopy(name, true);
        } catch (const eLogoException& e) {
            return e.number;
        }
        return -1;
    }

    std::string oldTmp;
    bool hadTmp = false;
};

TEST_F(TemporaryCopies, MadeOnceReusedAndDeleted)
{
    const std::string copy = temporaryCopy("sounds/song.wav", true);
    ASSERT_FALSE(copy.empty());
    const std::filesystem::path p(copy);
    EXPECT_EQ(p.parent_path(), dir / "tmp");
    EXPECT_TRUE(std::regex_match(p.filename().string(), std::regex("zem[0-9]+\\.wav"))) << copy;
    EXPECT_EQ(readFile(p), bytesOf("RIFF....WAVE"));

    EXPECT_EQ(temporaryCopy("SONG.WAV", false), copy);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "tmp"), {}), 1);

    const std::string bare = temporaryCopy("noext", true);
    EXPECT_TRUE(std::regex_match(std::filesystem::path(bare).filename().string(), std::regex("zem[0-9]+"))) << bare;
    EXPECT_NE(bare, copy);

    deleteTemporaryCopies();
    EXPECT_FALSE(std::filesystem::exists(copy));
    EXPECT_FALSE(std::filesystem::exists(bare));
    EXPECT_TRUE(gStartup.temporaryCopies.empty());
}

TEST_F(TemporaryCopies, DiskFilesAndMissingNames)
{
    EXPECT_EQ(temporaryCopy("x/disk.mid", true), folder() + "disk.mid");
    EXPECT_EQ(temporaryCopy("none.wav", false), "");
    EXPECT_EQ(errorOf("none.wav"), erNoEmbeddedFileEXE);
    gStartup.embedded = false;
    EXPECT_EQ(errorOf("none.wav"), erNoEmbeddedFilePlugin);

    // Plain plug-in mode has no container: a name is looked for in the folder only.
    resetState();
    gStartup.projectDirectory = folder();
    EXPECT_EQ(temporaryCopy("song.wav", false), "");
    EXPECT_EQ(errorOf("song.wav"), erNoEmbeddedFilePlugin);
    EXPECT_EQ(temporaryCopy("disk.mid", false), folder() + "disk.mid");
}

TEST_F(TemporaryCopies, NoTemporaryFolder)
{
    setenv("TMPDIR", path("does-not-exist").c_str(), 1);
    EXPECT_EQ(temporaryCopy("song.wav", false), "");
    EXPECT_EQ(errorOf("song.wav"), erTempDirPlugin);
    EXPECT_TRUE(gStartup.temporaryCopies.empty());
}

TEST_F(TemporaryCopies, DeletedAtProcessEnd)
{
    const std::filesystem::path note = dir / "copy-path";
    EXPECT_EXIT(
        {
            const std::string copy = temporaryCopy("song.wav", true);
            writeFile(note, bytesOf(copy));
            std::exit(std::filesystem::exists(copy) ? 0 : 3);
        },
        ::testing::ExitedWithCode(0), "");
    const std::vector<uint8_t> copy = readFile(note);
    ASSERT_FALSE(copy.empty());
    EXPECT_FALSE(std::filesystem::exists(std::string(copy.begin(), copy.end())));
}

} // namespace
} // namespace zembrio::test
