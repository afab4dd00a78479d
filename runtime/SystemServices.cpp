// System services of the main object: options, timers, the clock and the calendar, and two small
// helpers of the control-flow family ("ignore" and the pool report ".mem").
#include "core/DictionaryLookup.h"
#include "core/LogoException.h"
#include "core/LogoValues.h"
#include "core/NameCompare.h"
#include "core/NameTable.h"
#include "core/ProcessState.h"
#include "core/ValuePools.h"
#include "core/ValueSettings.h"
#include "runtime/DateFormat.h"
#include "runtime/MainObj.h"
#include "runtime/Options.h"
#include "runtime/Registration.h"

#include <limits>

namespace zembrio {

namespace {

constexpr std::string_view kVersionText = "1.0.0.1";
constexpr const char* kLineBreak = "\r\n";
// What the regional settings would give; fixed here so that projects print the same everywhere.
constexpr std::string_view kShortDateFormat = "dd.mm.yyyy";
constexpr std::string_view kLongDateFormat = "dd.mm.yyyy";
constexpr std::string_view kTimeFormat = "hhhh:mm:ss";

[[noreturn]] void tooManyInputs(const char* key)
{
    throw eLogoException::withCulpritCode(erTooManyInputs, Intern(primaryName("dict", key)));
}

// A fresh list to the descriptor that pushes it. (Converting the builder's list to a tValue first would
// leave a second, temporary reference that frees the list when it goes.)
tlogoobject* handOverList(tRef<tLogoList> list)
{
    tLogoList* p = list.leak();
    dropWithoutFree(p);
    return p;
}

tlogoobject* wholeNumber(int64_t value)
{
    if (value >= std::numeric_limits<int32_t>::min() && value <= std::numeric_limits<int32_t>::max())
        return makeInt(static_cast<int32_t>(value));
    return makeReal(static_cast<long double>(value));
}

tlogoobject* numberList(std::initializer_list<int32_t> numbers)
{
    tListBuilder items;
    for (int32_t n : numbers)
        items.append(tValue(makeInt(n)).get());
    return handOverList(items.take());
}

// --- "ignore" and ".mem" ---

tlogoobject* ignore(tArgs&)
{
    return nullptr;
}

tlogoobject* memoryReport(tArgs& a)
{
    const tPoolCounts free = poolCounts();
    const tPoolTraffic traffic = poolTraffic();
    const int64_t usedCells = kListCellPoolSize - free.cells;
    // Pooled integers, reals, words and booleans out of their pools right now.
    const int64_t activeWords = traffic.pooledWords - (free.ints + free.reals + free.words + free.bools);
    const struct {
        const char* label;
        int64_t value;
    } lines[] = {
        {"used listboxes=  ", usedCells},
        {"allocated listboxes=  ", traffic.heapCells},
        {"deallocated listboxes=  ", traffic.freedCells},
        // Every cell block ever made and not freed, less those waiting in the pool: the cells in use.
        {"total listboxes=  ", traffic.filledCells + traffic.heapCells - traffic.freedCells - free.cells},
        {"free intboxes=      ", free.ints},
        {"free realboxes=     ", free.reals},
        {"free stringboxes=   ", free.words},
        {"free boolboxes=     ", free.bools},
        {"active wordboxes =  ", activeWords},
        {"stack=           ", a.ps.stack.count()},
        {"used bitmaps=    ", 0}, // no images are kept by the runtime yet
    };
    std::string text;
    for (const auto& line : lines)
        text += line.label + std::to_string(line.value) + kLineBreak;
    if (tMainLogoObject* main = mainObject())
        main->write(text);
    return nullptr;
}

// --- options ---

enum class tOption {
    error, picker, colourCursor, ansi, sound, fkeys, thresholdy2k, ellapseUnit, timeUnit, strict, octaves,
    homePage, pluginPage, htmlCharset, htmlBottomLine, state, version, build, none
};

// Dictionary keys of section "option", in the order of tOption.
constexpr const char* kOptionKeys[] = {
    "error",  "picker",  "colourcursor", "ansi",       "sound",          "fkeys", "thresholdy2k",
    "ellapseunit", "timeunit", "strict", "octaves", "homepage", "pluginpage", "HTMLcharset",
    "HTMLbottomLine", "state", "version", "build",
};
static_assert(std::size(kOptionKeys) == static_cast<size_t>(tOption::none));

tOption optionNamed(tlogoobject* name)
{
    if (!name || !name->IsWord())
        return tOption::none;
    std::string text;
    name->AsText(text);
    for (size_t i = 0; i < std::size(kOptionKeys); ++i)
        if (isSynonymOf(text, "option", kOptionKeys[i]))
            return static_cast<tOption>(i);
    return tOption::none;
}

// "ellapseunit" and "timeunit" are given as parts of a second.
tTimeUnit unitGiven(tlogoobject* value)
{
    switch (value->AsInteger()) {
    case 10:
        return tuTenths;
    case 100:
        return tuHundredths;
    case 1000:
        return tuMilliseconds;
    default:
        throw eLogoException(erBadValue, value);
    }
}

void setOption(tOption option, tlogoobject* value, tlogoobject* wholeInput)
{
    tOptions& o = options();
    switch (option) {
    case tOption::error:
        value->AsIntegerInRange(0, 1); // accepted for old projects; nothing uses it
        return;
    case tOption::picker:
        if (!value->IsList())
            throw eLogoException(erExpectList, value);
        o.pickerList = tValue(value);
        return;
    case tOption::colourCursor:
        o.colourCursor = value->AsIntegerInRange(0, 1);
        return;
    case tOption::ansi:
        gValueSettings.ansiOutput = value->AsIntegerInRange(0, 1) == 1;
        return;
    case tOption::sound:
        o.sound = value->AsIntegerInRange(0, 1);
        return;
    case tOption::fkeys: {
        const int32_t keys = value->AsIntegerInRange(0, 12);
        o.functionKeys = keys == 0 ? 1 : keys == 12 ? 2 : 0;
        return;
    }
    case tOption::thresholdy2k:
        o.yearThreshold = value->AsIntegerInRange(0, 99);
        return;
    case tOption::ellapseUnit:
        o.elapseUnit = unitGiven(value);
        return;
    case tOption::timeUnit:
        o.timeUnit = unitGiven(value);
        return;
    case tOption::strict:
        gValueSettings.strictness = value->AsIntegerInRange(0, 2);
        return;
    case tOption::octaves:
        o.octaves = value->AsIntegerInRange(1, 4);
        return;
    case tOption::homePage:
        o.homePage = value->PrintText();
        return;
    case tOption::pluginPage:
        o.pluginPage = value->PrintText();
        return;
    case tOption::htmlCharset:
        o.htmlCharset = value->PrintText();
        return;
    case tOption::htmlBottomLine:
        o.htmlBottomLine = value->PrintText();
        return;
    case tOption::state:
    case tOption::version:
    case tOption::build:
    case tOption::none:
        break; // read-only, or no option at all
    }
    throw eLogoException(erBadValue, wholeInput);
}

tlogoobject* setoption(tArgs& a)
{
    auto* pairs = valueCast<tLogoList>(a[0]);
    if (!pairs)
        throw eLogoException(erExpectList, a[0]);
    if (pairs->count() % 2 != 0)
        throw eLogoException(erBadStructure, a[0]);
    for (tLogoList* cell = pairs; cell && cell->first(); cell = cell->rest()->rest())
        setOption(optionNamed(cell->first()), cell->rest()->first(), a[0]);
    return nullptr;
}

int32_t unitCode(tTimeUnit unit)
{
    return static_cast<int32_t>(unit);
}

tlogoobject* option(tArgs& a)
{
    const tOptions& o = options();
    if (a[0]->IsWord()) {
        std::string text;
        a[0]->AsText(text);
        if (sameName(text, "params")) // the same in every language
            return new tLogoList;
    }
    switch (optionNamed(a[0])) {
    case tOption::error:
        return makeInt(0);
    case tOption::picker:
        return o.pickerList ? o.pickerList.get() : new tLogoList;
    case tOption::colourCursor:
        return makeInt(o.colourCursor);
    case tOption::ansi:
        return makeInt(gValueSettings.ansiOutput ? 1 : 0);
    case tOption::sound:
        return makeInt(o.sound);
    case tOption::fkeys:
        return makeInt(12);
    case tOption::thresholdy2k:
        return makeInt(o.yearThreshold);
    case tOption::ellapseUnit:
        return makeInt(unitCode(o.elapseUnit));
    case tOption::timeUnit:
        return makeInt(unitCode(o.timeUnit));
    case tOption::strict:
        return makeInt(gValueSettings.strictness);
    case tOption::octaves:
        return makeInt(o.octaves);
    case tOption::homePage:
        return makeWord(o.homePage);
    case tOption::pluginPage:
        return makeWord(o.pluginPage);
    case tOption::htmlCharset:
        return makeWord(o.htmlCharset);
    case tOption::htmlBottomLine:
        return makeWord(o.htmlBottomLine);
    case tOption::state:
        return makeInt(2 + 128 + 256 + (o.projectLoading ? 8 : 0) + (o.systemStarting ? 16 : 0));
    case tOption::version:
        return makeWord(kVersionText);
    case tOption::build:
        return makeWord(kVersionText.substr(kVersionText.rfind('.') + 1));
    case tOption::none:
        break;
    }
    throw eLogoException(erBadValue, a[0]);
}

// --- timers ---

std::string timerName(tArgs& a, const char* key)
{
    if (a.count() > 1)
        tooManyInputs(key);
    if (a.count() == 0)
        return "0";
    std::string name;
    a[0]->AsText(name);
    return name;
}

tlogoobject* timer(tArgs& a)
{
    const std::string name = timerName(a, "timer");
    tMainLogoObject* main = mainObject();
    return wholeNumber(millisecondsToElapseUnit(main ? main->timerElapsed(name) : 0));
}

tlogoobject* resettimer(tArgs& a)
{
    const std::string name = timerName(a, "resettimer");
    if (tMainLogoObject* main = mainObject())
        main->resetTimer(name);
    return nullptr;
}

// --- the clock and the calendar ---

tlogoobject* date(tArgs&)
{
    const tDateTime now = localNow(options().timeUnit);
    return numberList({now.year, now.month, now.day, now.weekday});
}

tlogoobject* clockTime(tArgs&)
{
    const tDateTime now = localNow(options().timeUnit);
    return numberList({now.hour, now.minute, now.second, now.fraction});
}

std::string trimmed(const std::string& text)
{
    const size_t from = text.find_first_not_of(" \t");
    if (from == std::string::npos)
        return {};
    return text.substr(from, text.find_last_not_of(" \t") - from + 1);
}

// The format input: a word as it stands (an empty one selects emptyWord), a list in its printed form,
// no input or an empty list the default.
std::string formatGiven(tArgs& a, std::string_view emptyWord, std::string_view fallback)
{
    if (a.count() == 0 || (a[0]->IsList() && a[0]->IsEmpty()))
        return std::string(fallback);
    if (a[0]->IsList())
        return a[0]->PrintText();
    std::string text;
    a[0]->AsText(text);
    text = trimmed(text);
    return text.empty() ? std::string(emptyWord) : text;
}

// The date or time list input: nullptr when there is none, an empty list meaning no date at all.
tLogoList* fieldsGiven(tArgs& a, int32_t& count)
{
    if (a.count() < 2)
        return nullptr;
    auto* fields = valueCast<tLogoList>(a[1]);
    if (!fields)
        throw eLogoException(erExpectList, a[1]);
    count = fields->count();
    if (count > 4)
        throw eLogoException(erBadStructure, a[1]);
    return fields;
}

tlogoobject* item(tLogoList* list, int32_t index)
{
    for (; index > 0; --index)
        list = list->rest();
    return list->first();
}

tlogoobject* dateWord(tArgs& a)
{
    if (a.count() > 2)
        tooManyInputs("dateWord");
    const std::string format = formatGiven(a, kShortDateFormat, kLongDateFormat);
    tDateTime when = localNow(options().timeUnit);
    int32_t count = 0;
    if (tLogoList* fields = fieldsGiven(a, count)) {
        if (count == 0)
            return makeWord(format); // no date: the format itself
        if (count < 3)
            throw eLogoException(erBadStructure, a[1]);
        const int32_t day = item(fields, 0)->AsIntegerInRange(1, 31);
        const int32_t month = item(fields, 1)->AsIntegerInRange(1, 12);
        int32_t year = item(fields, 2)->AsInteger();
        if (count == 4)
            item(fields, 3)->AsIntegerInRange(0, 6); // the weekday follows from the date
        if (year < 99)
            year += year > options().yearThreshold ? 1900 : 2000;
        if (!setDate(when, year, month, day))
            throw eLogoException(erBadStructure, a[1]);
        when.hour = when.minute = when.second = when.millisecond = when.fraction = 0;
    }
    return makeWord(formatDateTime(format, when, false));
}

tlogoobject* timeWord(tArgs& a)
{
    if (a.count() > 2)
        tooManyInputs("timeWord");
    const std::string format = formatGiven(a, kTimeFormat, kTimeFormat);
    const tTimeUnit unit = options().timeUnit;
    tDateTime when = localNow(unit);
    int32_t count = 0;
    if (tLogoList* fields = fieldsGiven(a, count)) {
        if (count == 0)
            return makeWord(format);
        // Fields not given stay zero.
        const int32_t maxFraction = unit == tuHundredths ? 99 : unit == tuTenths ? 9 : 999;
        const int32_t limits[] = {24, 59, 59, maxFraction};
        int32_t values[4] = {0, 0, 0, 0};
        for (int32_t i = 0; i < count; ++i)
            values[i] = item(fields, i)->AsIntegerInRange(0, limits[i]);
        when.hour = values[0];
        when.minute = values[1];
        when.second = values[2];
        when.fraction = values[3];
        when.millisecond = unit == tuHundredths ? values[3] * 10 : unit == tuTenths ? values[3] * 100 : values[3];
    }
    return makeWord(formatDateTime(format, when, true));
}

} // namespace

void registerSystemServices(tLogoTab& table)
{
    registerMain(table, "ignore", 1, true, ignore);
    registerMain(table, ".mem", 0, false, memoryReport);
    registerMain(table, "setoption", 1, false, setoption);
    registerMain(table, "option", 1, false, option);
    registerMain(table, "date", 0, false, date);
    registerMain(table, "time", 0, false, clockTime);
    registerMain(table, "dateWord", 0, true, dateWord);
    registerMain(table, "timeWord", 0, true, timeWord);
    registerMain(table, "timer", 0, true, timer);
    registerMain(table, "resettimer", 0, true, resettimer);
}

} // namespace zembrio
