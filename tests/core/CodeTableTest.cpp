// The code table: fixed names interned in order at each language load, property rows, events, classes.
#include "core/CodeTable.h"
#include "tests/support/LogoTestWorld.h"

#include <gtest/gtest.h>

using namespace zembrio;
using namespace zembrio::testing;

namespace {

class CodeTableTest : public ::testing::Test {
protected:
    tLogoTestWorld w;

    // Rebuilds the code table after the test changed the dictionary.
    void rebuild()
    {
        ResetNames();
        BuildCodeTable();
    }
};

} // namespace

TEST_F(CodeTableTest, RowsAreFixedWhateverTheLanguage)
{
    w.dict.setProject("dict", "size", "size");
    w.dict.setProject("dict", ".name", ".name");
    rebuild();
    EXPECT_EQ(RowName(5), "size");
    EXPECT_EQ(RowName(132), ".name");
    EXPECT_EQ(RowName(88), "@button1@");
    EXPECT_EQ(RowName(119), "@button32@");
    EXPECT_EQ(RowName(29), "") << "an empty row";
    EXPECT_EQ(RowName(195), "");
    EXPECT_EQ(PropertyRow(2).nameCode, PropertyRow(42).nameCode) << "xCor is registered twice";

    // Another language: same rows, other words.
    w.dict.setProject("dict", "size", "grandeur");
    rebuild();
    EXPECT_EQ(RowName(5), "grandeur");
}

TEST_F(CodeTableTest, SynonymsBecomeGettersAndSetters)
{
    w.dict.setProject("dict", "heading", "heading hd");
    w.dict.setProject("set", "heading", "turnto");
    w.dict.setProject("get", "heading", "direction");
    w.dict.setSetterAffixes("set", "");
    rebuild();
    const tPropertyRow& row = PropertyRow(40);
    EXPECT_EQ(NameOf(row.nameCode), "heading");
    EXPECT_EQ(NameOf(row.setterCode), "setheading");
    EXPECT_EQ(row.moreGetterNames, "hd direction");
    EXPECT_EQ(row.moreSetterNames, "sethd turnto");
    std::vector<tNameCode> setters, getters;
    RowCodes(40, setters, getters);
    ASSERT_EQ(getters.size(), 2u);
    EXPECT_EQ(NameOf(getters[0]), "hd");
    EXPECT_EQ(NameOf(setters[1]), "turnto");
}

TEST_F(CodeTableTest, EventsClassesAndFixedCodes)
{
    w.dict.setProject("dict", "create", "create new");
    w.dict.setProject("dict", "onClick", "onclick");
    w.dict.setProject("class", "turtle", "turtle tortoise");
    w.dict.setProject("name", "defaultaction", "defaultaction");
    rebuild();
    EXPECT_TRUE(IsEvent(Intern("onclick")));
    EXPECT_FALSE(IsEvent(Intern("create")));
    EXPECT_FALSE(IsEvent(Intern("new")));
    EXPECT_EQ(fixedCodes().mouseButtonEvents.size(), 6u);
    EXPECT_EQ(fixedCodes().unaryMinus, Intern("<unary ->"));
    EXPECT_EQ(fixedCodes().defaultAction, Intern("defaultaction"));
    EXPECT_EQ(fixedCodes().lifeCycle.size(), 5u) << "two spellings of create, one each of the others";
    EXPECT_EQ(ClassCode("Tortoise"), Intern("turtle"));
    EXPECT_EQ(ClassCode("page"), 0u) << "only classes with several spellings are aliases";
}
