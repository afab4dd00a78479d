#include "shell/StartMode.h"

#include "core/FileStream.h"
#include "platform/FileSystem.h"
#include "platform/MessageDialog.h"
#include "shell/Exe2MemStream.h"
#include "shell/StartupState.h"

#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <memory>

namespace zembrio {

void fatalStartupError(const std::string& text)
{
    messageDialog(kApplicationTitle, text, kMbOk);
    std::exit(1);
}

tPackageHeader readPackageHeader(const std::string& path)
{
    auto file = tFileStream::tryOpen(path, tFileMode::read);
    char header[5];
    if (!file || file->Read(header, sizeof header) != sizeof header || std::memcmp(header, "ZKQ", 3) != 0)
        return tPackageHeader::none;
    return std::memcmp(header + 3, kPackageHeader.data() + 3, 2) == 0 ? tPackageHeader::current
                                                                       : tPackageHeader::newer;
}

void determineStartMode(int argc, const char* const* argv)
{
    gStartup.embedded = argc - 1 < 2;
    gStartup.package = false;
    gStartup.commandLineProjectPath.clear();
    if (!gStartup.embedded) {
        switch (readPackageHeader(argv[2])) {
        case tPackageHeader::current:
            gStartup.package = true;
            break;
        case tPackageHeader::newer:
            messageDialog("Plugin error",
                          "The file seems to need a newer version of Zembrio Logo Plugin than you already have",
                          kMbOk);
            std::exit(1);
        case tPackageHeader::none:
            gStartup.commandLineProjectPath = argv[2];
            break;
        }
    }
    gStartup.speechEnabled = gStartup.embedded;
}

void openContainer(const std::string& path, bool fatal)
{
    gStartup.containerPath = path;
    gStartup.containerOpened = true; // a stream created meanwhile must not try to open it again
    gStartup.directory.clear();

    std::unique_ptr<tExe2MemStream> file;
    try {
        file = tExe2MemStream::ofFile(path);
    } catch (const std::exception& e) {
        if (fatal)
            fatalStartupError(std::string("FATAL: Cannot access files (") + e.what() + ")");
        return;
    }
    auto directory = parseContainerDirectory(file->bytes());
    if (!directory) {
        if (fatal)
            fatalStartupError("FATAL: The file is corrupt ");
        return;
    }
    gStartup.directory = std::move(*directory);
}

std::string directoryOf(const std::string& path)
{
    std::error_code ec;
    std::filesystem::path full = std::filesystem::absolute(path, ec);
    if (ec)
        full = path;
    std::string dir = full.parent_path().string();
    if (dir.empty() || dir.back() != '/')
        dir += '/';
    return dir;
}

void initialiseStartup(int argc, const char* const* argv)
{
    determineStartMode(argc, argv);
    if (gStartup.embedded) {
        openContainer(kOwnExecutableLink, true);
        std::string own = ownExecutablePath();
        if (own.empty() && argc > 0 && argv[0])
            own = argv[0];
        gStartup.projectDirectory = directoryOf(own);
    } else {
        if (gStartup.package)
            openContainer(argv[2], true);
        gStartup.projectDirectory = directoryOf(argv[2]);
    }
}

} // namespace zembrio
