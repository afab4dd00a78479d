// User procedures: definition from text and lists, inputs, dynamic scope, errors and their place, saving.
#include "core/Stream.h"
#include "tests/support/LogoTestWorld.h"

#include <gtest/gtest.h>

using namespace zembrio;
using namespace zembrio::testing;

namespace {

class ProceduresTest : public ::testing::Test {
protected:
    tLogoTestWorld w;

    errorConst defineError(std::string_view text)
    {
        try {
            DefineFromText(&w.root, text);
        } catch (const eLogoException& e) {
            return e.number;
        }
        return errrr;
    }
};

} // namespace

TEST_F(ProceduresTest, OutputStopAndResults)
{
    w.define(R"(to double :x
output :x * 2
end

to early
print 1
stop
print 2
end

to nothing
print "quiet
end)");
    EXPECT_EQ(w.run("print double double 3").output, "12\n");
    EXPECT_EQ(w.run("early").output, "1\n");
    const tOutcome o = w.run("print nothing");
    EXPECT_EQ(o.output, "quiet\n");
    EXPECT_EQ(o.error, erDidNotReport);
    EXPECT_EQ(o.culprit, "nothing");
    EXPECT_EQ(w.run("double").error, erNotEnoughInputs);
}

TEST_F(ProceduresTest, DynamicScopeAndGlobals)
{
    w.define(R"(to outer :x
inner
print :x
end

to inner
print :x
make "x 99
make "fresh 5
end)");
    EXPECT_EQ(w.run("make \"x 1 outer 7 print :x").output, "7\n99\n1\n");
    EXPECT_EQ(w.run("print :fresh").output, "5\n") << "assigning an unbound name makes a global";
    EXPECT_EQ(w.ps.locals->totalEntries(), 0);
}

TEST_F(ProceduresTest, CollectedInputs)
{
    w.define("to gather :inputs [2]\nprint :inputs\nend");
    EXPECT_EQ(w.run("gather 1 2").output, "1 2\n");
    EXPECT_EQ(w.run("(gather 1 2 3)").output, "1 2 3\n");
    EXPECT_EQ(w.run("(gather)").output, "\n");
}

TEST_F(ProceduresTest, ErrorsNameTheInnermostProcedureAndItsLine)
{
    w.define(R"(to caller
print "start
callee
end

to callee
; a comment line still counts as a line
print 1
print nosuch
end

to looping
repeat 2 [
  print 1
  print oops
]
end)");
    tOutcome o = w.run("caller");
    EXPECT_EQ(o.error, erDoNotKnowHowTo);
    EXPECT_EQ(o.procedure, "callee");
    EXPECT_EQ(o.line, 4);
    EXPECT_EQ(o.output, "start\n1\n");

    o = w.run("looping");
    EXPECT_EQ(o.error, erDoNotKnowHowTo);
    EXPECT_EQ(o.procedure, "looping");
    EXPECT_EQ(o.line, 4);
}

TEST_F(ProceduresTest, DefinitionFromTextLineEndsCommentsAndEnd)
{
    // CR, LF, CR LF and the line-break character all end lines; "end" is not part of the body.
    DefineFromText(&w.root, "to mixed\rprint 1\nprint 2\r\nprint 3\xB6; note\xB6  end  ");
    EXPECT_EQ(w.run("mixed").output, "1\n2\n3\n");
    auto* proc = dynamic_cast<tLogoProcDesc*>(w.root.methodTable->LookupByText("mixed"));
    ASSERT_TRUE(proc);
    tValue definition(proc->DefinitionList());
    EXPECT_EQ(definition->PrintText(), "[] [print 1 print 2 print 3]");
}

TEST_F(ProceduresTest, DefinitionErrors)
{
    const struct {
        const char* text;
        errorConst error;
    } cases[] = {
        {"print 1\nend", erMissingTO},
        {"to\nend", erMissingToName},
        {"to [x]\nend", erMissingToName},
        {"to 123\nend", erBadProcName},
        {"to |a b|\nend", erBadProcName},
        {"to :x\nend", erBadProcName},
        {"to print\nend", erRedefinePrimitiveProc},
        {"to f [x]\nend", erBadStructure},
        {"to f |\nend", erEmptyWord},
        {"to f :a [300]\nend", erMinMax},
    };
    for (const auto& c : cases)
        EXPECT_EQ(defineError(c.text), c.error) << c.text;
}

TEST_F(ProceduresTest, RedefinitionRules)
{
    const char* text = "to same\nprint 1\nend";
    DefineFromText(&w.root, text);
    tTabDesc* first = w.root.methodTable->LookupByText("same");
    first->flags |= kDescDoNotSave | kDescHidden;
    DefineFromText(&w.root, text);
    EXPECT_EQ(w.root.methodTable->LookupByText("same"), first) << "same text: nothing changes";
    DefineFromText(&w.root, "to same\nprint 2\nend");
    tTabDesc* second = w.root.methodTable->LookupByText("same");
    EXPECT_NE(second, first);
    EXPECT_EQ(second->flags & (kDescDoNotSave | kDescHidden), kDescDoNotSave | kDescHidden);

    w.define("to selfish\nprint 1\nend");
    // A running procedure cannot be redefined: as if a call were in progress.
    auto* proc = w.root.methodTable->LookupByText("selfish")->AsProc();
    proc->activeCalls = 1;
    EXPECT_EQ(defineError("to selfish\nprint 3\nend"), erRedefineUsedProc);
    proc->activeCalls = 0;
}

TEST_F(ProceduresTest, DefinitionListsAndGeneratedText)
{
    tRef<tLogoList> definition = ReadList("[a b] [print :a] [print \"|x y|]", false);
    DefineFromList(&w.root, "pair", definition.get());
    EXPECT_EQ(w.run("pair 1 2").output, "1\nx y\n");
    auto* proc = dynamic_cast<tLogoProcDesc*>(w.root.methodTable->LookupByText("pair"));
    EXPECT_EQ(proc->Text(), "to pair :a :b\r\n print :a\r\n print \"|x y|\r\nend");
    tValue back(proc->DefinitionList());
    EXPECT_TRUE(back->IsEqual(definition.get()));

    tRef<tLogoList> collected = ReadList("[rest [1]] [print :rest]", false);
    DefineFromList(&w.root, "many", collected.get());
    EXPECT_EQ(dynamic_cast<tLogoProcDesc*>(w.root.methodTable->LookupByText("many"))->Text(),
              "to many :rest [1]\r\n print :rest\r\nend");
    EXPECT_EQ(w.run("many 5").output, "5\n");
}

TEST_F(ProceduresTest, SavedProcedureReadsBackTheSame)
{
    tRef<tLogoList> definition = ReadList("[] [print \"|a b|]", false);
    DefineFromList(&w.root, "quoted", definition.get());
    DefineFromText(&w.root, "to texty\nprint 1\nend");
    tMemoryStream stream;
    tSaveContext save{stream};
    w.root.methodTable->SaveAll(save, false, 3);
    const std::string saved(stream.bytes().begin(), stream.bytes().end());
    EXPECT_EQ(saved, "\tdefine'quoted [[] [print \"|a b|]]\r\n"
                     "\tdefine'texty |to texty\xB6print 1\xB6" "end|\r\n");
    // The saved definition list reads back as the same list.
    tRef<tLogoList> back = ReadList("[[] [print \"|a b|]]", false);
    tValue original(dynamic_cast<tLogoProcDesc*>(w.root.methodTable->LookupByText("quoted"))->DefinitionList());
    EXPECT_TRUE(static_cast<tLogoList*>(back.get())->first()->IsEqual(original.get()));
}
