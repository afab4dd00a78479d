// Arbitrary text loaded as a project text by the real runtime (English dictionary, the main object with
// its primitive families) under a step budget: every input must end in a result, an error or the
// budget's stop, never a crash or a hang. Processes and waiting are left out: they outlive the input.
#include "core/LogoException.h"
#include "core/MethodTable.h"
#include "core/ProcessState.h"
#include "core/ValuePools.h"
#include "core/YieldPoint.h"
#include "platform/ProcessStack.h"
#include "runtime/MainObj.h"
#include "runtime/Vocabulary.h"
#include "shell/ProjectDictionary.h"
#include "shell/ProjectText.h"

#include <cstddef>
#include <cstdint>
#include <memory>

using namespace zembrio;

namespace {

constexpr int32_t kStepBudget = 2000;
thread_local int32_t tStepsLeft = 0;

void countStep(tProcessState&)
{
    if (--tStepsLeft < 0)
        throw eTerminateException(0);
}

tMainLogoObject& runtime()
{
    static tMainLogoObject* main = [] {
        loadProjectDictionary("english", false);
        BuildVocabulary();
        fillValuePools();
        auto* m = new tMainLogoObject; // lives for the whole fuzzing run
        for (const char* key : {"launch", "forever", "every", "after", "wait", "cancel", "stopall", "pauseall",
                                "runcritical"})
            for (tNameCode code : Aliases(key))
                m->methodTable->RemoveIfPresent(code);
        setYieldHandler(countStep);
        return m;
    }();
    return *main;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    tMainLogoObject& main = runtime();
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    runOnProcessStack([&] {
        tProcessState ps;
        tProcessScope scope(ps);
        ps.currentObject = &main;
        ps.attention.fetch_or(kAttentionHook);
        tStepsLeft = kStepBudget;
        try {
            LoadProjectText(ps, text);
        } catch (const eLogoException&) {
        } catch (const eTerminateException&) {
        }
    });
    main.Reset(); // what one input defined does not reach the next
    return 0;
}
