// Processes under the global interpreter lock: fair alternation, names, stopping, pausing, timed
// processes, critical sections, and errors that end a process.
#include "core/LogoValues.h"
#include "core/Reader.h"
#include "core/ValuePools.h"
#include "runtime/LogoProcess.h"
#include "tests/support/RuntimeWorld.h"

#include <gtest/gtest.h>

#include <chrono>

using namespace zembrio;
using namespace zembrio::testing;

namespace {

class ProcessesTest : public ::testing::Test {
protected:
    tRuntimeWorld w;
};

size_t countOf(const std::string& text, std::string_view piece)
{
    size_t n = 0;
    for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + piece.size()))
        ++n;
    return n;
}

} // namespace

TEST_F(ProcessesTest, TwoForeverLoopsAlternate)
{
    const tRunResult r = w.run("forever [type \"x] (forever [type \"y] \"second) wait 30 stopall");
    ASSERT_EQ(r.error, std::nullopt) << r.message;
    const size_t xs = countOf(r.output, "x"), ys = countOf(r.output, "y");
    EXPECT_GT(xs, 20u);
    EXPECT_GT(ys, 20u);
    // First come, first served: once both run (a new thread takes a moment to start), they take turns.
    // A plain mutex would let one of them win most hand-overs; allow a stray double turn or two for a
    // machine that deschedules a thread at the wrong moment.
    const size_t bothRun = r.output.find_first_not_of(r.output[0]);
    ASSERT_NE(bothRun, std::string::npos);
    const std::string middle = r.output.substr(bothRun, (r.output.size() - bothRun) * 3 / 4);
    EXPECT_LE(countOf(middle, "xx") + countOf(middle, "yy"), middle.size() / 100) << middle.substr(0, 200);
}

TEST_F(ProcessesTest, NamesAndQueries)
{
    const struct {
        const char* text;
        const char* output;
        std::optional<errorConst> error = std::nullopt;
    } cases[] = {
        {"launch [wait 50] print done? \"|wait 50|", "false\n"},
        {"(launch [wait 50] \"sleeper) print done? \"sleeper print done? \"other", "false\ntrue\n"},
        {"(launch [wait 50] \"@system)", "", erBadValue},
        {"(launch [wait 50] \"||)", "", erBadValue},
        {"(launch [print 1] \"a \"b)", "", erTooManyInputs},
        {"(launch [wait 50] [my list]) print allprocesses", "@test [my list]\n"},
        {"print processname", "@test\n"},
        {"launch [print processname]", "print processname\n"},
        {"cancel \"nobody print \"fine", "fine\n"},
    };
    for (const auto& c : cases) {
        const tRunResult r = w.run(c.text);
        EXPECT_EQ(r.output, c.output) << c.text;
        EXPECT_EQ(r.error, c.error) << c.text << " " << r.message;
    }
}

TEST_F(ProcessesTest, StoppingProcesses)
{
    // A waiting process ends at once when it is cancelled.
    const auto start = std::chrono::steady_clock::now();
    tRunResult r = w.run("(launch [wait 100000] \"long) cancel \"long print done? \"long");
    EXPECT_EQ(r.output, "true\n");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));

    // stopall spares processes named "%p%…" and ends the caller without an error.
    r = w.run("(forever [wait 1] \"%p%keep) (forever [wait 1] \"go) stopall print \"never", false);
    EXPECT_EQ(r.output, "");
    r = w.run("print done? \"go print done? \"%p%keep cancel \"%p%keep");
    EXPECT_EQ(r.output, "true\nfalse\n");
    EXPECT_TRUE(w.reports().empty());

    // cancel of the caller's own name stops the others first, then the caller.
    r = w.run("(forever [wait 1] \"twin) (launch [wait 5 cancel \"twin print \"not] \"twin) wait 100 print done? \"twin");
    EXPECT_EQ(r.output, "true\n");

    // stopme, and stop at the end of a launched list, end quietly; output there is an error.
    r = w.run("launch [print 1 stopme print 2] launch [print 3 stop] wait 50");
    EXPECT_EQ(countOf(r.output, "1\n") + countOf(r.output, "3\n"), 2u);
    EXPECT_TRUE(w.reports().empty());
    r = w.run("launch [output 5] wait 50");
    ASSERT_EQ(w.reports().size(), 1u);
    EXPECT_NE(w.reports()[0].find("output"), std::string::npos) << w.reports()[0];
}

TEST_F(ProcessesTest, PausedProcessesStillStop)
{
    const tRunResult r = w.run("(forever [type \"p] \"looper) wait 5 (launch [pauseall] \"pauser) wait 20 "
                               "cancel \"looper print done? \"looper resumeall");
    EXPECT_NE(r.output.find("true\n"), std::string::npos) << r.output;
}

TEST_F(ProcessesTest, EveryAndAfter)
{
    tRunResult r = w.run("(every 0 [type \"e] \"ticker) wait 30 cancel \"ticker print \"|");
    EXPECT_GT(countOf(r.output, "e"), 2u);
    const auto start = std::chrono::steady_clock::now();
    r = w.run("after 40 [print \"late] print \"now");
    EXPECT_EQ(r.output, "now\nlate\n");
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(40));
}

TEST_F(ProcessesTest, CriticalSectionsExcludeEachOther)
{
    const tRunResult r = w.run("repeat 4 [launch [repeat 3 [runcritical \"pen [type \"|[| wait 1 type \"|]|]]]] "
                               "wait 10");
    ASSERT_EQ(r.output.size(), 4u * 3u * 2u) << r.output;
    for (size_t i = 0; i < r.output.size(); i += 2)
        EXPECT_EQ(r.output.substr(i, 2), "[]") << r.output;
    // An error inside the list gives the section back.
    const tRunResult again =
        w.run("catch \"error [runcritical \"gate [print nosuch]] runcritical \"gate [print \"entered]");
    EXPECT_EQ(again.output, "entered\n");
}

TEST_F(ProcessesTest, LaunchedProcessesSeeCopiesOfTheCallersLocals)
{
    const tRunResult r = w.run("to starter\nlocal \"secret\nmake \"secret 42\nlaunch [wait 5 print :secret]\n"
                               "make \"secret 0\nend\n\nstarter wait 50");
    EXPECT_EQ(r.output, "42\n");
}

TEST_F(ProcessesTest, EventProcessesLookTheirHandlerUpThemselves)
{
    // The handler is read inside the process, under the lock: whatever it is at that moment runs.
    const tNameCode onClick = Intern("onclick");
    auto handlerOf = [](tlogoobject*, tNameCode) -> tValue { return ReadList("print :clicks", false); };
    auto event = std::make_shared<tLogoEventProcess>(eventProcessName("", onClick), onClick, handlerOf);
    EXPECT_EQ(event->name(), "@nilonclick");
    event->parameterName = Intern("clicks");
    event->parameterValue = makeInt(2);
    w.run("print \"before", false);
    runEventAndWait(event);
    EXPECT_EQ(w.output(), "before\n2\n");

    // An empty handler runs nothing, and the process ends at once.
    auto quiet = std::make_shared<tLogoEventProcess>("@quiet", onClick,
                                                     [](tlogoobject*, tNameCode) -> tValue { return new tLogoList; });
    runEventAndWait(quiet);
    EXPECT_TRUE(quiet->finished());
}
