// Variable tables: shallow binding with frames, locals outside procedures, erasing, duplicating, saving.
#include "core/Stream.h"
#include "tests/support/LogoTestWorld.h"

#include <gtest/gtest.h>

using namespace zembrio;
using namespace zembrio::testing;

namespace {

class VariablesTest : public ::testing::Test {
protected:
    tLogoTestWorld w;
    tLogoLocaltab& locals() { return *w.ps.locals; }
    tNameCode x = Intern("x");
    tNameCode y = Intern("y");

    std::string valueOf(tNameCode code)
    {
        tlogoobject* v = locals().PeekValue(code);
        return v ? v->PrintText() : "<none>";
    }
    void pushInt(int32_t v) { w.ps.stack.Push(tValue(makeInt(v)).get()); }
};

} // namespace

TEST_F(VariablesTest, FramesBindAndRestore)
{
    globalVariables().SetValue(x, tValue(makeWord("global")).get());
    pushInt(1);
    pushInt(2);
    const tNameCode names[] = {x, y};
    locals().PushFrame(w.ps.stack, names, 2);
    EXPECT_EQ(valueOf(x), "1");
    EXPECT_EQ(valueOf(y), "2");
    pushInt(3);
    locals().PushFrame(w.ps.stack, names, 1);
    EXPECT_EQ(valueOf(x), "3");
    locals().SetValue(x, tValue(makeInt(4)).get());
    EXPECT_EQ(valueOf(x), "4");
    locals().PopFrame();
    EXPECT_EQ(valueOf(x), "1");
    locals().PopFrame();
    EXPECT_EQ(valueOf(x), "global");
    EXPECT_EQ(valueOf(y), "<none>");
    EXPECT_EQ(locals().totalEntries(), 0);
    EXPECT_EQ(w.ps.stack.count(), 0);
}

TEST_F(VariablesTest, TailRebindKeepsTheOuterValue)
{
    globalVariables().SetValue(x, tValue(makeInt(0)).get());
    const tNameCode names[] = {x};
    pushInt(1);
    locals().PushFrame(w.ps.stack, names, 1);
    pushInt(2);
    locals().RebindFrame(w.ps.stack, names, 1);
    EXPECT_EQ(valueOf(x), "2");
    pushInt(7);
    const tNameCode other[] = {y};
    locals().RebindFrame(w.ps.stack, other, 1);
    EXPECT_EQ(valueOf(y), "7");
    locals().PopFrame();
    EXPECT_EQ(valueOf(x), "0");
    EXPECT_EQ(valueOf(y), "<none>");
}

TEST_F(VariablesTest, LocalsNeedAFrame)
{
    try {
        locals().MakeLocal(x, tValue(makeInt(1)).get());
        FAIL();
    } catch (const eLogoException& e) {
        EXPECT_EQ(e.number, erWrongPlace);
    }
    locals().PushEmptyFrame();
    locals().MakeLocal(x, tValue(makeInt(1)).get());
    locals().MakeLocalOnce(x, tValue(makeInt(2)).get());
    EXPECT_EQ(locals().totalEntries(), 2) << "once: the second call only sets it";
    EXPECT_EQ(valueOf(x), "2");
    locals().MakeLocal(x, tValue(makeInt(3)).get());
    locals().Unbind(x);
    EXPECT_EQ(valueOf(x), "2") << "unbind restores the binding before it";
    locals().Erase(x);
    EXPECT_EQ(valueOf(x), "<none>");
    try {
        locals().GetValue(x);
        FAIL();
    } catch (const eLogoException& e) {
        EXPECT_EQ(e.number, erNoVal);
    }
    locals().PopFrame();
    EXPECT_EQ(locals().totalEntries(), 0);
}

TEST_F(VariablesTest, DuplicateCopiesVisibleBindings)
{
    locals().PushEmptyFrame();
    locals().MakeLocal(x, tValue(makeInt(5)).get());
    std::unique_ptr<tLogoLocaltab> copy(locals().Duplicate());
    locals().SetValue(x, tValue(makeInt(6)).get());
    EXPECT_EQ(copy->PeekValue(x)->PrintText(), "5");
    copy->PopFrame();
    locals().PopFrame();
}

TEST_F(VariablesTest, PooledTemporariesAreCopiedIntoVariables)
{
    tValue fresh(makeInt(42));
    ASSERT_TRUE(fresh->pooled);
    globalVariables().SetValue(x, fresh.get());
    EXPECT_FALSE(globalVariables().PeekValue(x)->pooled);
    tValue source(makeIntFromSource(7, "007"));
    globalVariables().SetValue(y, source.get());
    EXPECT_EQ(globalVariables().PeekValue(y)->PrintText(), "007");
}

TEST_F(VariablesTest, SavingVariablesByKind)
{
    tLogoVarTab table;
    table.SetValue(Intern("count"), tValue(makeInt(3)).get());
    table.SetValue(Intern("name"), tValue(makeWord("a b")).get());
    table.SetValue(Intern("items"), ReadList("1 [x]", false).get());
    table.SetValueNew(Intern("shared"), tValue(makeWord("s")).get());
    table.SetValue(Intern("@hidden"), tValue(makeInt(1)).get());
    table.SetValue(Intern("skipped"), tValue(makeInt(1)).get(), kDescDoNotSave);
    w.dict.setProject("dict", "make", "make");

    const struct {
        int kind;
        const char* text;
    } cases[] = {
        {1, "make \"count 3\r\nmake \"name \"|a b|\r\nmake \"items [1 [x]]\r\nmake \"shared \"s\r\n"},
        {0, "\tcount 3\r\n\tname |a b|\r\n\titems [1 [x]]\r\n\tcommon'shared s\r\n"},
        {4, "\tcount 3\r\n\tname |a b|\r\n\titems [1 [x]]\r\n"},
        {2, "\tevent'count 3\r\n\tevent'name |a b|\r\n\tevent'items [1 [x]]\r\n\tevent'shared s\r\n"},
    };
    for (const auto& c : cases) {
        tMemoryStream stream;
        tSaveContext save{stream};
        table.SaveAll(save, false, c.kind);
        EXPECT_EQ(std::string(stream.bytes().begin(), stream.bytes().end()), c.text) << c.kind;
        EXPECT_EQ(save.entryIndex, 4) << "every variable written or not is counted";
    }
    // A new value clears the do-not-save mark.
    table.SetValue(Intern("skipped"), tValue(makeInt(2)).get());
    EXPECT_FALSE(table.Lookup(Intern("skipped"))->flags & kDescDoNotSave);
}
