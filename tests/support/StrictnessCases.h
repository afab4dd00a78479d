// Cases of one expression each, shown (with brackets) or failing, at a strictness level of their own.
#pragma once

#include "core/ValueSettings.h"
#include "tests/support/LogoTestWorld.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace zembrio::testing {

struct tCase {
    int strictness;
    const char* expression;
    const char* shown; // what show prints, when there is no error
    std::optional<errorConst> error = std::nullopt;
    const char* culprit = nullptr; // as #h prints it (a list without brackets)
};

inline void expectCases(tLogoTestWorld& w, std::initializer_list<tCase> cases)
{
    for (const tCase& c : cases) {
        gValueSettings.strictness = c.strictness;
        const tOutcome o = w.run(std::string("show ") + c.expression);
        const std::string label = "strict " + std::to_string(c.strictness) + ": " + c.expression;
        EXPECT_EQ(o.error, c.error) << label;
        if (!c.error) {
            EXPECT_EQ(o.output, std::string(c.shown) + "\n") << label;
        } else if (c.culprit) {
            EXPECT_EQ(o.culprit, c.culprit) << label;
        }
    }
    gValueSettings.strictness = 0;
}

} // namespace zembrio::testing
