// Control flow through the real runtime: loops, conditionals, procedure inputs, locals, catch and throw.
#include "tests/support/RuntimeWorld.h"

#include <gtest/gtest.h>

using namespace zembrio;
using namespace zembrio::testing;

namespace {

struct tCase {
    const char* text;
    const char* output;
    std::optional<errorConst> error = std::nullopt;
};

class ControlFlowTest : public ::testing::Test {
protected:
    tRuntimeWorld w;

    void expectCases(std::initializer_list<tCase> cases)
    {
        for (const tCase& c : cases) {
            const tRunResult r = w.run(c.text);
            EXPECT_EQ(r.output, c.output) << c.text;
            EXPECT_EQ(r.error, c.error) << c.text << "\n" << r.message;
        }
    }
};

} // namespace

TEST_F(ControlFlowTest, Loops)
{
    expectCases({
        {"repeat 3 [type repcount] print \"", "123\n"},
        {"repeat 0 [print 1] repeat -2 [print 2]", ""},
        {"repeat 2 [repeat 2 [type repcount] type repcount] print \"", "121122\n"},
        {"print repcount", "", erWrongPlaceRepc},
        {"make \"i 0 while [:i < 3] [make \"i :i + 1 type :i] print \"", "123\n"},
        {"for \"i [1 3] [type :i]", "123"},
        {"for \"i [3 1] [type :i]", "321"},
        {"for \"i [5 1 1] [type :i] print \"none", "none\n"},
        {"for \"i [1 2 0.5] [type :i type \"| |]", "1 1.5 2 "},
        {"for \"i [1 3] [make \"i 100 type repcount]", "123"},
        {"for \"i [1 3 0] [print :i]", "", erBadStructure},
        {"for \"i [1] [print :i]", "", erBadStructure},
        {"foreach \"x [a b c] [type :x type repcount]", "a1b2c3"},
        {"foreach \"ch \"abc [type :ch type \"-]", "a-b-c-"},
        {"foreach \"x [] [print :x] print \"done", "done\n"},
        {"to f\nmake \"n 0\nloop [make \"n :n + 1 if :n > 4 [stop]]\nend\n\nf print :n", "5\n"},
        {"make \"x 1 foreach \"x [7 8] [] print :x", "1\n"},
    });
}

TEST_F(ControlFlowTest, Conditionals)
{
    expectCases({
        {"if 1 < 2 [print \"yes] if 2 < 1 [print \"no]", "yes\n"},
        {"ifelse \"true [print 1] [print 2]", "1\n"},
        {"print ifelse 3 > 4 [\"big] [\"small]", "small\n"},
        {"test 1 = 1 iftrue [print \"t] iffalse [print \"f]", "t\n"},
        {"iftrue [print 1]", "", erNotExecuted},
        {"case 2 [1 [print \"one] 2 [print \"two] [print \"other]]", "two\n"},
        {"case 9 [1 [print \"one] 2 [print \"two] [print \"other]]", "other\n"},
        {"case 9 [1 [print \"one]] print \"none", "none\n"},
        {"print case \"b [a [\"alpha] b c [\"bc]]", "bc\n"},
        {"case 1 [1 2]", "", erBadStructure},
        {"print and \"true [1 < 2]", "true\n"},
        {"print and \"false [nosuch]", "false\n"},
        {"print or \"true [nosuch]", "true\n"},
        {"print (xor \"true \"true \"true)", "true\n"},
        {"print (or)", "false\n"},
        {"run [print 5] print run [3 + 4]", "5\n7\n"},
        {"to bump\nmake \"x :x + 1\noutput :x > 5\nend\n\nmake \"x 1 waituntil [bump] print :x", "6\n"},
    });
}

