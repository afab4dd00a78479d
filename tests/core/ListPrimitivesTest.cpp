// List primitives where a scenario cannot show the fault: each error case is its own run, strictness is
// switched per case, and sorting is checked on lists far longer than a native stack can recurse over.
#include "tests/support/LogoTestWorld.h"
#include "tests/support/StrictnessCases.h"

#include "core/ValueSettings.h"

#include <gtest/gtest.h>

#include <pthread.h>

using namespace zembrio;
using namespace zembrio::testing;

namespace {

class ListPrimitivesTest : public ::testing::Test {
protected:
    tLogoTestWorld w;
};

// A list of the integers from..to, held as a global variable.
void makeNumbers(const char* name, int32_t from, int32_t to)
{
    tListBuilder numbers;
    for (int32_t i = from; i <= to; ++i)
        numbers.append(tValue(makeInt(i)).get());
    globalVariables().SetValue(Intern(name), numbers.take().get());
}

} // namespace

TEST_F(ListPrimitivesTest, EmptyListsAndIndexesByStrictness)
{
    for (const char* name : {"first", "butfirst", "last", "butlast", "pick"}) {
        const std::string e = std::string(name) + " []";
        expectCases(w, {{0, e.c_str(), "[]"}, {1, e.c_str(), "", erEmptyList}, {2, e.c_str(), "", erEmptyList}});
    }
    expectCases(w, {
        {0, "item 5 [a b c]", "[]"},
        {0, "item 0 [a b c]", "[]"},
        {0, "item 1 []", "[]"},
        {1, "item 1 []", "", erEmptyList},
        {1, "item 4 [a b c]", "", erMinMax, "4"},
        {2, "item 0 [a b c]", "", erMinMax, "0"},
        {0, "item [[1 1] 9 3] [a b c]", "[a c]"},
        {1, "item [[1 1] 9 3] [a b c]", "", erMinMax, "9"},
        {0, "deepitem [2 5] [a [b c]]", "[]"},
        {1, "deepitem [2 5] [a [b c]]", "", erMinMax, "5"},
        {0, "deepreplace [5] [a b] \"x", "[a b]"},
        {1, "deepreplace [5] [a b] \"x", "", erMinMax, "5"},
        {1, "butfirst [a]", "[]"},
        {1, "butlast [a]", "[]"},
        {2, "reverse []", "[]"},
        {2, "sort []", "[]"},
        {2, "shuffle []", "[]"},
    });
    gValueSettings.strictness = 1;
    EXPECT_EQ(w.run("show item 5 [a b c]").bounds, "1 3");
}

TEST_F(ListPrimitivesTest, MalformedInputs)
{
    expectCases(w, {
        // Index lists.
        {0, "item [1 2 3] [a b c]", "", erExpectList2, "1 2 3"},
        {0, "item [[1 1] x] [a b c]", "", erExpectList, "x"},
        {0, "item [a 2] [a b c]", "", erExpectNumber, "a"},
        {0, "item \"x [a b]", "", erExpectNumber, "x"},
        {0, "item true [a b]", "", erExpectNumber},
        {0, "butitem [1 2 3] [a b]", "", erExpectList2},
        {0, "butitem \"x [a b]", "", erExpectNumber},
        {0, "replace [1 1] [a b] \"x", "", erExpectList, "x"},
        {0, "deepitem [1 x] [[a]]", "", erBadStructure},
        {0, "deepitem [1 1 1] [[a]]", "", erBadStructure},
        {0, "deepitem \"x [a]", "", erBadStructure},
        // Vectors and points.
        {0, "[1 2 3] + [1 2]", "", erBadStructure, "1 2"},
        {0, "[1 x] + [1 2]", "", erBadStructure},
        {0, "[] + [1]", "", erEmptyList},
        {0, "[1 2] + 1", "", erExpectList, "1"},
        {0, "[1 2] - [[0 0]]", "", erBadStructure},
        {0, "[1 2 3] + [[0 0]]", "", erBadStructure, "1 2 3"},
        {0, "[1 2] / 0", "", erDiv0},
        {0, "[4 2] / [2 0]", "", erDiv0},
        {0, "mod [4 2] [2 0]", "", erDiv0},
        {0, "[1 2] * \"x", "", erExpectNumber},
        {0, "- [1 x]", "", erBadStructure},
        {0, "abs []", "", erEmptyList},
        {0, "abs [3 x]", "", erBadStructure},
        {0, "int [1.5 x]", "", erExpectNumber, "x"},
        {0, "int [[1.5] [[2]]]", "", erBadStructure},
        {0, "vectorangle [1] [0 1]", "", erBadStructure, "1"},
        {0, "vectorangle [0 1] [x 1]", "", erBadStructure},
        {0, "rotate [1 0] \"x", "", erBadStructure, "x"},
        {0, "rotate [1 0 0] 90", "", erBadStructure},
        {0, "rotate [[1 0] x] 90", "", erBadStructure},
        {0, "randompos []", "", erEmptyList},
        {0, "randompos [1 2 3]", "", erBadStructure},
        {0, "randompos [a b]", "", erBadStructure},
        {0, "randompos [[0 0] [1]]", "", erBadStructure},
        // Expressions inside lists.
        {0, "not [\"abc]", "", erNotBool},
        {0, "! [(print 1)]", "", erDidNotReport},
        {0, "! [:nothing]", "", erNoVal},
    });
}

