// Word primitives where each case needs its own run: errors, strictness levels, and searches for the empty
// word, which must end (a search that finds the empty word everywhere never does).
#include "tests/support/LogoTestWorld.h"
#include "tests/support/StrictnessCases.h"

#include "core/ListPrimitives.h"
#include "core/ValueSettings.h"

#include <gtest/gtest.h>

using namespace zembrio;
using namespace zembrio::testing;

namespace {

class WordPrimitivesTest : public ::testing::Test {
protected:
    tLogoTestWorld w;
};

} // namespace

TEST_F(WordPrimitivesTest, EmptyWordsAndIndexesByStrictness)
{
    for (const char* name : {"first", "butfirst", "last", "butlast", "pick"}) {
        const std::string e = std::string(name) + " \"";
        expectCases(w, {{0, e.c_str(), ""}, {1, e.c_str(), ""}, {2, e.c_str(), "", erEmptyWord}});
    }
    expectCases(w, {
        {0, "item 5 \"abc", ""},
        {1, "item 5 \"abc", "", erMinMax, "5"},
        {2, "item 0 \"abc", "", erMinMax, "0"},
        {0, "item 1 \"", ""},
        {1, "item 1 \"", "", erEmptyWord},
        {0, "item [[1 1] 9 3] \"abc", "ac"},
        {1, "item [[1 1] 9 3] \"abc", "", erBadValue, "9"},
    });
    gValueSettings.strictness = 1;
    EXPECT_EQ(w.run("show item 4 \"abc").bounds, "1 3");
}

TEST_F(WordPrimitivesTest, MalformedInputs)
{
    expectCases(w, {
        {0, "item \"x \"abc", "", erMinMax, "x"},
        {0, "item [1 2 3] \"abc", "", erExpectList2, "1 2 3"},
        {0, "item [[1 1] x] \"abc", "", erBadStructure},
        {0, "butitem \"x \"abc", "", erExpectNumber, "x"},
        {0, "butitem 0 \"abc", "", erMinMax, "0"},
        {0, "butitem [1 2 3] \"abc", "", erExpectList2},
        {0, "replace \"x \"abc \"y", "", erExpectNumber, "x"},
        {0, "replace 1 \"abc [y]", "", erExpectWord},
        {0, "fput [a] \"bc", "", erExpectWord, "a"},
        {0, "lput [a] 12", "", erExpectWord},
        {0, "char 256", "", erMinMax, "256"},
        {0, "char -1", "", erMinMax},
        {0, "char true", "", erMinMax},
        {0, "ascii \"", "", erEmptyWord},
        {0, "member? [a] \"abc", "", erExpectWord},
        // not: a word's own boolean reading; integers have none; reals have no not at all.
        {0, "not \"abc", "", erNotBool, "abc"},
        {0, "not 1", "", erNotBool, "1"},
        {0, "not 1.5", "", erDoNotKnowHowTo, "not"},
        {0, "not \"TRUE", "false"},
        {0, "not false", "true"},
        {0, "not \"0", "true"},
    });
}

// An empty word occurs nowhere: looking for it finds nothing and removing it removes nothing.
TEST_F(WordPrimitivesTest, TheEmptyWordNeverOccurs)
{
    expectCases(w, {
        {0, "member? \" \"abc", "false"},
        {0, "member \" \"abc", "0"},
        {0, "butmember \" \"abc", "abc"},
        {0, "frommember \" \"abc", ""},
        {0, "member? \" \"", "false"},
        {0, "butmember \" \"", ""},
    });
}

TEST_F(WordPrimitivesTest, UpperCaseKeepsAccents)
{
    EXPECT_EQ(upperCaseText("abz\x9a\xe1\xb3\xff\xf7"), "ABZ\x8a\xc1\xa3\xff\xf7");
    expectCases(w, {
        {0, "member? \"\x8a \"a\x9a", "true"},
        {0, "member? \"A \"\xe1", "false"}, // case is ignored, accents are not
    });
}
