// The evaluator: precedence, input collection, output and stop, tail calls, depth limit and its errors.
#include "tests/support/LogoTestWorld.h"

#include <gtest/gtest.h>

using namespace zembrio;
using namespace zembrio::testing;

namespace {

class EvaluatorTest : public ::testing::Test {
protected:
    tLogoTestWorld w;
};

struct tCase {
    const char* text;
    const char* output;
    std::optional<errorConst> error = std::nullopt;
    const char* culprit = "";
};

void expectCases(tLogoTestWorld& w, std::initializer_list<tCase> cases)
{
    for (const tCase& c : cases) {
        const tOutcome o = w.run(c.text);
        EXPECT_EQ(o.output, c.output) << c.text;
        EXPECT_EQ(o.error, c.error) << c.text;
        if (c.error) {
            EXPECT_EQ(o.culprit, c.culprit) << c.text;
        }
        EXPECT_EQ(w.ps.stack.count(), 0) << c.text;
        EXPECT_EQ(w.ps.callDepth, 0) << c.text;
    }
}

} // namespace

TEST_F(EvaluatorTest, PrecedenceAndSigns)
{
    expectCases(w, {
                       {"print 3 + 4 * 2", "11\n"},
                       {"print (3 + 4) * 2", "14\n"},
                       {"print 10 - 2 - 3", "5\n"},
                       {"print - 3 + 5", "2\n"},
                       {"print -3 + 5", "2\n"},
                       {"print 12 / 4 / 3", "1\n"},
                       {"print 2 * - 3", "-6\n"},
                       {"print 1 = 1", "true\n"},
                       {"print 1 + 1 = 2", "true\n"},
                       {"print 3 < 2", "false\n"},
                   });
}

TEST_F(EvaluatorTest, InputsAndParentheses)
{
    expectCases(w, {
                       {"print (sum 1 2 3)", "6\n"},
                       {"print sum 1 2", "3\n"},
                       {"(print 1 2 3)", "1 2 3\n"},
                       {"print (sum)", "0\n"},
                       {"print [a [b c]] print \"word", "a [b c]\nword\n"},
                       {"print 1 = 1 = 1", "true\n", erWrongSequence, "="},
                       {"sum 1 2 3", "", erWhatToDo, "3"},
                       {"5", "", erWhatToDo, "5"},
                       {"(", "", erWrongSequence, "<nil>"},
                       {"( print 1", "1\n", erMissingRpar, "<nil>"},
                       {"print (3 + 4", "", erMissingRpar, "<nil>"},
                       {"print", "", erNotEnoughInputs, "print"},
                       {"print sum 1", "", erNotEnoughInputs, "sum"},
                       {"* 3", "", erWrongSequence, "*"},
                       {"print )", "", erWrongSequence, "<nil>"},
                       {"nosuch 1", "", erDoNotKnowHowTo, "nosuch"},
                       {"print :nosuch", "", erNoVal, "nosuch"},
                       {"print 1 / 0", "", erDiv0, "<nil>"},
                   });
    const tOutcome o = w.run("print forward 10");
    EXPECT_EQ(o.error, erDidNotReport);
    EXPECT_EQ(o.culprit, "forward");
    EXPECT_EQ(o.primitive, "print");
    EXPECT_EQ(w.run("print 1 / 0").primitive, "/");
}

TEST_F(EvaluatorTest, BooleansInListsAreConstants)
{
    expectCases(w, {
                       {"if true [print 1] if false [print 2]", "1\n"},
                       {"print first [true]", "true\n"},
                   });
}

TEST_F(EvaluatorTest, EvaluatingAnExpressionList)
{
    EXPECT_EQ(w.eval("3 + 4"), "7");
    try {
        w.eval("1 2");
        FAIL();
    } catch (const eLogoException& e) {
        EXPECT_EQ(e.number, erWhatToDo);
        EXPECT_EQ(FillPlaceholders(e, "#h"), "2");
        EXPECT_EQ(e.trail, std::vector<int32_t>{2});
    }
    w.ps.stack.Clear();
    w.ps.callDepth = 0;
}

TEST_F(EvaluatorTest, TailCallsRunInConstantSpaceOtherRecursionHitsTheLimit)
{
    w.define(R"(to countdown :n
if :n = 0 [stop]
countdown :n - 1
end

to deep :n
deep :n + 1
print :n
end)");
    tOutcome o = w.run("countdown 100000 print \"done");
    EXPECT_EQ(o.error, std::nullopt);
    EXPECT_EQ(o.output, "done\n");
    EXPECT_EQ(w.ps.locals->totalEntries(), 0);

    o = w.run("deep 1");
    EXPECT_EQ(o.error, erStackOverflow);
    EXPECT_EQ(o.procedure, "deep");
    EXPECT_EQ(w.ps.locals->totalEntries(), 0) << "every frame popped on the way out";
    EXPECT_EQ(w.ps.callDepth, 0);
}

TEST_F(EvaluatorTest, TopLevelCallOfAProcedureRuns)
{
    // The last instruction of a top-level list is not a tail call nobody runs.
    w.define("to greet\nprint \"hello\nend");
    EXPECT_EQ(w.run("greet").output, "hello\n");
    EXPECT_EQ(w.run("run [greet]").output, "hello\n");
}

TEST_F(EvaluatorTest, ArraysStayAliveWhileTheirListIsReplaced)
{
    // The procedure redefines a global list that is running right now.
    w.define("to swap\nmake \"code [print 2]\nprint 1\nend");
    const tOutcome o = w.run("make \"code [swap print 3] run :code");
    EXPECT_EQ(o.error, std::nullopt);
    EXPECT_EQ(o.output, "1\n3\n");
}

TEST_F(EvaluatorTest, StopRequestEndsTheRunAtTheNextListRun)
{
    w.setStepBudget(50);
    w.define("to forever\nforever\nend");
    EXPECT_EQ(w.run("forever").error, errrr);
    w.setStepBudget(0);
    EXPECT_EQ(w.ps.locals->totalEntries(), 0);
}