TEST_F(ListPrimitivesTest, RandomPicksStayInside)
{
    for (int i = 0; i < 100; ++i) {
        EXPECT_EQ(w.run("show member? pick [a b c] [a b c]").output, "true\n");
        EXPECT_EQ(w.run("show count shuffle [a b c d]").output, "4\n");
        EXPECT_EQ(w.run("show sort shuffle [4 1 3 2]").output, "[1 2 3 4]\n");
        const std::string p = w.run("show randompos [10 20 5 -3]").output;
        const int x = std::stoi(p.substr(1));
        const int y = std::stoi(p.substr(p.find(' ')));
        EXPECT_TRUE(x >= 10 && x <= 14) << p;
        EXPECT_TRUE(y >= 20 && y <= 22) << p; // y grows down by h = -3, so upwards here
        const std::string r = w.run("show random [10 -3]").output;
        EXPECT_TRUE(std::stoi(r.substr(1)) >= 0 && std::stoi(r.substr(1)) < 10) << r;
    }
}

TEST_F(ListPrimitivesTest, SortsLongSortedListsAtOnce)
{
    makeNumbers("sorted", 1, 100000);
    const tOutcome o = w.run("make \"s sort :sorted show count :s show first :s show last :s show :s = :sorted");
    ASSERT_FALSE(o.error);
    EXPECT_EQ(o.output, "100000\n1\n100000\ntrue\n");
}

// With words and numbers mixed the comparison is no total order, so no shortcut applies and every pass
// takes one element off: a sort that recursed into both parts would go one native frame per element.
TEST_F(ListPrimitivesTest, SortRecursionStaysShallow)
{
    makeNumbers("mixed", 1, 6000);
    ASSERT_FALSE(w.run("make \"mixed lput \"zz :mixed").error);
    tLogoList* list = static_cast<tLogoList*>(globalVariables().PeekValue(Intern("mixed")));
    auto* sortProc = static_cast<tPasProcRoot*>(valueTables().list.Lookup(Intern("sort")));
    struct tJob {
        tLogoTestWorld* w;
        tLogoList* list;
        tPasProcRoot* sort;
        std::string last;
    } job{&w, list, sortProc, {}};
    // A thread with a small stack: deep recursion overflows it at once.
    pthread_attr_t attr;
    pthread_attr_init(&attr);
    pthread_attr_setstacksize(&attr, 256 * 1024);
    pthread_t thread;
    ASSERT_EQ(pthread_create(&thread, &attr, [](void* data) -> void* {
        auto* j = static_cast<tJob*>(data);
        tArgs none(j->w->ps, 0);
        tValue sorted(j->sort->proc(j->list, none));
        tLogoList* c = static_cast<tLogoList*>(sorted.get());
        while (c->rest())
            c = c->rest();
        j->last = c->first()->PrintText();
        return nullptr;
    }, &job), 0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attr);
    EXPECT_EQ(job.last, "zz");
}
