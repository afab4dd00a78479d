// The container directory: layout, lookups and every way a damaged file is refused.
#include "ShellTestSupport.h"

#include "core/LogoException.h"
#include "shell/ContainerWriter.h"
#include "shell/Exe2MemStream.h"
#include "shell/ExeContainer.h"
#include "shell/StartMode.h"

#include <gmock/gmock.h>

#include <cstring>

namespace zembrio::test {
namespace {

using ::testing::HasSubstr;

void putUInt32(std::vector<uint8_t>& out, uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<uint8_t>(value >> shift));
}

void putText(std::vector<uint8_t>& out, std::string_view text)
{
    out.insert(out.end(), text.begin(), text.end());
}

// The documented example, written byte by byte: two entries, the project first, D = 33.
TEST(ContainerLayout, ExampleContainerByHand)
{
    const std::string project = "project bytes";
    std::vector<uint8_t> file = bytesOf("MZ runtime image");
    const size_t containerStart = file.size();
    putText(file, project);
    putText(file, "0123456789abcde"); // 15 bytes of parameters
    putUInt32(file, 2);
    putText(file, std::string_view("?project.zbp\0", 13));
    putUInt32(file, static_cast<uint32_t>(project.size()));
    putText(file, std::string_view("*params.txt\0", 12));
    putUInt32(file, 15);
    putUInt32(file, 33);
    putText(file, "KOTU");

    auto directory = parseContainerDirectory(file);
    ASSERT_TRUE(directory);
    ASSERT_EQ(directory->size(), 2u);
    EXPECT_EQ((*directory)[0].name, "?project.zbp");
    EXPECT_EQ((*directory)[0].offset, containerStart);
    EXPECT_EQ((*directory)[0].size, project.size());
    EXPECT_EQ((*directory)[1].name, "*params.txt");
    EXPECT_EQ((*directory)[1].offset, containerStart + project.size());
    EXPECT_EQ((*directory)[1].size, 15u);

    // The writer produces exactly these bytes.
    std::vector<uint8_t> written = bytesOf("MZ runtime image");
    const std::vector<tContainerEntry> entries = {{"?project.zbp", bytesOf(project)},
                                                  {"*params.txt", bytesOf("0123456789abcde")}};
    appendContainer(written, entries);
    EXPECT_EQ(written, file);
}

TEST(ContainerLayout, WriterRoundTrip)
{
    std::vector<tContainerEntry> entries = {
        {"?project.zbp", bytesOf("to start\nprint 1\nend\n")},
        {"*params.txt", std::vector<uint8_t>(15, 0)},
        {"empty.txt", {}},
        {"binary.bin", {0, 1, 2, 0, 'K', 'O', 'T', 'U', 0xff}},
        {"\xC8" "ERVEN\xC1.wav", std::vector<uint8_t>(5000, 0x5a)},
    };
    for (std::string_view prefix : {"", "#!ELF something"}) {
        SCOPED_TRACE(prefix);
        const std::vector<uint8_t> file = containerFile(entries, prefix);
        auto directory = parseContainerDirectory(file);
        ASSERT_TRUE(directory);
        ASSERT_EQ(directory->size(), entries.size());
        for (size_t i = 0; i < entries.size(); ++i) {
            const tExeFilerec& rec = (*directory)[i];
            EXPECT_EQ(rec.name, entries[i].name);
            ASSERT_EQ(rec.size, entries[i].data.size());
            EXPECT_TRUE(std::equal(entries[i].data.begin(), entries[i].data.end(), file.begin() + rec.offset));
        }
        EXPECT_EQ((*directory)[0].offset, prefix.size());
    }
}

TEST(ContainerLayout, ZeroEntries)
{
    const std::vector<uint8_t> file = containerFile({}, "");
    EXPECT_EQ(file, (std::vector<uint8_t>{0, 0, 0, 0, 0, 0, 0, 0, 'K', 'O', 'T', 'U'}));
    auto directory = parseContainerDirectory(file);
    ASSERT_TRUE(directory);
    EXPECT_TRUE(directory->empty());
}

TEST(ContainerLayout, WriterRefusesUnstorableNames)
{
    std::vector<uint8_t> out;
    const std::vector<tContainerEntry> entries = {{std::string("a\0b", 3), {}}};
    EXPECT_THROW(appendContainer(out, entries), std::invalid_argument);
    EXPECT_TRUE(out.empty());

    for (std::string_view bad : {"", "*x.txt", "?x.txt", "dir/a.png", "dir\\a.png"})
        EXPECT_FALSE(userEntryNameProblem(bad).empty()) << bad;
    EXPECT_FALSE(userEntryNameProblem(std::string(kMaxEntryNameLength + 1, 'a')).empty());
    EXPECT_FALSE(userEntryNameProblem(std::string("a\0b", 3)).empty());
    for (std::string_view good : {std::string_view("a.png"), std::string_view("x"), std::string_view("\xE8" "a.wav")})
        EXPECT_EQ(userEntryNameProblem(good), "") << good;
}

TEST(ContainerNames, CaseInsensitiveFirstMatchWins)
{
    const std::vector<tExeFilerec> directory = {
        {"Picture.PNG", 10, 1}, {"picture.png", 20, 2}, {"\xC8" "ap.wav", 30, 3}, {"other", 40, 4}};
    struct Case {
        std::string_view name;
        uint64_t offset; // 0: not found
    } cases[] = {
        {"picture.png", 10},
        {"PICTURE.PNG", 10},
        {"pIcTuRe.PnG", 10},
        {"\xE8" "AP.WAV", 30}, // the code page's accented capital and small letter are one letter
        {"cap.wav", 0},        // but the accent itself matters
        {"picture.pn", 0},
        {"picture.png ", 0},
        {"", 0},
    };
    for (const auto& c : cases) {
        const tExeFilerec* found = findEntry(directory, c.name);
        EXPECT_EQ(found ? found->offset : 0, c.offset) << c.name;
    }
}

// Each damaged container: the bytes, and what is wrong with them.
struct CorruptCase {
    std::string what;
    std::vector<uint8_t> bytes;
};

std::vector<uint8_t> tail(const std::vector<uint8_t>& data, uint32_t count, const std::vector<uint8_t>& records,
                          uint32_t dirLength)
{
    std::vector<uint8_t> file = bytesOf("IMAGE");
    file.insert(file.end(), data.begin(), data.end());
    putUInt32(file, count);
    file.insert(file.end(), records.begin(), records.end());
    putUInt32(file, dirLength);
    putText(file, "KOTU");
    return file;
}

std::vector<uint8_t> record(std::string_view name, uint32_t size)
{
    std::vector<uint8_t> out = bytesOf(name);
    out.push_back(0);
    putUInt32(out, size);
    return out;
}

std::vector<CorruptCase> corruptCases()
{
    const std::vector<uint8_t> data = bytesOf("abcdef");
    const std::vector<uint8_t> good = record("a.txt", 6); // 10 bytes
    std::vector<uint8_t> valid = tail(data, 1, good, 10);
    std::vector<uint8_t> wrongTrailer = valid;
    wrongTrailer.back() = 'X';
    std::vector<uint8_t> cut = valid;
    cut.pop_back();

    return {
        {"empty file", {}},
        {"trailer only", bytesOf("KOTU")},
        {"eleven bytes", bytesOf(std::string_view("\0\0\0\0\0\0\0KOTU", 11))},
        {"wrong trailer", wrongTrailer},
        {"last byte cut off", cut},
        {"directory longer than the file", tail(data, 1, good, 1000)},
        {"directory one byte longer than the room", {0, 0, 0, 0, 1, 0, 0, 0, 'K', 'O', 'T', 'U'}},
        {"directory length at the 32-bit limit", tail(data, 1, good, 0xFFFFFFFFu)},
        {"count that cannot fit", tail(data, 0xFFFFFFFFu, good, 10)},
        {"count one more than the records", tail(data, 2, good, 10)},
        {"name not terminated", tail(data, 1, bytesOf("abcdefghij"), 10)},
        {"size cut by the directory end", tail(data, 1, bytesOf(std::string_view("ab\0\6\0", 5)), 5)},
        {"sizes past the start of the file", tail(data, 1, record("a.txt", 12), 10)},
        {"sizes past the data by wrapping 32 bits",
         tail(data, 2, join(record("a", 0xFFFFFFFFu), record("b", 7)), 12)},
        {"records left over", tail(data, 1, join(good, record("b", 0)), 16)},
        {"directory bytes not consumed", tail(data, 1, join(good, {0}), 11)},
        {"count zero with directory bytes", tail(data, 0, good, 10)},
    };
}

TEST(ContainerCorrupt, ParserRefusesEveryDamagedFile)
{
    for (const auto& c : corruptCases())
        EXPECT_FALSE(parseContainerDirectory(c.bytes)) << c.what;
}

class ContainerOpen : public ShellTest {};

TEST_F(ContainerOpen, DamagedFileWithoutFatalGivesEmptyDirectory)
{
    for (const auto& c : corruptCases()) {
        SCOPED_TRACE(c.what);
        writeFile(dir / "damaged", c.bytes);
        gStartup.directory = {{"stale", 0, 0}};
        openContainer(path("damaged"), false);
        EXPECT_TRUE(gStartup.containerOpened);
        EXPECT_EQ(gStartup.containerPath, path("damaged"));
        EXPECT_TRUE(gStartup.directory.empty());
        try {
            tExe2MemStream entry("a.txt");
            ADD_FAILURE() << "an entry of a damaged container opened";
        } catch (const eStreamError& e) {
            EXPECT_STREQ(e.what(), "exe stream not found");
        }
    }
}

TEST_F(ContainerOpen, DamagedFileAtStartUpEndsTheProcess)
{
    for (const auto& c : corruptCases()) {
        SCOPED_TRACE(c.what);
        writeFile(dir / "damaged", c.bytes);
        EXPECT_EXIT(openContainer(path("damaged"), true), ::testing::ExitedWithCode(1),
                    HasSubstr("FATAL: The file is corrupt \n"));
    }
}

TEST_F(ContainerOpen, UnreadableFile)
{
    const std::string missing = path("missing");
    EXPECT_EXIT(openContainer(missing, true), ::testing::ExitedWithCode(1),
                HasSubstr("FATAL: Cannot access files (exe stream error 1 " + missing + ")"));
    EXPECT_EXIT(openContainer(dir.string(), true), ::testing::ExitedWithCode(1),
                HasSubstr("FATAL: Cannot access files (exe stream error 2)"));

    openContainer(missing, false);
    EXPECT_TRUE(gStartup.containerOpened);
    EXPECT_TRUE(gStartup.directory.empty());
}

TEST_F(ContainerOpen, ReadsTheDirectory)
{
    writeFile(dir / "good", containerFile({{"?project.zbp", bytesOf("p")}, {"a.png", bytesOf("png")}}));
    openContainer(path("good"), true);
    ASSERT_EQ(gStartup.directory.size(), 2u);
    EXPECT_EQ(gStartup.directory[1].name, "a.png");
    ASSERT_NE(findContainerEntry("A.PNG"), nullptr);
    EXPECT_EQ(findContainerEntry("A.PNG")->size, 3u);

    // Re-reading a damaged file later must not keep the old directory.
    writeFile(dir / "good", bytesOf("no container here"));
    openContainer(path("good"), false);
    EXPECT_TRUE(gStartup.directory.empty());
}

} // namespace
} // namespace zembrio::test
