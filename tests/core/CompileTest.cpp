// Compiling lists into element arrays, and the calls that object prefixes and dispatchers make.
#include "tests/support/LogoTestWorld.h"

#include <gtest/gtest.h>

using namespace zembrio;
using namespace zembrio::testing;

namespace {

class CompileTest : public ::testing::Test {
protected:
    tLogoTestWorld w;

    // "kind:name" per element, with "(" for the after-parenthesis flag.
    std::string shape(std::string_view text, uint8_t mode = kCompileInstructions)
    {
        tRef<tLogoList> list = ReadList(text, false);
        tCompiledArray* array = list->Compile(mode);
        std::string out;
        for (const tElement& e : array->elements) {
            if (!out.empty())
                out += ' ';
            out += std::to_string(e.kind);
            if (e.afterParen)
                out += '(';
            if (e.kind == etConst)
                out += ':' + e.value->PrintText();
            else if (e.code)
                out += ':' + NameOf(e.code);
        }
        return out;
    }
};

} // namespace

TEST_F(CompileTest, ElementKinds)
{
    const struct {
        const char* text;
        const char* shape;
    } cases[] = {
        {"fd 10", "6:fd 10:10 11"},
        {"\"abc \" :x", "10:abc 10: 9:x 11"},
        {"( ) * / + - < = > <= >= <>", "7 8( 5:* 5:/ 4:+ 4:- 2:< 2:= 2:> 2:<= 2:>= 2:<> 11"},
        {"ab [x] true 1.5", "6:ab 10:x 10:true 10:1.5 11"},
        {"(t1'fd 5)", "7 12(:t1 6(:fd 10:5 8 11"},
        {"a'b'c 'dd 'd", "12:a 12:b 6:c 12:main 6:dd 6:'d 11"},
        {"usual'fd USUAL'bk", "13 6:fd 13 6:bk 11"},
        {"\xB7param\xB7usual'fd", "13 6:fd 11"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(shape(c.text), c.shape) << c.text;
}

TEST_F(CompileTest, BodiesAndCaseTables)
{
    EXPECT_EQ(shape("[print 1] [fd 2]", kCompileBody), "6:print 10:1 6:fd 10:2 11");
    EXPECT_EQ(shape("1 2 [one or two] 3 [three] [other]", kCompileCaseTable),
              "10:[1 [one or two]] [2 [one or two]] [3 [three]] [[other]] 11");
    try {
        shape("1 [a] 2", kCompileCaseTable);
        FAIL();
    } catch (const eLogoException& e) {
        EXPECT_EQ(e.number, erBadStructure);
    }
}

TEST_F(CompileTest, CacheFollowsTheMode)
{
    tRef<tLogoList> list = ReadList("print 1", false);
    tCompiledArray* first = list->Compile(kCompileInstructions);
    EXPECT_EQ(list->Compile(kCompileInstructions), first);
    tCompiledArray* body = list->Compile(kCompileBody);
    EXPECT_EQ(body->mode, kCompileBody);
    tValue word(makeWord("print 2"));
    EXPECT_EQ(word->Compile(kCompileInstructions), word->Compile(kCompileInstructions));
}

TEST_F(CompileTest, ObjectPrefixesAndDefaultActions)
{
    tRootObject turtle;
    turtle.name = "t1";
    turtle.methodTable->Add(new tMainPasProcDesc(Intern("hello"), 0, false, [](tArgs&) -> tlogoobject* {
        world().output += "hi from t1\n";
        return nullptr;
    }));
    turtle.methodTable->Add(new tMainPasProcDesc(Intern("\xB7" "defaultaction"), 0, false,
                                                 [](tArgs&) -> tlogoobject* {
                                                     world().output += "default\n";
                                                     return nullptr;
                                                 }));
    w.root.children[Intern("t1")] = &turtle;
    EXPECT_EQ(w.run("t1'hello").output, "hi from t1\n");
    EXPECT_EQ(w.run("t1").error, erDoNotKnowHowTo) << "no default action declared";
    turtle.hasDefaultAction = true;
    EXPECT_EQ(w.run("t1").output, "default\n");
    EXPECT_EQ(w.run("t2'hello").error, erNoObject);
    EXPECT_EQ(w.run("t1'nothing").error, erDoNotKnowHowTo);

    // A procedure of the object names its owner in errors.
    DefineFromText(&turtle, "to broken\nnosuch\nend");
    const tOutcome o = w.run("t1'broken");
    EXPECT_EQ(o.error, erDoNotKnowHowTo);
    EXPECT_EQ(o.procedure, "t1'broken");
    w.root.children.clear();
}

TEST_F(CompileTest, DispatchOnLastAndOnADepth)
{
    w.root.methodTable->Add(new tObjectProcEndDesc(Intern("lastfirst"), 2, false));
    w.root.methodTable->Add(new tObjectProcNDesc(Intern("middlefirst"), 3, false, 1));
    registerValueOperator(valueTables().list, "lastfirst", 1, [](tlogoobject* r, tArgs& a) -> tlogoobject* {
        return makeWord(static_cast<tLogoList*>(r)->first()->PrintText() + a[0]->PrintText());
    }, etFun);
    registerValueOperator(valueTables().list, "middlefirst", 2, [](tlogoobject* r, tArgs& a) -> tlogoobject* {
        return makeWord(a[0]->PrintText() + static_cast<tLogoList*>(r)->first()->PrintText() + a[1]->PrintText());
    }, etFun);
    EXPECT_EQ(w.run("print lastfirst 1 [a]").output, "a1\n");
    EXPECT_EQ(w.run("print middlefirst 1 [b] 3").output, "1b3\n");
    EXPECT_EQ(w.run("print lastfirst 1 2").error, erDoNotKnowHowTo);
    EXPECT_EQ(w.ps.stack.count(), 0);
}
