// Collecting the instructions of a project text.
#include "shell/ProjectText.h"
#include "tests/support/ErrorCapture.h"
#include "tests/support/LogoTestWorld.h"

#include <gtest/gtest.h>

using namespace zembrio;
using namespace zembrio::testing;

namespace {

std::vector<std::string> instructionsOf(std::string_view text)
{
    std::vector<std::string> out;
    tInstructionCollector collector(text);
    tProjectInstruction instruction;
    while (collector.next(instruction))
        out.push_back((instruction.definition ? "DEF " + instruction.owner + ":" : std::string()) + instruction.text);
    return out;
}

} // namespace

TEST(ProjectText, CollectingInstructions)
{
    tLogoTestWorld w; // the "to" and "end" words
    const struct {
        const char* what;
        const char* text;
        std::vector<std::string> instructions;
    } cases[] = {
        {"empty lines separate", "print 1\n\nprint 2\r\n\r\nprint 3", {"print 1", "print 2", "print 3"}},
        {"lines without a gap join", "print\n1\nprint 2", {"print 1 print 2"}},
        {"header and comments skipped", "; language: \"english\"\n\n; note\n\nprint 1", {"print 1"}},
        {"comment lines stand alone", "; about\nprint 1\n; between\nprint 2\n\n; before\nto f\nend",
         {"print 1 print 2", "DEF :to f\xB6" "end"}},
        {"line mode", ";!\nprint 1\nprint 2", {"print 1", "print 2"}},
        {"line mode still joins after ~", ";!\nprint~\n1\nprint 2", {"print 1", "print 2"}},
        {"~ on the first line switches line mode on", "print 1~\n2\nprint 3", {"print 1 2", "print 3"}},
        {"tabs become blanks", "print\t1\n\tprint 2", {"print 1  print 2"}},
        {"definition with empty lines", "to f\nprint 1\n\nprint 2\nend\nprint 3",
         {"DEF :to f\xB6print 1\xB6\xB6print 2\xB6" "end", "print 3"}},
        {"definition for an object", "t1'to g :x\nend", {"DEF t1:to g :x\xB6" "end"}},
        {"definition closed by the end of the text", "to h\nprint 1", {"DEF :to h\xB6print 1"}},
        {"a lone to is no definition", "to\n\nprint 1", {"to", "print 1"}},
        {"launch of the startup procedure skipped", "print 1\n\nmain'launch [startup]", {"print 1"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(instructionsOf(c.text), c.instructions) << c.what;
    // Zero bytes end lines like line feeds: two of them make an empty line.
    EXPECT_EQ(instructionsOf(std::string_view("print 1\0\0print 2", 17)),
              (std::vector<std::string>{"print 1", "print 2"}));
    EXPECT_EQ(logoErrorOf([] { instructionsOf("print\x01 1"); }), erZembrioProject);
}

