// Memory and file streams: the behaviour loaders rely on at ends, gaps and errors.
#include "tests/support/ErrorCapture.h"
#include "core/FileStream.h"
#include "core/LogoException.h"
#include "core/Stream.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <random>
#include <string>

namespace zembrio {
namespace {
using zembrio::testing::streamErrorOf;


TEST(MemoryStream, ReadWriteSeek)
{
    tMemoryStream s;
    s.WriteBuffer("abc", 3);
    s.WriteUInt32(0x04030201);
    EXPECT_EQ(s.Size(), 7);
    EXPECT_EQ(s.bytes()[3], 1);
    EXPECT_EQ(s.bytes()[6], 4);

    s.Seek(3, tSeekOrigin::begin);
    EXPECT_EQ(s.ReadUInt32(), 0x04030201u);
    EXPECT_EQ(s.Read(nullptr, 0), 0u);
    char c;
    EXPECT_EQ(s.Read(&c, 1), 0u);
    EXPECT_EQ(streamErrorOf([&] { s.ReadUInt32(); }), "Stream read error");

    // Writing past the end leaves a gap of zeros.
    s.Seek(2, tSeekOrigin::end);
    s.WriteBuffer("z", 1);
    EXPECT_EQ(s.Size(), 10);
    EXPECT_EQ(s.bytes()[7], 0);

    EXPECT_EQ(streamErrorOf([&] { s.Seek(-11, tSeekOrigin::end); }), "Invalid stream position");
    EXPECT_EQ(s.Position(), 10); // a refused seek leaves the position alone
    EXPECT_EQ(streamErrorOf([&] { s.Seek(INT64_MAX, tSeekOrigin::current); }), "Invalid stream position");

    s.SetSize(2);
    EXPECT_EQ(s.Position(), 2);
    EXPECT_EQ(std::string(s.bytes().begin(), s.bytes().end()), "ab");
}

TEST(MemoryView, ReadsOnly)
{
    const char text[] = "hello";
    tMemoryView v(text, 5);
    char buf[8] = {};
    v.Seek(1, tSeekOrigin::begin);
    EXPECT_EQ(v.Read(buf, sizeof buf), 4u);
    EXPECT_EQ(std::string(buf, 4), "ello");
    v.Seek(100, tSeekOrigin::begin);
    EXPECT_EQ(v.Read(buf, 1), 0u);
    EXPECT_NE(streamErrorOf([&] { v.Write("x", 1); }), "(no error)");
    v.SetSize(0);
    EXPECT_EQ(v.Size(), 5);

    tMemoryStream copy;
    v.SetPosition(0);
    copy.CopyFrom(v, 5);
    EXPECT_EQ(copy.Size(), 5);
    v.SetPosition(3);
    EXPECT_EQ(streamErrorOf([&] { copy.CopyFrom(v, 5); }), "Stream read error");
}

TEST(FileStream, CreateReadBackAndResize)
{
    const auto path = (std::filesystem::temp_directory_path()
                       / ("zembrio-stream-" + std::to_string(std::random_device{}()))).string();
    {
        tFileStream f(path, tFileMode::create);
        f.WriteBuffer("0123456789", 10);
        EXPECT_EQ(f.Size(), 10);
        f.Seek(2, tSeekOrigin::begin);
        char buf[3];
        f.ReadBuffer(buf, 3);
        EXPECT_EQ(std::string(buf, 3), "234");
        f.WriteBuffer("x", 1); // a write right after a read lands at the position
        f.SetSize(6);
        EXPECT_EQ(f.Size(), 6);
    }
    auto f = tFileStream::tryOpen(path, tFileMode::read);
    ASSERT_TRUE(f);
    std::string text(6, '\0');
    f->ReadBuffer(text.data(), 6);
    EXPECT_EQ(text, "01234x");
    EXPECT_EQ(f->Write("y", 1), 0u);
    f.reset();
    std::filesystem::remove(path);

    EXPECT_FALSE(tFileStream::tryOpen(path, tFileMode::read));
    EXPECT_FALSE(tFileStream::tryOpen(std::filesystem::temp_directory_path().string(), tFileMode::read));
    EXPECT_EQ(streamErrorOf([&] { tFileStream s(path, tFileMode::readWrite); }),
              "Cannot open file \"" + path + "\"");
}

} // namespace
} // namespace zembrio
