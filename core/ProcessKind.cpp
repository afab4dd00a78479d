#include "core/ProcessKind.h"

namespace zembrio {

std::string_view processKindName(int kind)
{
    // ORDER tInprocType
    static constexpr std::string_view kNames[] = {
        "ipNone",    "ipProc",      "ipEvent",      "ipMenu",   "ipMCINotify", "ipVoiceMenu", "ipKeyMenu",
        "ipNetworkRun", "ipInitialLoad", "ipINILoad", "ipLaunch", "ipForever",  "ipTreeAction", "ipEvery",
        "ipAfter",   "ipAutoDrag",  "ipClearClick", "ipStartup", "ipCleaning", "ipCode",      "ipLoadFile",
    };
    static_assert(sizeof(kNames) / sizeof(kNames[0]) == kProcessKindCount);
    if (kind < 0 || kind >= kProcessKindCount)
        return {};
    return kNames[kind];
}

} // namespace zembrio
