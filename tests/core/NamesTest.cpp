// Interned names, translation of internal names, method tables and type dispatch.
#include "tests/support/LogoTestWorld.h"

#include "core/ValueSettings.h"

#include <gtest/gtest.h>

using namespace zembrio;
using namespace zembrio::testing;

namespace {

class NamesTest : public ::testing::Test {
protected:
    tLogoTestWorld w;
};

} // namespace

TEST_F(NamesTest, InterningAndTranslation)
{
    const tNameCode forward = Intern("forward");
    EXPECT_EQ(Intern("Forward"), forward);
    EXPECT_EQ(Intern("FORWARD"), forward);
    EXPECT_EQ(FindCode("forWard"), forward);
    EXPECT_EQ(FindCode("never-seen"), 0u);
    EXPECT_EQ(NameOf(forward), "forward");
    EXPECT_EQ(NameOf(0), "<Unknown name>");
    EXPECT_EQ(NameOf(999999), "<Unknown name>");

    EXPECT_EQ(Intern("\xB7print"), Intern("print")) << "an internal name interns as the language's word";
    EXPECT_EQ(Intern("\xB7untranslated"), Intern("@untranslated@"));
    EXPECT_EQ(Translate("\xB7print'suffix"), "print'suffix");
    EXPECT_EQ(Translate("\xB7untranslated"), "\xB7untranslated");
    EXPECT_EQ(TranslateEmbedded("a \xB7print b \xB7nothing c"), "a print b \xB7nothing c");
    EXPECT_EQ(Translate("\xB7setprint"), "setprint") << "setter form of a translated name";
    EXPECT_EQ(Translate("\xB7other\xB7to"), "to") << "section and key";

    const uint32_t before = NameCount();
    EXPECT_EQ(Intern("#5"), 2147483652u);
    EXPECT_EQ(Intern("#65541"), 2147483652u) << "modulo 65536";
    EXPECT_EQ(NameCount(), before) << "anonymous names never enter the tables";

    tValue word(makeWord("\xB7print"));
    EXPECT_EQ(word->PrintText(), "print") << "words translate internal names when made";
}

TEST_F(NamesTest, AliasesRegisterEverySpelling)
{
    const std::vector<tNameCode> codes = Aliases("print");
    ASSERT_EQ(codes.size(), 2u);
    EXPECT_EQ(NameOf(codes[0]), "print");
    EXPECT_EQ(NameOf(codes[1]), "pr");
    EXPECT_EQ(NameOf(Aliases("missing")[0]), "@missing@");
    w.dict.setProject("set", "print", "printer");
    const std::vector<tNameCode> setters = Aliases("set*print");
    ASSERT_EQ(setters.size(), 3u);
    EXPECT_EQ(NameOf(setters[0]), "setprint");
    EXPECT_EQ(NameOf(setters[2]), "printer");
    EXPECT_EQ(w.run("pr 5").output, "5\n");
}

TEST_F(NamesTest, MethodTableGrowthAndReplacement)
{
    tLogoTab table;
    table.Add(new tLogoVarDesc(1000));
    EXPECT_EQ(table.lowBound(), 744u);
    EXPECT_EQ(table.highBound(), 1256u);
    table.Add(new tLogoVarDesc(2000));
    EXPECT_EQ(table.highBound(), 2000u);
    table.Add(new tLogoVarDesc(2100));
    EXPECT_EQ(table.highBound(), 2512u) << "within 512 of the top: one more step";
    table.Add(new tLogoVarDesc(300));
    EXPECT_EQ(table.lowBound(), 232u);
    table.Add(new tLogoVarDesc(3));
    EXPECT_EQ(table.lowBound(), 1u) << "within 512 of the bottom: down to 1 at most";

    auto* replacement = new tLogoVarDesc(1000);
    table.Add(replacement);
    EXPECT_EQ(table.Lookup(1000), replacement);
    std::vector<tNameCode> order;
    table.ForEachInOrder([&](tTabDesc* d) { order.push_back(d->code); });
    EXPECT_EQ(order, (std::vector<tNameCode>{2000, 2100, 300, 3, 1000}));

    for (tNameCode bad : {0u, 2147483652u}) {
        try {
            table.Add(new tLogoVarDesc(bad));
            ADD_FAILURE() << bad;
        } catch (const eLogoException& e) {
            EXPECT_EQ(e.number, erInternLogoTab);
        }
    }
    EXPECT_EQ(table.Lookup(4000), nullptr);
    EXPECT_EQ(table.Lookup(0), nullptr);
    try {
        table.Remove(77);
        ADD_FAILURE();
    } catch (const eLogoException& e) {
        EXPECT_EQ(e.number, erDoNotKnowHowTo);
    }
    EXPECT_TRUE(table.RemoveIfPresent(300));
    EXPECT_EQ(table.Lookup(300), nullptr);
}

TEST_F(NamesTest, SystemEntriesSurviveRemoveAllUser)
{
    tLogoTab table;
    setRegisteringBuiltins(true);
    table.Add(new tLogoVarDesc(10));
    setRegisteringBuiltins(false);
    table.Add(new tLogoVarDesc(11));
    table.Add(new tLogoVarDesc(12));
    table.RemoveAllUser(12);
    EXPECT_NE(table.Lookup(10), nullptr);
    EXPECT_EQ(table.Lookup(11), nullptr);
    EXPECT_NE(table.Lookup(12), nullptr);
    table.Add(new tLogoVarDesc(Intern("alpha")));
    EXPECT_FALSE(table.SetHidden("alpha", true));
    EXPECT_TRUE(table.SetHidden("ALPHA", false)) << "the previous mark, found by the name comparison";
}

TEST_F(NamesTest, DispatchFollowsTheReceiversClass)
{
    EXPECT_EQ(w.run("print first [a b]").output, "a\n");
    EXPECT_EQ(w.run("print first 57").output, "5\n") << "integers use the integer table";
    tOutcome o = w.run("print sort 5");
    EXPECT_EQ(o.error, erDoNotKnowHowTo) << "integers have no sort";
    EXPECT_EQ(o.culprit, "sort");
    gValueSettings.strictness = 1;
    o = w.run("print first []");
    EXPECT_EQ(o.error, erEmptyList);
    EXPECT_EQ(o.primitive, "first");
    EXPECT_EQ(w.run("print 2.5 + 1").output, "3.5\n") << "reals use the real table";
    EXPECT_EQ(w.run("print \"7 + 1").output, "8\n") << "numeric words use the string table";
}
