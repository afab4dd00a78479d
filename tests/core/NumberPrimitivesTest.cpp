// Arithmetic and comparisons of the value tables: integer results that overflow into reals, real
// division, floor div and mod, degrees, and the floating-point faults C++ would let through.
#include "tests/support/LogoTestWorld.h"

#include <gtest/gtest.h>

using namespace zembrio;
using namespace zembrio::testing;

namespace {

class NumberPrimitivesTest : public ::testing::Test {
protected:
    tLogoTestWorld w;
};

struct tExpression {
    const char* expression;
    const char* printed; // or the error below
    std::optional<errorConst> error = std::nullopt;
};

} // namespace

TEST_F(NumberPrimitivesTest, Table)
{
    const tExpression cases[] = {
        {"2147483647 + 1", "2.14748E9"},
        {"2147483647 - 1", "2147483646"},
        {"2147483647 + 1 = 2147483648.0", "true"},
        {"6 + 2.0", "8"},
        {"1.5 + 1.5", "3"},
        {"-2147483647 - 2", "-2.14748E9"},
        {"65536 * 65536", "4.29497E9"},
        {"7 / 2", "3.5"},
        {"6 / 3", "2"},
        {"quotient 1 3", "0.333333"},
        {"difference 10 4", "6"},
        {"div 7 2", "3"},
        {"div -7 2", "-4"},
        {"mod -7 2", "1"},
        {"mod 7 -2", "-1"},
        {"div -2147483648 -1", "2.14748E9"},
        {"mod -2147483648 -1", "0"},
        {"- -2147483648", "2.14748E9"},
        {"abs -2147483648", "2.14748E9"},
        {"abs -5", "5"},
        {"abs -2.5", "2.5"},
        {"int -3.7", "-3"},
        {"int 1e12 + 0.5", "1E12"},
        {"round -2.5", "-3"},
        {"round 2.5", "3"},
        {"sin 90", "1"},
        {"cos 180", "-1"},
        {"arctan 1", "45"},
        {"sqrt 16", "4"},
        {"ln exp 2", "2"},
        {"bitnot 0", "-1"},
        {"random 1", "0"},
        {"\"7 * \"6", "42"},
        {"3 < 4", "true"},
        {"\"abc < \"abd", "true"},
        {"\"B > \"a", "true"},
        {"10 <= 10", "true"},
        {"2 >= 10", "false"},
        {"less? 1 2", "true"},
        {"greater? \"b \"a", "true"},
        {"1 = 1.0", "true"},
        {"\"abc <> \"ABC", "false"},
        {"true = \"TRUE", "true"},
        {"true < false", "false"},
        {"[a [b]] = [A [B]]", "true"},
        {"[a] <> [a b]", "true"},
        {"2 * [1 2]", "2 4"},
        {"90 / [1 0]", "0 -1"},
        {"1 / 0", "", erDiv0},
        {"div 1 0", "", erDiv0},
        {"mod 5 0", "", erDiv0},
        {"ln 0", "", erReal},
        {"sqrt -1", "", erReal},
        {"exp 100000", "", erReal},
        {"1e4000 * 1e4000", "", erReal},
        {"\"abc + 1", "", erExpectNumber},
        {"[1] + 1", "", erExpectList},
        {"true + 1", "", erDoNotKnowHowTo},
        {"bitnot true", "", erMinMax},
        {"div true 2", "", erInternExecuteF},
    };
    for (const tExpression& c : cases) {
        const tOutcome o = w.run(std::string("print ") + c.expression);
        EXPECT_EQ(o.error, c.error) << c.expression;
        if (!c.error) {
            EXPECT_EQ(o.output, std::string(c.printed) + "\n") << c.expression;
        }
    }
}

TEST_F(NumberPrimitivesTest, RandomStaysInRange)
{
    for (int i = 0; i < 200; ++i) {
        const int v = std::stoi(w.run("print random -5").output);
        ASSERT_GE(v, -4);
        ASSERT_LE(v, 0);
        const int u = std::stoi(w.run("print random 6").output);
        ASSERT_GE(u, 0);
        ASSERT_LE(u, 5);
    }
    EXPECT_EQ(w.run("print random \"1e20").error, erNumTooBig);
    EXPECT_EQ(w.run("print random 1e20").error, erMinMax);
}
