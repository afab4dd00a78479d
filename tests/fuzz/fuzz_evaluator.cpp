// Arbitrary text read, defined as procedures and run against a small vocabulary under a step budget:
// every input must end in a value, an error or the budget's stop, never a crash or a hang.
#include "tests/support/LogoTestWorld.h"

#include <cstddef>
#include <cstdint>

using namespace zembrio;
using namespace zembrio::testing;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static tLogoTestWorld* w = new tLogoTestWorld; // lives for the whole fuzzing run
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    w->setStepBudget(2000);
    try {
        if (text.substr(0, 3) == "to ")
            DefineFromText(&w->root, text);
    } catch (const eLogoException&) {
    }
    w->run(text);
    w->setStepBudget(0);
    return 0;
}
