// Values: printed and source forms, conversions, equality, pools and freeing.
#include "core/Descriptors.h"
#include "core/LogoException.h"
#include "core/LogoStack.h"
#include "core/LogoValues.h"
#include "core/NameCompare.h"
#include "core/NumberText.h"
#include "core/ValueCompare.h"
#include "core/ValuePools.h"
#include "core/ValueSettings.h"
#include "tests/support/ErrorCapture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

using namespace zembrio;

namespace {

std::string printOf(tlogoobject* v, bool inList = false)
{
    tValue hold(v);
    std::string out;
    v->PrintForm(inList, out);
    return out;
}

std::string sourceOf(tlogoobject* v)
{
    tValue hold(v);
    std::string out;
    v->SourceForm(false, out);
    return out;
}

errorConst errorOf(const std::function<void()>& f)
{
    const std::optional<errorConst> e = zembrio::testing::logoErrorOf(f);
    EXPECT_TRUE(e) << "no error raised";
    return e.value_or(erUnexpected);
}

tRef<tLogoList> listOf(std::initializer_list<tlogoobject*> items)
{
    tListBuilder b;
    for (auto* i : items)
        b.append(i);
    return b.take();
}

} // namespace

TEST(ValuePrintForm, ComputedReals)
{
    const struct {
        long double value;
        const char* printed;
    } cases[] = {
        {1.0L / 3, "0.333333"}, {2.0L / 3, "0.666667"}, {1234567.0L, "1.23457E6"}, {0.0001L, "0.0001"},
        {0.00001L, "1E-5"},     {6.0L / 3, "2"},        {1e6L, "1E6"},              {100000.0L, "100000"},
        {0.0L, "0"},            {-0.0L, "0"},           {-0.5L, "-0.5"},            {-1234567.0L, "-1.23457E6"},
        {0.000123456789L, "0.000123457"}, {999999.5L, "1E6"}, {123.456L, "123.456"}, {1e-300L, "1E-300"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(printOf(makeReal(c.value)), c.printed) << static_cast<double>(c.value);
}

TEST(ValuePrintForm, NumbersKeepTheirSourceSpelling)
{
    EXPECT_EQ(printOf(makeIntFromSource(7, "007")), "007");
    EXPECT_EQ(printOf(makeInt(7)), "7");
    EXPECT_EQ(printOf(makeInt(-2147483647 - 1)), "-2147483648");
    EXPECT_EQ(printOf(makeRealFromSource(1.5L, "1.50")), "1.50");
    EXPECT_EQ(sourceOf(makeRealFromSource(1.5L, "1.50")), "1.50");
    EXPECT_EQ(printOf(makeBoolFromSource(true, "TRUE")), "TRUE");
}

TEST(ValueSourceForm, ComputedRealsReadBackExactly)
{
    for (long double v : {1234567.0L, 1.0L / 3, 0.1L, -2.0L / 3, 1e-7L / 3, 123456789.125L, 1e300L / 7}) {
        const std::string text = sourceOf(makeReal(v));
        long double back = 0;
        ASSERT_TRUE(parseReal(text, '.', back)) << text;
        EXPECT_EQ(back, v) << text;
    }
    EXPECT_EQ(sourceOf(makeReal(1234567.0L)), "1234567");
    EXPECT_EQ(sourceOf(makeReal(0.5L)), "0.5");
}

TEST(ValueSourceForm, QuotingOfWords)
{
    const struct {
        std::string text, source;
    } cases[] = {
        {"abc", "abc"},
        {"a b", "|a b|"},
        {"a|b", "a\\|b"},
        {"", "||"},
        {"<=", "<="},
        {"<>", "<>"},
        {">=", ">="},
        {"+", "+"},
        {"a+b", "|a+b|"},
        {"a\tb", "a\\9.b"},
        {"a b\t", "|a b|\\9"},
        {"ab\t", "ab\\9"},
        {"\"abc", "\"abc"},
        {"\"a b", "\"|a b|"},
        {"\"(", "\"("},
        {"a\"b", "|a\"b|"},
        {"[x]", "|[x]|"},
        {"a\rb", "a\xB6" "b"},
        {"a\r\nb", "a\xB6" "b"},
        {"a\xB6" "b c", "a\\\xB6" "b\\ c"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(sourceOf(makeWord(c.text)), c.source) << c.text;
}

TEST(ValuePrintForm, WordsAndLists)
{
    EXPECT_EQ(printOf(makeWord("a\rb")), "a\r\nb");
    EXPECT_EQ(printOf(makeWord("a\r\nb")), "a\r\nb");
    auto inner = listOf({makeWord("b"), makeWord("c")});
    auto list = listOf({makeWord("a"), inner.get(), makeInt(3), new tLogoList});
    EXPECT_EQ(printOf(list.get()), "a [b c] 3 []");
    EXPECT_EQ(printOf(list.get(), true), "[a [b c] 3 []]");
    EXPECT_EQ(printOf(new tLogoList), "");
    EXPECT_EQ(printOf(new tLogoList, true), "[]");
    auto quoted = listOf({makeWord("a b"), makeReal(1.0L / 3)});
    std::string source;
    quoted->SourceForm(true, source);
    EXPECT_EQ(source, "[|a b| 0.33333333333333333334]");
}

TEST(ValueEquality, Table)
{
    auto list1 = listOf({makeWord("abc")});
    auto nestedA = listOf({makeWord("x"), listOf({makeInt(1), makeWord("Y")}).get()});
    auto nestedB = listOf({makeWord("X"), listOf({makeWord("1.0"), makeWord("y")}).get()});
    auto nestedC = listOf({makeWord("X"), listOf({makeWord("1.0")}).get()});
    const struct {
        const char* what;
        tValue a, b;
        bool equal;
    } cases[] = {
        {"case-insensitive words", makeWord("abc"), makeWord("ABC"), true},
        {"accent folding", makeWord("\xE1"), makeWord("A"), true},
        {"word 1 and real 1.0", makeWord("1"), makeReal(1.0L), true},
        {"word 1.0 and integer 1", makeWord("1.0"), makeInt(1), true},
        {"integer and real", makeInt(2), makeReal(2.0L), true},
        {"different numbers", makeInt(2), makeReal(2.5L), false},
        {"number and its text", makeIntFromSource(7, "007"), makeWord("7"), true},
        {"word and list holding it", makeWord("abc"), list1, false},
        {"true word and boolean", makeWord("TRUE"), makeBool(true), true},
        {"boolean and false word", makeBool(false), makeWord("false"), true},
        {"boolean and number", makeBool(true), makeInt(1), false},
        {"equal nested lists", nestedA, nestedB, true},
        {"lists of different length", nestedB, nestedC, false},
        {"empty lists", new tLogoList, new tLogoList, true},
        {"empty and non-empty", new tLogoList, list1, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.a->IsEqual(c.b.get()), c.equal) << c.what;
        EXPECT_EQ(c.b->IsEqual(c.a.get()), c.equal) << c.what << " (reversed)";
    }
    tValue lower(makeWord("abc")), upper(makeWord("ABC"));
    EXPECT_FALSE(lower->IsEqualExact(upper.get()));
    EXPECT_TRUE(lower->IsEqualExact(tValue(makeWord("abc")).get()));
}

TEST(ValueOrdering, NumbersNumericallyWordsByName)
{
    tValue two(makeWord("2")), ten(makeInt(10)), a(makeWord("a")), B(makeWord("B"));
    EXPECT_LT(compareWordsForOrder(two.get(), ten.get()), 0);
    EXPECT_LT(compareWordsForOrder(a.get(), B.get()), 0);
    EXPECT_EQ(compareWordsForOrder(tValue(makeWord("\x8A")).get(), tValue(makeWord("s")).get()), 0);
    tValue list = new tLogoList;
    EXPECT_EQ(errorOf([&] { compareWordsForOrder(a.get(), list.get()); }), erExpectWord);
}

TEST(ValueConversion, IntegersRoundHalfAwayFromZero)
{
    EXPECT_EQ(tValue(makeReal(2.5L))->AsInteger(), 3);
    EXPECT_EQ(tValue(makeReal(-2.5L))->AsInteger(), -3);
    EXPECT_EQ(tValue(makeWord("2.4"))->AsInteger(), 2);
    EXPECT_EQ(tValue(makeWord("-7"))->AsInteger(), -7);
    try {
        tValue(makeReal(1e10L))->AsInteger();
        FAIL();
    } catch (const eLogoException& e) {
        EXPECT_EQ(e.number, erMinMax);
        EXPECT_EQ(e.firstNumber, INT32_MIN);
        EXPECT_EQ(e.secondNumber, INT32_MAX);
    }
    try {
        tValue(makeInt(9))->AsIntegerInRange(1, 6);
        FAIL();
    } catch (const eLogoException& e) {
        EXPECT_EQ(e.number, erMinMax);
        EXPECT_EQ(e.firstNumber, 1);
        EXPECT_EQ(e.secondNumber, 6);
        EXPECT_EQ(printOf(e.culprit.get()), "9");
    }
}

TEST(ValueConversion, Errors)
{
    tValue word(makeWord("abc")), list(new tLogoList);
    EXPECT_EQ(errorOf([&] { word->AsInteger(); }), erExpectNumber);
    EXPECT_EQ(errorOf([&] { word->AsReal(); }), erExpectNumber);
    EXPECT_EQ(errorOf([&] { word->AsBool(); }), erNotBool);
    EXPECT_EQ(errorOf([&] { list->AsReal(); }), erExpectNumber);
    EXPECT_EQ(errorOf([&] {
        std::string t;
        list->AsText(t);
    }),
              erExpectWord);
    EXPECT_EQ(errorOf([&] { tValue(makeBool(true))->AsInteger(); }), erExpectNumber);
}

TEST(ValueConversion, BooleansFromNumbersAndWords)
{
    const struct {
        tValue value;
        bool expected;
    } certain[] = {
        {makeInt(0), false},       {makeInt(1), true},       {makeInt(-3), false},      {makeReal(0.0L), false},
        {makeReal(1.0L), true},    {makeReal(-3.0L), false}, {makeWord("TRUE"), true},  {makeWord("false"), false},
        {makeWord("5"), true},     {makeWord("-1"), false},
    };
    for (const auto& c : certain)
        for (int i = 0; i < 20; ++i)
            EXPECT_EQ(c.value->AsBool(), c.expected) << printOf(c.value.get());

    tValue half(makeReal(0.5L)), halfWord(makeWord("0.5"));
    int trues = 0;
    for (int i = 0; i < 400; ++i)
        trues += half->AsBool() + halfWord->AsBool();
    EXPECT_GT(trues, 100);
    EXPECT_LT(trues, 700);
}

TEST(ValueConversion, AnyWordsDrawRandomValues)
{
    tValue any(makeWord("ANY"));
    EXPECT_TRUE(any->IsAnyWord());
    EXPECT_FALSE(any->IsNumber());
    bool seen[7] = {};
    for (int i = 0; i < 600; ++i) {
        const int v = any->AsIntegerInRange(1, 6);
        ASSERT_GE(v, 1);
        ASSERT_LE(v, 6);
        seen[v] = true;
        const int w = any->AsInteger();
        ASSERT_GE(w, 1);
        ASSERT_LE(w, 100);
    }
    for (int v = 1; v <= 6; ++v)
        EXPECT_TRUE(seen[v]) << v;
}

TEST(ValueSettingsUse, AnsiOptionStripsAccentsFromBooleans)
{
    const tValueSettings saved = gValueSettings;
    gValueSettings.trueWords = {"\xE1no", "yes"};
    tValue b(makeBool(true));
    EXPECT_EQ(printOf(b.get()), "\xE1no");
    gValueSettings.ansiOutput = true;
    EXPECT_EQ(printOf(b.get()), "ano");
    EXPECT_TRUE(tValue(makeWord("YES"))->IsBool());
    gValueSettings = saved;
}

TEST(NameComparison, FoldingTable)
{
    const struct {
        unsigned char c, folded;
    } cases[] = {{'a', 'A'}, {'z', 'Z'}, {'A', 'A'}, {0x8A, 'S'}, {0x9A, 'S'}, {0xE1, 'A'}, {0xE8, 'C'},
                 {0xC8, 'C'}, {0xA3, 'L'}, {0xB3, 'L'}, {0xBC, 'L'}, {0xBE, 'L'}, {0xB5, 0xB5}, {0xD7, 0xD7},
                 {0xDF, 0xDF}, {0xF7, 0xF7}, {0xFF, 0xFF}, {'1', '1'}};
    for (const auto& c : cases)
        EXPECT_EQ(foldNameChar(c.c), c.folded) << int(c.c);
    EXPECT_EQ(stripAccents("\x9A\x8A\xE1\xC1\xB5"), "sSaA\xB5");
    EXPECT_LT(compareNames("abc", "abd"), 0);
    EXPECT_LT(compareNames("ab", "abc"), 0);
    EXPECT_GT(compareNames("b", "A"), 0);
}

TEST(NumberText, Parsing)
{
    const struct {
        const char* text;
        bool isInt;
        bool isReal;
    } cases[] = {
        {"0", true, true},         {"-2147483648", true, true}, {"2147483648", false, true}, {"+5", true, true},
        {"", false, false},        {"-", false, false},         {"1 ", false, false},        {"12345678901", false, true},
        {"1e5", false, true},      {"1.", false, true},         {"-.5", false, true},        {"1e", false, false},
        {"e5", false, false},      {"inf", false, false},       {"nan", false, false},       {"0x10", false, false},
        {"1e99999", false, false}, {"1.2.3", false, false},     {"1E+5", false, true},       {"1e-", false, false},
    };
    for (const auto& c : cases) {
        int32_t i = 0;
        long double r = 0;
        EXPECT_EQ(parseInt32(c.text, i), c.isInt) << c.text;
        EXPECT_EQ(parseReal(c.text, '.', r), c.isReal) << c.text;
    }
    long double r = 0;
    ASSERT_TRUE(parseReal("1,5", ',', r));
    EXPECT_EQ(r, 1.5L);
}

TEST(ValueWords, NumericInterpretationFollowsTheText)
{
    tRef<tLogoString> w(makeWord("12"));
    EXPECT_TRUE(w->IsNumber());
    EXPECT_TRUE(w->IsInteger());
    w->setText("12abc");
    EXPECT_FALSE(w->IsNumber());
    w->setText("1.5");
    EXPECT_TRUE(w->IsNumber());
    EXPECT_FALSE(w->IsInteger());
    EXPECT_EQ(w->AsReal(), 1.5L);
}

class ValuePoolsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setLogoProcessThread(true);
        fillValuePools();
    }
    void TearDown() override { setLogoProcessThread(false); }
};

TEST_F(ValuePoolsTest, FactoriesRecycleAndTheOverflowIsFreed)
{
    std::vector<tValue> held;
    for (int i = 0; i <= kValuePoolSize; ++i)
        held.emplace_back(makeInt(i));
    EXPECT_EQ(poolCounts().ints, 0);
    EXPECT_EQ(held.back()->pooled, 0) << "the 101st integer is made fresh";
    held.clear();
    EXPECT_EQ(poolCounts().ints, kValuePoolSize) << "the pool never grows past its size";

    tlogoobject* first = makeWord("x");
    release((addRef(first), first));
    tValue again(makeWord("y"));
    EXPECT_EQ(again.get(), first) << "a released word goes back to the pool and comes out again";
    EXPECT_EQ(printOf(again.get()), "y");
}

TEST_F(ValuePoolsTest, NonProcessThreadsDoNotTouchThePools)
{
    setLogoProcessThread(false);
    const int before = poolCounts().reals;
    tValue r(makeReal(1.5L));
    EXPECT_EQ(r->pooled, 0);
    EXPECT_EQ(poolCounts().reals, before);
}

TEST_F(ValuePoolsTest, AssignInPlaceReusesTheVariablesObject)
{
    tValue variable(makeInt(1)); // held once, as a variable would
    tValue fresh(makeInt(42));
    ASSERT_EQ(fresh->pooled, 1);
    EXPECT_TRUE(variable->AssignInPlace(fresh.get()));
    EXPECT_EQ(printOf(variable.get()), "42");

    tValue shared = variable; // two holders: must not be overwritten
    EXPECT_FALSE(variable->AssignInPlace(tValue(makeInt(7)).get()));
    EXPECT_FALSE(variable->AssignInPlace(tValue(makeReal(7.0L)).get())) << "different class";
    EXPECT_TRUE(variable->AssignInPlace(variable.get()));
}

TEST_F(ValuePoolsTest, ATemporaryKeptByItsOnlyHolderLeavesItsPoolAndComesBack)
{
    const int before = poolCounts().ints;
    tlogoobject* only = makeInt(5);
    addRef(only);
    tValue kept = tValue::adopt(keepTemporary(only));
    EXPECT_EQ(kept.get(), only) << "no copy when nobody else holds it";
    EXPECT_EQ(kept->pooled, 0);
    // The pool's other integers are recycled many times over; the kept one must not be among them.
    for (int i = 0; i < 3 * kValuePoolSize; ++i)
        tValue(makeInt(i));
    EXPECT_EQ(printOf(kept.get()), "5");
    kept = nullptr;
    EXPECT_EQ(poolCounts().ints, before) << "freed, it joins the pool again";

    tValue shared(makeWord("ab"));
    addRef(shared.get()); // the reference handed over, besides ours
    tValue copy = tValue::adopt(keepTemporary(shared.get()));
    EXPECT_NE(copy.get(), shared.get()) << "another holder sees the temporary: a copy is kept";
    EXPECT_EQ(printOf(copy.get()), "ab");
}

TEST_F(ValuePoolsTest, TheCountOfPooledObjectsOutStaysTrueWhenMoreComeBackThanFit)
{
    const auto out = [] {
        const tPoolCounts free = poolCounts();
        return poolTraffic().pooledWords - (free.ints + free.reals + free.words + free.bools);
    };
    const int before = out();
    std::vector<tValue> taken;
    for (int i = 0; i < kValuePoolSize; ++i)
        taken.emplace_back(makeInt(i));
    tValue stranger(makeInt(-1));
    ASSERT_EQ(stranger->pooled, 0) << "the pool is empty: made fresh";
    stranger = nullptr; // joins the empty pool
    taken.clear();      // one more comes back than fits: the last is freed
    EXPECT_EQ(out(), before);
}

TEST_F(ValuePoolsTest, AVariableSetToATemporaryNeverSeesThePoolReuseIt)
{
    const struct {
        const char* what;
        int holders; // besides the variable
    } cases[] = {{"held by nobody", 0}, {"held by its maker", 1}, {"held by two", 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        tLogoVarDesc variable(1);
        tlogoobject* temporary = makeWord("kept");
        for (int i = 0; i < c.holders; ++i)
            addRef(temporary);
        variable.SetValue(temporary);
        for (int i = 0; i < c.holders; ++i)
            release(temporary);
        for (int i = 0; i < 3 * kValuePoolSize; ++i)
            tValue(makeWord("churn"));
        EXPECT_EQ(variable.value()->pooled, 0);
        EXPECT_EQ(printOf(variable.value()), "kept");
    }
}

TEST(ValueLists, HugeAndDeepListsFreeWithoutRecursion)
{
    {
        tListBuilder b;
        for (int i = 0; i < 1000000; ++i)
            b.append(makeInt(i));
        tRef<tLogoList> longList = b.take();
        EXPECT_EQ(longList->count(), 1000000);
    }
    tRef<tLogoList> deep(new tLogoList);
    for (int i = 0; i < 1000000; ++i) {
        tListBuilder b;
        b.append(deep.get());
        deep = b.take();
    }
    std::string text;
    tRef<tLogoList> small(deep.get());
    for (int i = 0; i < 999997; ++i)
        small = static_cast<tLogoList*>(small->first());
    small->PrintForm(true, text);
    EXPECT_EQ(text, "[[[[]]]]");
    small = nullptr;
    std::string whole;
    deep->PrintForm(false, whole);
    EXPECT_EQ(whole.size(), 2u * 1000000);
    tRef<tLogoList> other(static_cast<tLogoList*>(deep->Clone()));
    EXPECT_TRUE(deep->IsEqual(other.get()));
}

TEST(ValueLists, CloneSharesItemsAndRemembersItsLastCell)
{
    tValue item(makeWord("shared"));
    auto list = listOf({makeInt(1), item.get()});
    tRef<tLogoList> copy(static_cast<tLogoList*>(list->Clone()));
    EXPECT_NE(copy.get(), list.get());
    EXPECT_EQ(copy->rest()->first(), item.get());
    EXPECT_EQ(list->lastCopyCell, copy->rest());
    EXPECT_EQ(copy->count(), 2);
}

TEST(ValueStack, OperationsAndTheirErrors)
{
    tLogoStack stack(4);
    const struct {
        const char* what;
        std::function<void()> op;
        errorConst error;
    } empty[] = {
        {"Top", [&] { stack.Top(); }, erStackTop},
        {"PopRelease", [&] { stack.PopRelease(); }, erStackDeletetop},
        {"PopInto", [&] { tlogoobject* s = nullptr; stack.PopInto(s); }, erStackPop},
        {"PopTransfer", [&] { stack.PopTransfer(); }, erStackPop1},
        {"PopDrop", [&] { stack.PopDrop(); }, erStackPopdec},
        {"PopNil", [&] { stack.PopNil(); }, erStackPopnil},
        {"Peek", [&] { stack.Peek(0); }, erStackLookstack},
        {"ShiftTop", [&] { stack.ShiftTop(); }, erStackShiftTop},
        {"RemoveAt", [&] { stack.RemoveAt(0); }, erStackShift},
    };
    for (const auto& c : empty)
        EXPECT_EQ(errorOf(c.op), c.error) << c.what;

    for (int i = 0; i < 10; ++i) // grows past its first capacity
        stack.Push(makeInt(i));
    EXPECT_EQ(printOf(stack.Peek(2)), "7");
    stack.ShiftTop();
    EXPECT_EQ(printOf(stack.Top()), "9");
    EXPECT_EQ(printOf(stack.Peek(1)), "7");
    stack.RemoveAt(1);
    EXPECT_EQ(printOf(stack.Peek(1)), "6");
    tValue taken = tValue::adopt(stack.PopTransfer());
    EXPECT_EQ(taken->refCount, 1);
    EXPECT_EQ(errorOf([&] { stack.PopNil(); }), erWhatToDo);
    stack.Push(nullptr);
    stack.PopNil();
    stack.DropN(2);
    EXPECT_EQ(stack.count(), 4);
    stack.Clear();
    EXPECT_EQ(stack.count(), 0);
}
