#include "tests/support/RuntimeWorld.h"

#include "core/Commander.h"
#include "core/LogoException.h"
#include "core/ProcessState.h"
#include "core/Stream.h"
#include "core/ValuePools.h"
#include "core/ValueSettings.h"
#include "runtime/GlobalLock.h"
#include "runtime/LogoProcess.h"
#include "runtime/MainObj.h"
#include "runtime/Vocabulary.h"
#include "shell/ProjectDictionary.h"
#include "shell/ProjectText.h"

#include <chrono>
#include <mutex>
#include <stdexcept>
#include <thread>

namespace zembrio::testing {

// Keeps what processes report instead of showing it.
class tCapturingCommander : public tCommander {
public:
    void Print(const std::string&) override {}
    void Status(const std::string&) override {}
    std::string ReadInput() override { throw eLogoException(erNoTextInput); }
    void ReportError(std::exception& error) override
    {
        const tErrorReport report = describeError(error);
        std::lock_guard lock(mutex);
        reports.push_back(report.caption + ": " + report.text);
    }
    std::mutex mutex;
    std::vector<std::string> reports;
};

namespace {
constexpr auto kLongestRun = std::chrono::seconds(10);
} // namespace

tRuntimeWorld::tRuntimeWorld(std::string_view language) : m_commander(std::make_unique<tCapturingCommander>())
{
    if (!loadProjectDictionary(language, false))
        throw std::runtime_error("no dictionary for " + std::string(language));
    BuildVocabulary();
    fillValuePools();
    installGlobalLock();
    globalLock().enter();
    m_main = std::make_unique<tMainLogoObject>();
    auto output = std::make_unique<tMemoryStream>();
    m_output = output.get();
    m_main->setOutputStream(std::move(output));
    globalLock().leave();
}

tRuntimeWorld::~tRuntimeWorld()
{
    stopAllProcesses(false);
    processRegistry().reapFinished();
    m_main.reset();
    unloadProjectDictionary();
    gValueSettings = tValueSettings{};
}

std::vector<std::string> tRuntimeWorld::reports()
{
    std::lock_guard lock(m_commander->mutex);
    return m_commander->reports;
}

tRunResult tRuntimeWorld::run(std::string_view text, bool waitForLaunched)
{
    m_output->bytes().clear();
    m_output->SetPosition(0);
    tRunResult result;
    auto loader = std::make_shared<tNativeProcess>(ipInitialLoad, "@test", [&](tProcessState& ps) {
        try {
            LoadProjectText(ps, text);
        } catch (eLogoException& e) {
            result.error = e.number;
            result.culprit = FillPlaceholders(e, "#h");
            result.primitive = e.primitiveName;
            Format(e);
            result.message = e.message;
        }
    });
    loader->commander = m_commander.get();
    tLogoprocess::start(loader);
    loader->waitUntilFinished();
    if (waitForLaunched) {
        // What it launched finishes too, or is stopped when it takes too long.
        const auto deadline = std::chrono::steady_clock::now() + kLongestRun;
        while (!processRegistry().empty() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        stopAllProcesses(false);
    }
    processRegistry().reapFinished();
    result.output = output();
    return result;
}

std::string tRuntimeWorld::output()
{
    // Processes that still run may be printing: read under the lock.
    globalLock().enter();
    std::string text;
    for (uint8_t c : m_output->bytes())
        if (c != '\r')
            text += static_cast<char>(c);
    globalLock().leave();
    return text;
}

} // namespace zembrio::testing
