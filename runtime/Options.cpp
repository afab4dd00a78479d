#include "runtime/Options.h"

#include <algorithm>

namespace zembrio {

namespace {

// Longest duration a wait may be given: beyond it the clock arithmetic of the waits could overflow.
constexpr int64_t kMaxMilliseconds = (int64_t(1) << 31) - 1;

int64_t millisecondsPer(tTimeUnit unit)
{
    switch (unit) {
    case tuHundredths:
        return 10;
    case tuTenths:
        return 100;
    default:
        return 1;
    }
}

} // namespace

tOptions& options()
{
    static tOptions settings;
    return settings;
}

void resetOptions()
{
    tOptions& o = options();
    o.pickerList = tValue();
    o.colourCursor = 1;
    o.sound = 1;
    o.yearThreshold = 10;
    o.elapseUnit = tuMilliseconds;
    o.timeUnit = tuMilliseconds;
}

int64_t elapseToMilliseconds(int64_t duration)
{
    // Clamp before multiplying, so a huge count cannot overflow into a negative or endless wait.
    const int64_t factor = millisecondsPer(options().elapseUnit);
    const int64_t clamped = std::clamp<int64_t>(duration, 0, kMaxMilliseconds / factor + 1);
    return std::min(clamped * factor, kMaxMilliseconds);
}

int64_t millisecondsToTimeUnit(int64_t milliseconds, tTimeUnit unit)
{
    switch (unit) {
    case tuHundredths:
        return std::min<int64_t>((milliseconds + 5) / 10, 99);
    case tuTenths:
        return std::min<int64_t>((milliseconds + 50) / 100, 9);
    default:
        return milliseconds;
    }
}

int64_t millisecondsToElapseUnit(int64_t milliseconds)
{
    // The rounding of the fraction of "time", without its cap: a timer runs past one second.
    const int64_t factor = millisecondsPer(options().elapseUnit);
    if (factor == 1)
        return milliseconds;
    return (milliseconds + factor / 2) / factor;
}

} // namespace zembrio
