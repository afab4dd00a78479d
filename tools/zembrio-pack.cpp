// Makes stand-alone programs and packages: the runtime (or a package header) with a container of the
// project and its files appended.
#include "core/FileStream.h"
#include "platform/FileSystem.h"
#include "shell/ContainerWriter.h"
#include "shell/Exe2MemStream.h"
#include "shell/ExeContainer.h"
#include "shell/ParamsRecord.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace zembrio;
namespace fs = std::filesystem;

constexpr int kBadInput = 2;

const char* const kUsage =
    "usage: zembrio-pack -o OUT [--package] [--runtime PATH] [--speech 0|1] PROJECT [FILE...]\n"
    "       zembrio-pack --list FILE\n";

// Bad input of any kind: one line on standard error and exit status 2.
struct tPackError {
    std::string message;
};

struct tOptions {
    std::string output;
    std::string runtime;
    bool package = false;
    bool speech = false;
    std::string list;
    std::vector<std::string> inputs; // the project, then the files
};

tOptions parseOptions(int argc, char** argv)
{
    tOptions options;
    auto value = [&](int& i) -> std::string {
        if (i + 1 >= argc)
            throw tPackError{std::string(argv[i]) + " needs a value"};
        return argv[++i];
    };
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "-o")
            options.output = value(i);
        else if (arg == "--runtime")
            options.runtime = value(i);
        else if (arg == "--package")
            options.package = true;
        else if (arg == "--list")
            options.list = value(i);
        else if (arg == "--speech") {
            const std::string flag = value(i);
            if (flag != "0" && flag != "1")
                throw tPackError{"--speech takes 0 or 1, not " + flag};
            options.speech = flag == "1";
        } else if (arg.size() > 1 && arg[0] == '-')
            throw tPackError{"unknown option " + arg};
        else
            options.inputs.push_back(arg);
    }
    if (!options.list.empty()) {
        if (!options.output.empty() || !options.inputs.empty())
            throw tPackError{"--list takes one file and nothing else"};
        return options;
    }
    if (options.output.empty())
        throw tPackError{"no output file given (-o OUT)"};
    if (options.inputs.empty())
        throw tPackError{"no project file given"};
    if (options.package && !options.runtime.empty())
        throw tPackError{"a package holds no runtime: --runtime and --package exclude each other"};
    return options;
}

std::vector<uint8_t> readWholeFile(const std::string& path)
{
    auto file = tFileStream::tryOpen(path, tFileMode::read);
    if (!file)
        throw tPackError{"cannot read " + path};
    std::vector<uint8_t> bytes(static_cast<size_t>(file->Size()));
    if (file->Read(bytes.data(), bytes.size()) != bytes.size())
        throw tPackError{"cannot read " + path};
    return bytes;
}

std::vector<tContainerEntry> collectEntries(const tOptions& options)
{
    std::vector<tContainerEntry> entries;
    entries.push_back({std::string(kProjectEntryName), readWholeFile(options.inputs.front())});
    entries.push_back({std::string(kParamsEntryName), makeParamsRecord(options.speech)});
    for (size_t i = 1; i < options.inputs.size(); ++i) {
        const std::string& path = options.inputs[i];
        const std::string name = fs::path(path).filename().string();
        if (std::string problem = userEntryNameProblem(name); !problem.empty())
            throw tPackError{path + ": " + problem};
        for (const auto& earlier : entries)
            if (sameEntryName(earlier.name, name))
                throw tPackError{path + ": a file named " + earlier.name + " is in the container already"};
        entries.push_back({name, readWholeFile(path)});
    }
    return entries;
}

std::string defaultRuntime()
{
    const std::string self = ownExecutablePath();
    if (self.empty())
        throw tPackError{"cannot find the runtime; give it with --runtime"};
    return (fs::path(self).parent_path() / "zembrio").string();
}

// Writes beside the output and renames into place, so a failure never leaves a partial output.
void writeOutput(const std::string& output, const std::vector<uint8_t>& bytes, bool executable)
{
    const fs::path target = fs::absolute(output);
    const fs::path dir = target.parent_path();
    std::string temp;
    for (int n = 0; temp.empty() && n < 100; ++n) {
        const std::string candidate = (dir / ("." + target.filename().string() + ".part" + std::to_string(n))).string();
        switch (writeNewFile(candidate, bytes)) {
        case tNewFileResult::created: temp = candidate; break;
        case tNewFileResult::exists: break;
        case tNewFileResult::failed: throw tPackError{"cannot write " + output};
        }
    }
    if (temp.empty())
        throw tPackError{"cannot write " + output};
    std::error_code ec;
    using fs::perms;
    const perms mode = executable ? perms::owner_all | perms::group_read | perms::group_exec | perms::others_read
                                        | perms::others_exec
                                  : perms::owner_read | perms::owner_write | perms::group_read | perms::others_read;
    fs::permissions(temp, mode, ec);
    if (!ec)
        fs::rename(temp, target, ec);
    if (ec) {
        fs::remove(temp, ec);
        throw tPackError{"cannot write " + output};
    }
}

void listContainer(const std::string& path)
{
    std::optional<std::vector<tExeFilerec>> directory;
    try {
        auto file = tExe2MemStream::ofFile(path);
        directory = parseContainerDirectory(file->bytes());
    } catch (const std::exception&) {
        throw tPackError{"cannot read " + path};
    }
    if (!directory)
        throw tPackError{path + ": no container at its end, or a corrupt one"};
    for (const auto& entry : *directory)
        std::printf("%s\t%u\n", entry.name.c_str(), static_cast<unsigned>(entry.size));
}

void pack(const tOptions& options)
{
    const std::vector<tContainerEntry> entries = collectEntries(options);
    std::vector<uint8_t> bytes;
    if (options.package)
        bytes.assign(kPackageHeader.begin(), kPackageHeader.end());
    else
        bytes = readWholeFile(options.runtime.empty() ? defaultRuntime() : options.runtime);
    try {
        appendContainer(bytes, entries);
    } catch (const std::exception& e) {
        throw tPackError{e.what()};
    }
    writeOutput(options.output, bytes, !options.package);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    try {
        const tOptions options = parseOptions(argc, argv);
        if (!options.list.empty())
            listContainer(options.list);
        else
            pack(options);
    } catch (const tPackError& e) {
        std::fprintf(stderr, "zembrio-pack: %s\n", e.message.c_str());
        return kBadInput;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "zembrio-pack: %s\n", e.what());
        return kBadInput;
    }
    return 0;
}
