#include "shell/TemporaryCopies.h"

#include "core/LogoException.h"
#include "platform/FileSystem.h"
#include "shell/Exe2MemStream.h"
#include "shell/ProjectFiles.h"
#include "shell/StartupState.h"

#include <chrono>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <mutex>
#include <random>

namespace zembrio {

namespace {

constexpr const char* kCopyPrefix = "zem";
constexpr int kCopyAttempts = 1000;

std::mutex gCopiesLock; // media primitives of several processes may ask at once

uint32_t tickCount()
{
    using namespace std::chrono;
    return static_cast<uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

// A new file in the temporary directory holding bytes; empty when none could be made.
std::string writeCopy(const std::string& fileName, std::span<const uint8_t> bytes)
{
    const std::filesystem::path dir = std::filesystem::temp_directory_path(); // throws when there is none
    const std::string extension = fileExtension(fileName);
    std::minstd_rand random(std::random_device{}());
    std::uniform_int_distribution<uint32_t> step(1, 10);
    uint32_t number = tickCount() - 1;
    for (int attempt = 0; attempt < kCopyAttempts; ++attempt) {
        number += step(random);
        const std::string path = (dir / (kCopyPrefix + std::to_string(number) + extension)).string();
        switch (writeNewFile(path, bytes)) {
        case tNewFileResult::created: return path;
        case tNewFileResult::exists: continue;
        case tNewFileResult::failed: return {};
        }
    }
    return {};
}

void deleteAtExit()
{
    deleteTemporaryCopies();
}

} // namespace

std::string temporaryCopy(const std::string& name, bool raise)
{
    const std::string fileName = fileNamePart(name);
    std::lock_guard lock(gCopiesLock);
    for (const auto& [entry, path] : gStartup.temporaryCopies)
        if (sameEntryName(entry, fileName))
            return path;

    if (findContainerEntry(fileName)) {
        std::string path;
        try {
            tExe2MemStream entry(fileName);
            path = writeCopy(fileName, entry.bytes());
        } catch (const std::exception&) {
            path.clear();
        }
        if (path.empty()) {
            if (raise)
                throw eLogoException(erTempDirPlugin, fileName);
            return {};
        }
        static const bool registered = (std::atexit(deleteAtExit), true);
        (void)registered;
        gStartup.temporaryCopies.emplace_back(fileName, path);
        return path;
    }

    const std::string onDisk = gStartup.projectDirectory + fileName;
    std::error_code ec;
    if (!fileName.empty() && std::filesystem::exists(onDisk, ec))
        return onDisk;
    if (raise)
        throw eLogoException(gStartup.embedded ? erNoEmbeddedFileEXE : erNoEmbeddedFilePlugin, fileName);
    return {};
}

void deleteTemporaryCopies()
{
    std::lock_guard lock(gCopiesLock);
    for (const auto& copy : gStartup.temporaryCopies) {
        std::error_code ec;
        std::filesystem::remove(copy.second, ec);
    }
    gStartup.temporaryCopies.clear();
}

} // namespace zembrio
