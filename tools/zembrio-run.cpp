// zembrio-run: runs a project text or a project container for the people who write and test projects.
// Exit status: 0 when the project ran without a reported error, 1 after a reported error, 2 for a usage
// or file problem.
#include "core/Commander.h"
#include "core/LogoException.h"
#include "core/ProcessKind.h"
#include "core/ProcessState.h"
#include "core/ValuePools.h"
#include "platform/FileSystem.h"
#include "platform/ProcessStack.h"
#include "platform/StandardOutput.h"
#include "runtime/MainObj.h"
#include "runtime/Vocabulary.h"
#include "shell/ApplicationDictionary.h"
#include "shell/ProjectDictionary.h"
#include "shell/ProjectSource.h"
#include "shell/ProjectText.h"
#include "shell/StartMode.h"
#include "shell/StartupState.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using namespace zembrio;

namespace {

struct tOptions {
    bool toStdout = false;
    bool headless = false;
    std::string language; // empty: the file's own
    std::string file;
};

[[noreturn]] void usage(const char* problem)
{
    std::fprintf(stderr, "zembrio-run: %s\nusage: zembrio-run [--stdout] [--headless] [--lang NAME] FILE\n", problem);
    std::exit(2);
}

tOptions parseOptions(int argc, char** argv)
{
    tOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--stdout") {
            options.toStdout = true;
        } else if (arg == "--headless") {
            options.headless = true;
        } else if (arg == "--lang") {
            if (++i == argc)
                usage("--lang needs a language name");
            options.language = argv[i];
        } else if (arg.size() > 1 && arg[0] == '-') {
            usage(("unknown option " + arg).c_str());
        } else if (options.file.empty()) {
            options.file = arg;
        } else {
            usage("only one file can be run");
        }
    }
    if (options.file.empty())
        usage("no file to run");
    return options;
}

std::vector<uint8_t> readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "zembrio-run: cannot read %s: %s\n", path.c_str(), std::strerror(errno));
        std::exit(2);
    }
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Reports the error as the process's commander does and answers the exit status.
int report(std::exception& error)
{
    if (auto* logoError = dynamic_cast<eLogoException*>(&error); logoError && logoError->processKind == ipNone)
        logoError->processKind = ipInitialLoad;
    defaultCommander().ReportError(error);
    return 1;
}

int run(const tOptions& options, const tProjectSource& source)
{
    const std::string language = options.language.empty() ? source.language : options.language;
    setApplicationLanguageHint(language);
    if (!loadProjectDictionary(language, false)) {
        // The report itself needs words and messages: English stands in.
        loadProjectDictionary("english", false);
        eLogoException error(erUnsupportedLanguage, languageName(language));
        return report(error);
    }
    BuildVocabulary();
    fillValuePools();
    tMainLogoObject main;
    if (options.toStdout)
        main.setOutputStream(std::make_unique<tStandardOutput>());

    int status = 0;
    runOnProcessStack([&] {
        tProcessState ps;
        tProcessScope scope(ps);
        ps.kind = ipInitialLoad;
        ps.currentObject = &main;
        try {
            LoadProjectText(ps, source.text);
        } catch (std::exception& error) {
            status = report(error);
        }
    });
    return status;
}

} // namespace

int main(int argc, char** argv)
{
    const tOptions options = parseOptions(argc, argv);
    const std::vector<uint8_t> bytes = readFile(options.file);
    gStartup.commandLineProjectPath = options.file;
    gStartup.projectDirectory = directoryOf(absolutePath(options.file));
    try {
        return run(options, readProjectSource(bytes));
    } catch (std::exception& error) {
        return report(error);
    }
}
