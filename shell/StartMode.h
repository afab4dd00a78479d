// Fixing the start mode and reading the container, before any window exists.
#pragma once

#include <string>

namespace zembrio {

inline constexpr const char* kApplicationTitle = "Zembrio";
// Where embedded mode finds its container: the running executable, wherever it was started from.
inline constexpr const char* kOwnExecutableLink = "/proc/self/exe";

// Shows text in the message dialog under the application title and ends the process with status 1.
[[noreturn]] void fatalStartupError(const std::string& text);

enum class tPackageHeader { none, current, newer };
// What the first five bytes of the file say; a file that cannot be read is no package.
tPackageHeader readPackageHeader(const std::string& path);

// embedded, package, the command-line project path and the speech default. argv[1] is the host
// window and argv[2] the project or package. A package of a newer format ends the process.
void determineStartMode(int argc, const char* const* argv);

// Reads the directory at the end of path into the start-up state. With fatal set, a file that cannot
// be mapped or is not a well-formed container ends the process; without it the directory stays empty.
void openContainer(const std::string& path, bool fatal);

// The directory part of path, made absolute, with a trailing '/'.
std::string directoryOf(const std::string& path);

// The whole early start-up: start mode, container, project directory.
void initialiseStartup(int argc, const char* const* argv);

} // namespace zembrio
