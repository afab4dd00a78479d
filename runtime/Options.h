// The runtime's settings that "setoption" changes and "option" reads; global, shared by all processes.
#pragma once

#include "core/LogoObject.h"

#include <cstdint>
#include <string>

namespace zembrio {

// Units of "wait", "every", "after" and "timer" (elapse) and of the fraction of "time".
enum tTimeUnit : int32_t { tuMilliseconds = 0, tuHundredths = 1, tuTenths = 2 };

struct tOptions {
    tValue pickerList;
    int32_t colourCursor = 1;
    int32_t sound = 1;
    int32_t functionKeys = 2;
    int32_t yearThreshold = 10;
    tTimeUnit elapseUnit = tuMilliseconds;
    tTimeUnit timeUnit = tuMilliseconds;
    int32_t octaves = 2;
    std::string homePage = "about:blank";
    std::string pluginPage = "about:blank";
    std::string htmlCharset = "iso-8859-1";
    std::string htmlBottomLine;
    // Reported by option "state"; the project loader and the start-up sequence set them.
    bool projectLoading = false;
    bool systemStarting = false;
};

// Changed under the interpreter lock.
tOptions& options();
// The defaults a reset restores (ANSI, strictness, function keys and octaves keep their values).
void resetOptions();

// Milliseconds for a duration given in the elapse unit; clamped to [0, 2^31) so no wait turns into weeks.
int64_t elapseToMilliseconds(int64_t duration);
// Milliseconds given in the time unit: unchanged, hundredths capped at 99, or tenths capped at 9.
int64_t millisecondsToTimeUnit(int64_t milliseconds, tTimeUnit unit);
// An elapsed time in the elapse unit, rounded like the fraction of "time" but not capped ("timer").
int64_t millisecondsToElapseUnit(int64_t milliseconds);

} // namespace zembrio
