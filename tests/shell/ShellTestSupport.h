// Helpers shared by the shell tests: scratch folders, container files and a clean start-up state.
#pragma once

#include "shell/ContainerWriter.h"
#include "shell/StartupState.h"
#include "shell/TemporaryCopies.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace zembrio::test {

inline std::vector<uint8_t> bytesOf(std::string_view text)
{
    return {text.begin(), text.end()};
}

inline std::vector<uint8_t> join(std::vector<uint8_t> a, const std::vector<uint8_t>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

inline void writeFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << path;
}

inline std::vector<uint8_t> readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Bytes standing in for an executable, followed by a container of entries.
inline std::vector<uint8_t> containerFile(const std::vector<tContainerEntry>& entries,
                                          std::string_view prefix = "EXECUTABLE IMAGE")
{
    std::vector<uint8_t> bytes = bytesOf(prefix);
    appendContainer(bytes, entries);
    return bytes;
}

// A fresh folder per test (tests of one binary run in parallel), removed afterwards; the start-up
// state is reset before and after so no test sees another's container.
class ShellTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetState();
        std::random_device random;
        dir = std::filesystem::temp_directory_path()
            / ("zembrio-shell-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(dir);
    }
    void TearDown() override
    {
        resetState();
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
    static void resetState()
    {
        deleteTemporaryCopies();
        gStartup = tStartupState{};
    }
    std::string path(const std::string& name) const { return (dir / name).string(); }
    std::string folder() const { return dir.string() + "/"; }

    std::filesystem::path dir;
};

} // namespace zembrio::test
