// Kinds of Logo processes. The identifiers are also the keys of the error captions.
#pragma once

#include <cstdint>
#include <string_view>

namespace zembrio {

// ORDER tInprocType: the values are part of the error-caption lookup; never reorder.
enum tInprocType : uint8_t {
    ipNone, ipProc, ipEvent, ipMenu, ipMCINotify, ipVoiceMenu, ipKeyMenu, ipNetworkRun, ipInitialLoad,
    ipINILoad, ipLaunch, ipForever, ipTreeAction, ipEvery, ipAfter, ipAutoDrag, ipClearClick, ipStartup,
    ipCleaning, ipCode, ipLoadFile,
};

inline constexpr int kProcessKindCount = ipLoadFile + 1;

// "ipEvent" for ipEvent; empty outside the enumeration.
std::string_view processKindName(int kind);

} // namespace zembrio