TEST_F(ControlFlowTest, ProcedureInputs)
{
    expectCases({
        {"print apply \"sum [1 2]", "3\n"},
        {"print apply [[a b] [output :a * :b]] [6 7]", "42\n"},
        {"print apply [:% * 2] [21]", "42\n"},
        {"print apply [:%1 - :%2] [10 3]", "7\n"},
        {"print apply \"difference [1]", "", erNotEnoughInputs},
        {"print apply \"sum [1]", "1\n"},
        {"print apply [[a] [output :a]] [1 2]", "", erTooManyInputs},
        {"print apply \"sum 5", "", erExpectList},
        {"print map [:% * :%] [1 2 3]", "1 4 9\n"},
        {"print (map [:%1 + :%2] [1 2] [10 20])", "11 22\n"},
        {"print (map [:%1 + :%2] [1 2] [10 20 30])", "", erBadStructure},
        {"map [print :%] [a b]", "a\nb\n"},
        {"print map [word :% \"!] \"ab", "a! b!\n"},
        {"print filter [:% > 2] [1 5 2 7]", "5 7\n"},
        {"print filter [:% > 2] \"abc", "", erBadStructure},
        {"print filter [[a b] [output :a]] [1 2]", "", erExpectBadProc},
        {"print generate 5 [:% * 2] 1", "1 2 4 8 16\n"},
        {"print generate [:% < 100] [:% * 2] 1", "1 2 4 8 16 32 64\n"},
        {"print count generate [\"true] [] 1", "10000\n"},
        {"print apply [] [1]", "", erExpectWord},
        {"to double :x\noutput :x * 2\nend\n\nprint map \"double [1 2]", "2 4\n"},
        {"print map [print :%] [1]", "1\n", erDidNotReport},
        {"map [:%] [1]", "", erWhatToDo},
    });
}

TEST_F(ControlFlowTest, DefinitionsAndLocals)
{
    expectCases({
        {"define \"twice [[x] [output :x * 2]] print twice 4 print text \"twice", "8\n[x] [output :x * 2]\n"},
        {"print text \"nothing", "\n"},
        {"print text [[a b] c]", "[a b] [c]\n"},
        {"define \"bad []", "", erEmptyList},
        {"define \"bad 5", "", erExpectList},
        {"define \"print [[] [stop]]", "", erRedefinePrimitiveProc},
        {"to f\nlocal \"v\nmake \"v 5\nprint :v\nend\n\nmake \"v 1 f print :v", "5\n1\n"},
        {"to g\n(let \"a 1 \"b 2)\n(let [c 3 d 4])\nprint (list :a :b :c :d)\nend\n\ng", "1 2 3 4\n"},
        {"(let [a])", "", erBadStructure},
        {"(let \"a)", "", erNotEnoughInputs},
        {"local [[a]]", "", erExpectWord},
        {"make \"n 1 inc \"n print :n (inc \"n 2.5) print :n dec \"n print :n", "2\n4.5\n3.5\n"},
        {"make \"w \"abc inc \"w", "", erExpectNumber},
        {"to h\nrepeat 3 [local \"z make \"z repcount]\nprint :z\nend\n\nh", "3\n"},
        {"ignore 5 (ignore 1 2 3) print \"ok", "ok\n"},
    });
}

TEST_F(ControlFlowTest, CatchThrowAndTheLastError)
{
    expectCases({
        {"catch \"done [print 1 throw \"done print 2] print 3", "1\n3\n"},
        {"catch \"outer [catch \"inner [throw \"outer] print \"no] print \"yes", "yes\n"},
        {"throw \"nowhere", "", erNoCatch},
        {"catch \"error [print nosuch] print first error", "25\n"},
        {"catch \"error [print nosuch] print count error print error", "6\n\n"},
        {"catch \"error [throw \"error] print \"caught", "caught\n"},
        {"catch \"other [print nosuch]", "", erDoNotKnowHowTo},
        {"catch \"error [throwerror [my own] 42] print item 2 error", "my own\n"},
        {"throwerror \"oops 1", "", erUser},
        {"to f\ncatch \"error [output 5]\nend\n\nprint f", "5\n"},
    });
    const tRunResult r = w.run("catch \"error [print 1 / 0] print error");
    EXPECT_EQ(r.output.substr(0, 3), "32 ") << r.output;
}
