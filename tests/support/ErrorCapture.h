// What an action raised, for tests that compare errors.
#pragma once

#include "core/LogoException.h"

#include <functional>
#include <optional>
#include <string>

namespace zembrio::testing {

// The text of the stream error the action raised, or "(no error)".
inline std::string streamErrorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const eStreamError& e) {
        return e.what();
    }
    return "(no error)";
}

// The number of the runtime error the action raised, or nothing.
inline std::optional<errorConst> logoErrorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const eLogoException& e) {
        return e.number;
    }
    return std::nullopt;
}

} // namespace zembrio::testing
