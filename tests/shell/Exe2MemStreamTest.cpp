// Streams over the container file and its entries.
#include "tests/support/ErrorCapture.h"
#include "ShellTestSupport.h"

#include "core/LogoException.h"
#include "shell/Exe2MemStream.h"
#include "shell/StartMode.h"

#include <functional>
#include <string>

namespace zembrio::test {
namespace {
using zembrio::testing::streamErrorOf;


class Exe2MemStream : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        file = containerFile({{"?project.zbp", bytesOf("project")}, {"Sound.WAV", bytesOf("RIFFdata")}});
        writeFile(dir / "app", file);
        openContainer(path("app"), true);
    }
    std::vector<uint8_t> file;
};

TEST_F(Exe2MemStream, EntryIsAReadOnlyMemoryStream)
{
    tExe2MemStream entry("sound.wav");
    EXPECT_EQ(entry.Size(), 8);
    EXPECT_EQ(entry.Position(), 0);
    char buf[16] = {};
    EXPECT_EQ(entry.Read(buf, 4), 4u);
    EXPECT_EQ(std::string(buf, 4), "RIFF");
    EXPECT_EQ(entry.Read(buf, sizeof buf), 4u); // stops at the entry's end, not the file's
    EXPECT_EQ(std::string(buf, 4), "data");
    EXPECT_EQ(entry.Read(buf, 1), 0u);
    entry.Seek(-2, tSeekOrigin::end);
    EXPECT_EQ(entry.Read(buf, 8), 2u);

    EXPECT_EQ(streamErrorOf([&] { entry.Write("x", 1); }), "Cannot write to internal stream");
    EXPECT_EQ(streamErrorOf([&] { entry.WriteBuffer("x", 1); }), "Cannot write to internal stream");
    entry.SetSize(1); // does nothing
    EXPECT_EQ(entry.Size(), 8);
}

TEST_F(Exe2MemStream, StreamsAreIndependent)
{
    tExe2MemStream a("?project.zbp");
    tExe2MemStream b("?PROJECT.ZBP");
    char x = 0, y = 0;
    a.Seek(3, tSeekOrigin::begin);
    a.Read(&x, 1);
    b.Read(&y, 1);
    EXPECT_EQ(x, 'j');
    EXPECT_EQ(y, 'p');
}

TEST_F(Exe2MemStream, WholeFile)
{
    tExe2MemStream whole;
    ASSERT_EQ(whole.Size(), static_cast<int64_t>(file.size()));
    EXPECT_TRUE(std::equal(file.begin(), file.end(), whole.bytes().begin()));
}

TEST_F(Exe2MemStream, Failures)
{
    EXPECT_EQ(streamErrorOf([] { tExe2MemStream s("nothing.wav"); }), "exe stream not found");
    const std::string missing = path("missing");
    EXPECT_EQ(streamErrorOf([&] { tExe2MemStream::ofFile(missing); }), "exe stream error 1 " + missing);
    EXPECT_EQ(streamErrorOf([&] { tExe2MemStream::ofFile(dir.string()); }), "exe stream error 2");

    // The file shrank after its directory was read: the entry is gone, nothing is read past the end.
    writeFile(dir / "app", bytesOf("short"));
    EXPECT_EQ(streamErrorOf([] { tExe2MemStream s("sound.wav"); }), "exe stream not found");
}

// Without a container (plain plug-in mode, or never opened) a named stream is simply not found:
// it must never run into the fatal start-up path.
TEST_F(ShellTest, NamedStreamWithoutContainerIsNotFound)
{
    writeFile(dir / "app", containerFile({{"a.wav", bytesOf("x")}}));
    gStartup.containerPath = path("app"); // known but never opened
    for (bool embedded : {false, true}) {
        gStartup.embedded = embedded;
        EXPECT_EQ(streamErrorOf([] { tExe2MemStream s("a.wav"); }), "exe stream not found");
    }
    EXPECT_FALSE(gStartup.containerOpened);
}

} // namespace
} // namespace zembrio::test
