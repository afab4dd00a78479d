// Runtime errors: the catalogue, message lookup, placeholders, captions and the control exceptions.
#include "core/Commander.h"
#include "core/ProcessKind.h"
#include "tests/support/LogoTestWorld.h"

#include <gtest/gtest.h>

using namespace zembrio;
using namespace zembrio::testing;

TEST(ErrorCatalogue, IdentifiersInNumberOrder)
{
    EXPECT_EQ(errorIdentifier(0), "erUnexpected");
    EXPECT_EQ(errorIdentifier(25), "erDoNotKnowHowTo");
    EXPECT_EQ(errorIdentifier(194), "erMissingRBracket");
    EXPECT_EQ(errorIdentifier(197), "errrr");
    EXPECT_EQ(errorIdentifier(198), "");
    EXPECT_EQ(processKindName(ipEvent), "ipEvent");
    EXPECT_EQ(processKindName(ipLoadFile), "ipLoadFile");
}

class ErrorsTest : public ::testing::Test {
protected:
    tLogoTestWorld w;
};

TEST_F(ErrorsTest, MessagesComeFromTheDictionary)
{
    w.dict.setApp("errors", "erNoVal", "#h has no value\xB6" "in #P");
    eLogoException e = eLogoException::withCulpritCode(erNoVal, Intern("size"));
    EXPECT_EQ(e.message, "#h has no value\r\nin #P");
    e.procedureName = "square";
    Format(e);
    EXPECT_EQ(e.message, "size has no value\r\nin square");
    Format(e);
    EXPECT_EQ(e.message, "size has no value\r\nin square") << "formatted once";
    EXPECT_EQ(FirstLineJoined(e, "\r\n\r\n"), "size has no value\r\n\r\nin square");
    EXPECT_EQ(eLogoException(erDiv0).message, "erDiv0") << "without a text the identifier still names it";
}

TEST_F(ErrorsTest, Placeholders)
{
    tRef<tLogoList> list = ReadList("a [b c]", false);
    eLogoException e(erMinMax, 1, 6, list.get());
    e.textF = "F!";
    e.line = 12;
    e.primitiveName = "pick";
    e.procedureName = "game";
    const struct {
        const char* text;
        const char* filled;
    } cases[] = {
        {"#h", "a [b c]"}, {"#c", "a [b c]"},   {"#H", "[a [b c]]"}, {"#a..#b", "1..6"},
        {"#L", "12"},      {"#p in #P", "pick in game"}, {"#F", "F!"}, {"#x stays", "#x stays"},
        {"ends in #", "ends in #"}, {"##h", "##h"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FillPlaceholders(e, c.text), c.filled) << c.text;
    EXPECT_EQ(FillPlaceholders(eLogoException(erNoVal), "#h"), "<nil>");
}

TEST_F(ErrorsTest, CaptionsByProcessKind)
{
    w.dict.setApp("ErrorCaptions", "ipEvent", "Error in event of #P");
    w.dict.setApp("ErrorCaptions", "errorinproc", "Error in #P");
    eLogoException e(erWhatToDo);
    e.procedureName = "onClick";
    EXPECT_EQ(Caption(e, "Error"), "Error");
    e.processKind = ipEvent;
    EXPECT_EQ(Caption(e, "Error"), "Error in event of onClick");
    e.processKind = ipProc;
    e.line = -1;
    EXPECT_EQ(Caption(e, "Error"), "Error in onClick");
    e.processKind = ipLaunch;
    EXPECT_EQ(Caption(e, "Error #P"), "Error onClick") << "a missing caption falls back to the template";
}

TEST_F(ErrorsTest, PlaceIsRecordedOnce)
{
    eLogoException e(erNoVal);
    SetPrimitiveIfEmpty(e, Intern("print"));
    SetPrimitiveIfEmpty(e, Intern("sum"));
    EXPECT_EQ(e.primitiveName, "print");
    SetPlaceIfEmpty(e, Intern("inner"), nullptr, 3, ipProc);
    SetPlaceIfEmpty(e, Intern("outer"), nullptr, 9, ipProc);
    EXPECT_EQ(e.procedureName, "inner");
    EXPECT_EQ(e.line, 3);
    AddTrail(e, 4);
    AddTrail(e, 1);
    EXPECT_EQ(e.trail, (std::vector<int32_t>{4, 1}));
}

TEST_F(ErrorsTest, ThrowCarriesItsTag)
{
    ethrow t("finished");
    EXPECT_EQ(t.number, erNoCatch);
    EXPECT_EQ(t.tag, "finished");
    EXPECT_EQ(FillPlaceholders(t, "#h"), "finished");
    eOutputException out(tValue(makeInt(3)).get());
    EXPECT_EQ(out.value->PrintText(), "3");
    EXPECT_STREQ(out.what(), "output");
}

TEST_F(ErrorsTest, DefaultCommanderReports)
{
    w.dict.setApp("errors", "erNoVal", "#h has no value\xB6" "Give it one first.");
    w.dict.setApp("ErrorCaptions", "Error", "Trouble");
    w.dict.setApp("ErrorCaptions", "ipLaunch", "Trouble in a launched process");
    eLogoException e = eLogoException::withCulpritCode(erNoVal, Intern("size"));
    e.processKind = ipLaunch;
    const tErrorReport report = describeError(e);
    EXPECT_EQ(report.caption, "Trouble in a launched process");
    EXPECT_EQ(report.text, "size has no value\r\n\r\nGive it one first.");
    std::runtime_error other("plain");
    EXPECT_EQ(describeError(other).caption, "Trouble");
    EXPECT_EQ(describeError(other).text, "plain");
    try {
        defaultCommander().ReadInput();
        FAIL();
    } catch (const eLogoException& input) {
        EXPECT_EQ(input.number, erNoTextInput);
    }
}
