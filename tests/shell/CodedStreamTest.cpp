// The coded stream in both directions, the whole-buffer decoding, and coded resources behind "*" names.
#include "DictionaryTestSupport.h"

#include "core/LogoException.h"
#include "shell/CodedStream.h"
#include "shell/ProjectFiles.h"
#include "shell/Resources.h"

namespace zembrio::test {
namespace {

// A memory stream that can be made to fail, to see that the sums survive a failed transfer.
class FlakyStream : public tMemoryStream {
public:
    using tMemoryStream::tMemoryStream;
    bool failing = false;
    size_t Read(void* buffer, size_t count) override
    {
        if (failing)
            throw eStreamError("Stream read error");
        return tMemoryStream::Read(buffer, count);
    }
    size_t Write(const void* buffer, size_t count) override
    {
        if (failing)
            throw eStreamError("Stream write error");
        return tMemoryStream::Write(buffer, count);
    }
};

std::string decodeByStream(const std::vector<uint8_t>& stored, size_t chunk)
{
    tMemoryView view(stored.data(), stored.size());
    tcodedstream in(view, tCodedMode::read);
    std::string out;
    std::string buffer(chunk, '\0');
    while (size_t got = in.Read(buffer.data(), chunk))
        out.append(buffer, 0, got);
    return out;
}

std::string decodeInPlace(std::vector<uint8_t> stored)
{
    decodeCodedInPlace(stored);
    if (!stored.empty())
        stored.pop_back();
    return asText(stored);
}

// Every byte value, repeated, so that the running sums wrap many times.
std::string allBytes()
{
    std::string text;
    for (int round = 0; round < 3; ++round)
        for (int b = 0; b < 256; ++b)
            text += static_cast<char>(b * 7 + round);
    return text;
}

TEST(CodedStream, WritingCodesWithTheRunningSumAfterTheSeed)
{
    tMemoryStream target;
    {
        tcodedstream out(target, uint8_t{200});
        out.WriteBuffer("ab", 2);
        out.WriteBuffer("c", 1);
    }
    // Seed 200; 'a' (97) + 200 = 41, sum 241; 'b' (98) + 241 = 83, sum 68; 'c' (99) + 68 = 167.
    EXPECT_EQ(target.bytes(), (std::vector<uint8_t>{200, 41, 83, 167}));
    EXPECT_EQ(target.bytes(), coded("abc", 200));
}

TEST(CodedStream, EveryDecodingGivesBackThePlainText)
{
    const std::string plain = allBytes();
    for (int seed : {0, 1, 0x5A, 255}) {
        const auto stored = coded(plain, static_cast<uint8_t>(seed));
        EXPECT_EQ(decodeInPlace(stored), plain) << seed;
        for (size_t chunk : {1, 3, 256, 100000}) // the sums carry over from one read to the next
            EXPECT_EQ(decodeByStream(stored, chunk), plain) << seed << " " << chunk;
    }
}

TEST(CodedStream, RandomSeedRoundTrip)
{
    const std::string plain = "[dict]\r\nprint = print pr\r\n";
    tMemoryStream target;
    {
        tcodedstream out(target, tCodedMode::write);
        out.WriteBuffer(plain.data(), plain.size());
    }
    ASSERT_EQ(target.Size(), static_cast<int64_t>(plain.size() + 1));
    target.SetPosition(0);
    tcodedstream in(target, tCodedMode::read);
    EXPECT_EQ(readRemaining(in), plain);
}

TEST(CodedStream, ShortDataHoldsNoText)
{
    for (const std::vector<uint8_t>& stored : {std::vector<uint8_t>{}, std::vector<uint8_t>{0x93}}) {
        EXPECT_EQ(decodeByStream(stored, 16), "");
        EXPECT_EQ(decodeInPlace(stored), "");
    }
}

TEST(CodedStream, FailuresOfTheWrappedStreamAnswerMinusOneAndKeepTheSums)
{
    FlakyStream target;
    tcodedstream out(target, uint8_t{77});
    out.WriteBuffer("ab", 2);
    target.failing = true;
    EXPECT_EQ(out.Write("c", 1), kStreamFailure);
    target.failing = false;
    out.WriteBuffer("c", 1);
    EXPECT_EQ(target.bytes(), coded("abc", 77));

    target.SetPosition(0);
    tcodedstream in(target, tCodedMode::read);
    char two[2];
    in.ReadBuffer(two, 2);
    target.failing = true;
    char one = 0;
    EXPECT_EQ(in.Read(&one, 1), kStreamFailure);
    EXPECT_THROW(readRemaining(in), eStreamError);
    target.failing = false;
    EXPECT_EQ(readRemaining(in), "c");
}

TEST(CodedStream, SeekPassesThroughAndLeavesTheSums)
{
    const auto stored = coded("hello", 9);
    tMemoryView view(stored.data(), stored.size());
    tcodedstream in(view, tCodedMode::read);
    EXPECT_EQ(in.Position(), 1); // after the seed
    EXPECT_EQ(in.Size(), 6);
    EXPECT_EQ(readRemaining(in), "hello");
    EXPECT_EQ(in.Seek(1, tSeekOrigin::begin), 1);
    EXPECT_EQ(view.Position(), 1);
    EXPECT_NE(readRemaining(in), "hello"); // reading must start at the beginning
}

// The project dictionaries are compiled in as coded "LDI" resources, which "*" names reach too.
TEST(CodedResources, StarNamesDecodeCompiledInResources)
{
    const auto stored = findResource("english", "ldi");
    ASSERT_TRUE(stored);
    ASSERT_EQ(findResource("ENGLISH", "LDI"), stored);
    EXPECT_FALSE(findResource("ENGLISH", "TXT"));

    auto stream = openProjectFile("*english.ldi");
    EXPECT_EQ(stream->Position(), 0);
    const std::string text = readRemaining(*stream);
    EXPECT_EQ(text, decodeInPlace(*stored));
    EXPECT_NE(text.find("[dict]"), std::string::npos);
}

} // namespace
} // namespace zembrio::test
