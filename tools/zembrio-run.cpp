// zembrio-run: runs a project text or a project container for the people who write and test projects.
// Exit status: 0 when the project ran without a reported error, 1 after a reported error, 2 for a usage
// or file problem.
#include "core/Commander.h"
#include "core/LogoException.h"
#include "core/ProcessKind.h"
#include "core/ProcessState.h"
#include "core/ValuePools.h"
#include "platform/FileSystem.h"
#include "platform/GuiThread.h"
#include "platform/StandardOutput.h"
#include "runtime/GlobalLock.h"
#include "runtime/LogoProcess.h"
#include "runtime/MainObj.h"
#include "runtime/Vocabulary.h"
#include "shell/ApplicationDictionary.h"
#include "shell/ProjectDictionary.h"
#include "shell/ProjectSource.h"
#include "shell/ProjectText.h"
#include "shell/StartMode.h"
#include "shell/StartupState.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using namespace zembrio;

namespace {

constexpr int kPollMs = 10; // how often the GUI thread looks whether processes are left

struct tOptions {
    bool toStdout = false;
    bool headless = false;
    double timeoutSeconds = 0; // 0: none
    std::string language; // empty: the file's own
    std::string file;
};

[[noreturn]] void usage(const char* problem)
{
    std::fprintf(stderr,
                 "zembrio-run: %s\nusage: zembrio-run [--stdout] [--headless] [--timeout SECONDS] [--lang NAME] FILE\n",
                 problem);
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
        } else if (arg == "--timeout") {
            char* end = nullptr;
            if (++i == argc || (options.timeoutSeconds = std::strtod(argv[i], &end), *end != '\0')
                || options.timeoutSeconds <= 0)
                usage("--timeout needs a number of seconds");
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

// The window system wants a private runtime folder; a plain terminal session may not have one.
void ensureRuntimeDirectory()
{
    if (std::getenv("XDG_RUNTIME_DIR"))
        return;
    const std::string folder = "/tmp/zembrio-runtime-" + std::to_string(getuid());
    mkdir(folder.c_str(), 0700);
    setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
}

std::atomic<bool> gErrorReported{false};

void noteError()
{
    gErrorReported.store(true);
}

// Runs the project text in the process "@main" and the GUI event loop until no process is left, or the
// time-out stops them all.
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
    installGlobalLock();
    onProcessError(noteError);

    // The GUI thread holds the lock only while it makes the main object.
    globalLock().enter();
    auto main = std::make_unique<tMainLogoObject>();
    if (options.toStdout)
        main->setOutputStream(std::make_unique<tStandardOutput>());
    globalLock().leave();

    auto loader = std::make_shared<tNativeProcess>(ipInitialLoad, "@main",
                                                   [&](tProcessState& ps) { LoadProjectText(ps, source.text); });
    tLogoprocess::start(loader);

    const auto deadline = std::chrono::steady_clock::now()
                          + std::chrono::milliseconds(static_cast<int64_t>(options.timeoutSeconds * 1000));
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        processRegistry().reapFinished();
        if (options.timeoutSeconds > 0 && std::chrono::steady_clock::now() >= deadline)
            stopAllProcesses(false);
        if (processRegistry().empty())
            QCoreApplication::quit();
    });
    poll.start(kPollMs);
    // The end of the last process need not wait for the next poll.
    onAllProcessesEnded([] {
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [] {
                if (processRegistry().empty())
                    QCoreApplication::quit();
            },
            Qt::QueuedConnection);
    });
    QCoreApplication::exec();
    onAllProcessesEnded(nullptr);
    processRegistry().reapFinished();
    main.reset();
    return gErrorReported.load() ? 1 : 0;
}

} // namespace

int main(int argc, char** argv)
{
    const tOptions options = parseOptions(argc, argv);
    // Without a display (or when asked) windows go to the offscreen platform.
    if (options.headless || !std::getenv("DISPLAY"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ensureRuntimeDirectory();
    static int qtArgc = 1; // our options are not Qt's; Qt keeps a reference to it
    // Never destroyed: the offscreen platform's font database loads the whole font configuration in its
    // destructor, which would cost more than the start-up of a short project, and nothing needs it at exit.
    static QGuiApplication* app = new QGuiApplication(qtArgc, argv);
    (void)app;
    adoptGuiThread();
    const std::vector<uint8_t> bytes = readFile(options.file);
    gStartup.commandLineProjectPath = options.file;
    gStartup.projectDirectory = directoryOf(absolutePath(options.file));
    try {
        return run(options, readProjectSource(bytes));
    } catch (std::exception& error) {
        return report(error);
    }
}
