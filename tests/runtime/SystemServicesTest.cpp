// Options, timers, dates and the value constructors of the main object through the real runtime: the
// errors (a scenario stops at its first one), the pool report, and the date and time formatting.
#include "core/ValuePools.h"
#include "core/ValueSettings.h"
#include "runtime/DateFormat.h"
#include "runtime/MainObj.h"
#include "runtime/Options.h"
#include "tests/support/RuntimeWorld.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

using namespace zembrio;
using namespace zembrio::testing;

namespace {

class SystemServicesTest : public ::testing::Test {
protected:
    SystemServicesTest() { resetOptions(); }
    ~SystemServicesTest() override { resetOptions(); }

    tRuntimeWorld w;
};

struct tErrorCase {
    const char* text;
    errorConst error;
    const char* culprit = nullptr; // checked when given
};

TEST_F(SystemServicesTest, ErrorsNameTheCulprit)
{
    const tErrorCase cases[] = {
        // setoption: a list of known names, each with a value in range
        {"setoption \"ansi", erExpectList, "ansi"},
        {"setoption [ansi 1 sound]", erBadStructure},
        {"setoption [colour 1]", erBadValue, "colour 1"},
        {"setoption [version 2]", erBadValue},
        {"setoption [[ansi] 1]", erBadValue},
        {"setoption [ellapseunit 50]", erBadValue, "50"},
        {"setoption [timeunit 1]", erBadValue},
        {"setoption [ellapseunit \"x]", erExpectNumber},
        {"setoption [strict 3]", erMinMax},
        {"setoption [ansi -1]", erMinMax},
        {"setoption [octaves 0]", erMinMax},
        {"setoption [thresholdy2k 100]", erMinMax},
        {"setoption [fkeys 13]", erMinMax},
        {"setoption [error 2]", erMinMax},
        {"setoption [picker red]", erExpectList},
        {"print option \"colour", erBadValue, "colour"},
        {"print option [ansi]", erBadValue},
        // timers take at most a name
        {"print (timer 1 2)", erTooManyInputs},
        {"(resettimer \"a \"b)", erTooManyInputs},
        {"print (timer [a])", erExpectWord},
        // dates: [day month year weekday], a real date of years 1 to 9999
        {"print (dateword \"x [1 2])", erBadStructure},
        {"print (dateword \"x [1 2 2000 3 4])", erBadStructure},
        {"print (dateword \"x [30 2 2020])", erBadStructure},
        {"print (dateword \"x [29 2 2023])", erBadStructure},
        {"print (dateword \"x [1 1 10000])", erBadStructure},
        {"print (dateword \"x [32 1 2020])", erMinMax, "32"},
        {"print (dateword \"x [1 13 2020])", erMinMax},
        {"print (dateword \"x [1 1 2020 7])", erMinMax},
        {"print (dateword \"x \"today)", erExpectList},
        {"print (dateword \"x [1 1 2020] 3)", erTooManyInputs},
        // times: [hour minute second fraction], the fraction in the time unit
        {"print (timeword \"x [1 2 3 4 5])", erBadStructure},
        {"print (timeword \"x [25])", erMinMax},
        {"print (timeword \"x [1 60])", erMinMax},
        {"print (timeword \"x [1 2 3 1000])", erMinMax},
        {"setoption [timeunit 100] print (timeword \"x [1 2 3 100])", erMinMax},
        {"print (timeword \"x 5)", erExpectList},
        {"print (timeword \"x [] 3)", erTooManyInputs},
        // the value constructors
        {"print (sum \"a 1)", erExpectNumber, "a"},
        {"print (sum 1 \"a)", erExpectNumber, "a"},
        {"print (sum 1 \"true)", erExpectNumber},
        {"print (product [1 2] \"a)", erExpectNumber},
        {"print (sum 1 [1 2] 3)", erExpectNumber},
        {"show (sum [1 2] [1 2 3])", erBadStructure},
        {"print (product 1e3000 1e3000)", erReal},
        {"print (bitand 1 [2])", erMinMax},
        {"print (bitor [1] 2)", erExpectNumber},
        {"print (bitxor 1 \"a)", erExpectNumber},
        {"print word [a] \"b", erExpectWord},
    };
    for (const tErrorCase& c : cases) {
        const tRunResult r = w.run(c.text);
        EXPECT_EQ(r.error, c.error) << c.text << "\n" << r.message;
        if (c.culprit) {
            EXPECT_EQ(r.culprit, c.culprit) << c.text;
        }
        resetOptions();
    }
}

TEST_F(SystemServicesTest, ResetRestoresOptionDefaultsButKeepsStrictnessAndAnsi)
{
    ASSERT_FALSE(w.run("setoption [picker [red] colourcursor 0 sound 0 thresholdy2k 40 ellapseunit 10 "
                       "timeunit 100 strict 2 ansi 1 fkeys 0]")
                     .error);
    w.main().Reset();
    const tOptions& o = options();
    EXPECT_FALSE(o.pickerList);
    EXPECT_EQ(o.colourCursor, 1);
    EXPECT_EQ(o.sound, 1);
    EXPECT_EQ(o.yearThreshold, 10);
    EXPECT_EQ(o.elapseUnit, tuMilliseconds);
    EXPECT_EQ(o.timeUnit, tuMilliseconds);
    EXPECT_EQ(o.functionKeys, 1);
    EXPECT_EQ(gValueSettings.strictness, 2);
    EXPECT_TRUE(gValueSettings.ansiOutput);
}

// The report's lines as label -> number, in order.
std::vector<std::pair<std::string, int64_t>> reportLines(const std::string& output)
{
    std::vector<std::pair<std::string, int64_t>> lines;
    std::istringstream in(output);
    for (std::string line; std::getline(in, line);) {
        const size_t eq = line.find('=');
        const size_t number = line.find_first_not_of(' ', eq + 1);
        lines.emplace_back(line.substr(0, number), std::stoll(line.substr(number)));
    }
    return lines;
}

TEST_F(SystemServicesTest, MemoryReportCountsPoolsAndHeapCells)
{
    const tRunResult before = w.run(".mem");
    ASSERT_FALSE(before.error) << before.message;
    const auto lines = reportLines(before.output);
    const char* labels[] = {"used listboxes=  ", "allocated listboxes=  ", "deallocated listboxes=  ",
                            "total listboxes=  ", "free intboxes=      ", "free realboxes=     ",
                            "free stringboxes=   ", "free boolboxes=     ", "active wordboxes =  ",
                            "stack=           ", "used bitmaps=    "};
    ASSERT_EQ(lines.size(), std::size(labels));
    for (size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(lines[i].first, labels[i]);
    std::map<std::string, int64_t> n;
    for (const auto& [label, value] : lines)
        n[label] = value;
    for (const char* pool : {"free intboxes=      ", "free realboxes=     ", "free stringboxes=   ",
                             "free boolboxes=     "}) {
        EXPECT_GE(n[pool], 0) << pool;
        EXPECT_LE(n[pool], kValuePoolSize) << pool;
    }

    // A list longer than the cell pool empties it; the rest of its cells come from the heap.
    const tRunResult after = w.run("make \"l [] repeat 12000 [make \"l fput 1 :l] .mem");
    ASSERT_FALSE(after.error) << after.message;
    std::map<std::string, int64_t> m;
    for (const auto& [label, value] : reportLines(after.output))
        m[label] = value;
    EXPECT_EQ(m["used listboxes=  "], kListCellPoolSize);
    EXPECT_GE(m["allocated listboxes=  "] - n["allocated listboxes=  "], 12000 - kListCellPoolSize);
    EXPECT_GE(m["total listboxes=  "], 12000);
}

TEST(DateFormatTest, FieldsAndLiterals)
{
    tDateTime when;
    ASSERT_TRUE(setDate(when, 2024, 2, 9));
    when.hour = 15;
    when.minute = 4;
    when.second = 3;
    when.millisecond = 7;
    when.fraction = 7;
    when.fractionDigits = 3;
    const struct {
        const char* format;
        bool timeFormat;
        const char* expected;
    } cases[] = {
        {"dd.mm.yyyy", false, "09.02.2024"},
        {"d.m.yy", false, "9.2.24"},
        {"DDD, D MMM YYYY", false, "Fri, 9 Feb 2024"},
        {"dddd mmmm", false, "Friday February"},
        {"hh:mm", false, "15:04"},      // minutes right after an hour
        {"mm hh mm", false, "02 15 04"},
        {"hh:nn:ss.zzz", false, "15:04:03.007"},
        {"h:n:s.z", false, "15:4:3.7"},
        {"mm:ss", true, "04:03"},       // time formats: m is always minutes
        {"hhhh:mm:ss.xx", true, "15:04:03.007"},
        {"h:mm am/pm", true, "3:04 pm"},
        {"h AM/PM", true, "3 PM"},
        {"h a/p", true, "3 p"},
        {"hh ampm", true, "03 PM"},
        {"'dd' \"mm\" x dd", false, "dd mm x 09"},
        {"'unclosed d", false, "unclosed d"},
        {"", false, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatDateTime(c.format, when, c.timeFormat), c.expected) << c.format;

    // Twelve-hour clocks: midnight and noon are 12.
    when.hour = 0;
    EXPECT_EQ(formatDateTime("h am/pm", when, true), "12 am");
    when.hour = 12;
    EXPECT_EQ(formatDateTime("h am/pm", when, true), "12 pm");
    // The fraction is as wide as its unit.
    when.fraction = 5;
    when.fractionDigits = 2;
    EXPECT_EQ(formatDateTime("xx", when, true), "05");
}

TEST(DateFormatTest, OnlyRealDatesAreSet)
{
    tDateTime when;
    EXPECT_TRUE(setDate(when, 2000, 2, 29));
    EXPECT_EQ(when.weekday, 2); // a Tuesday
    EXPECT_TRUE(setDate(when, 1, 1, 1));
    EXPECT_TRUE(setDate(when, 9999, 12, 31));
    const struct {
        int year, month, day;
    } invalid[] = {{1900, 2, 29}, {2023, 4, 31}, {0, 1, 1}, {10000, 1, 1},
                   {2000, 0, 1},  {2000, 13, 1}, {2000, 1, 0}, {2000, -1, -1}};
    for (const auto& d : invalid)
        EXPECT_FALSE(setDate(when, d.year, d.month, d.day)) << d.year << "-" << d.month << "-" << d.day;
}

TEST(OptionsTest, DurationsAreClampedAndConverted)
{
    resetOptions();
    const int64_t max = (int64_t(1) << 31) - 1;
    EXPECT_EQ(elapseToMilliseconds(250), 250);
    EXPECT_EQ(elapseToMilliseconds(-5), 0);
    EXPECT_EQ(elapseToMilliseconds(INT64_MAX), max);
    options().elapseUnit = tuHundredths;
    EXPECT_EQ(elapseToMilliseconds(5), 50);
    EXPECT_EQ(elapseToMilliseconds(INT32_MAX), max);
    EXPECT_EQ(millisecondsToElapseUnit(1234), 123);
    EXPECT_EQ(millisecondsToElapseUnit(1235), 124);
    options().elapseUnit = tuTenths;
    EXPECT_EQ(elapseToMilliseconds(3), 300);
    EXPECT_EQ(elapseToMilliseconds(INT64_MIN), 0);
    EXPECT_EQ(millisecondsToElapseUnit(123456), 1235); // a timer is not capped at one second
    resetOptions();

    // The fraction of "time": rounded, and capped below one second.
    EXPECT_EQ(millisecondsToTimeUnit(994, tuMilliseconds), 994);
    EXPECT_EQ(millisecondsToTimeUnit(994, tuHundredths), 99);
    EXPECT_EQ(millisecondsToTimeUnit(994, tuTenths), 9);
    EXPECT_EQ(millisecondsToTimeUnit(44, tuHundredths), 4);
    EXPECT_EQ(millisecondsToTimeUnit(45, tuHundredths), 5);
    EXPECT_EQ(millisecondsToTimeUnit(149, tuTenths), 1);
}

} // namespace
