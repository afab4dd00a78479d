#include "runtime/DateFormat.h"

#include <chrono>
#include <ctime>
#include <vector>

namespace zembrio {

namespace {

constexpr const char* kDayNames[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
constexpr const char* kMonthNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                       "July",    "August",   "September", "October", "November", "December"};

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool startsWithNoCase(std::string_view text, size_t at, std::string_view prefix)
{
    if (text.size() - at < prefix.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (lower(text[at + i]) != prefix[i])
            return false;
    return true;
}

std::string padded(int value, int width)
{
    std::string text = std::to_string(value);
    if (static_cast<int>(text.size()) < width)
        text.insert(0, static_cast<size_t>(width) - text.size(), '0');
    return text;
}

enum class tField { literal, day, month, year, hour, minute, second, millisecond, fraction, ampm, ap, ampmWord };

struct tToken {
    tField field;
    int count = 0;     // letters in the run
    std::string text;  // a literal's text
    bool upper = false; // half-day marks follow the case of the format
};

std::vector<tToken> tokenize(std::string_view format)
{
    std::vector<tToken> tokens;
    auto literal = [&](std::string_view text) {
        if (tokens.empty() || tokens.back().field != tField::literal)
            tokens.push_back({tField::literal, 0, {}, false});
        tokens.back().text += text;
    };
    size_t i = 0;
    while (i < format.size()) {
        const char c = format[i];
        const char l = lower(c);
        if (c == '"' || c == '\'') {
            size_t end = format.find(c, i + 1);
            if (end == std::string_view::npos)
                end = format.size();
            literal(format.substr(i + 1, end - i - 1));
            i = end < format.size() ? end + 1 : end;
            continue;
        }
        if (l == 'a') {
            const bool upper = c == 'A';
            if (startsWithNoCase(format, i, "am/pm")) {
                tokens.push_back({tField::ampm, 0, {}, upper});
                i += 5;
            } else if (startsWithNoCase(format, i, "a/p")) {
                tokens.push_back({tField::ap, 0, {}, upper});
                i += 3;
            } else if (startsWithNoCase(format, i, "ampm")) {
                tokens.push_back({tField::ampmWord, 0, {}, true});
                i += 4;
            } else {
                literal(format.substr(i, 1));
                ++i;
            }
            continue;
        }
        tField field = tField::literal;
        switch (l) {
        case 'd': field = tField::day; break;
        case 'm': field = tField::month; break;
        case 'y': field = tField::year; break;
        case 'h': field = tField::hour; break;
        case 'n': field = tField::minute; break;
        case 's': field = tField::second; break;
        case 'z': field = tField::millisecond; break;
        case 'x': field = tField::fraction; break;
        default: break;
        }
        size_t run = 1;
        while (field != tField::literal && i + run < format.size() && lower(format[i + run]) == l)
            ++run;
        // A lone x is a letter: only xx stands for the fraction.
        if (field == tField::literal || (field == tField::fraction && run < 2)) {
            literal(format.substr(i, run));
        } else {
            tokens.push_back({field, static_cast<int>(run), {}, false});
        }
        i += run;
    }
    return tokens;
}

} // namespace

int fractionDigits(tTimeUnit unit)
{
    return unit == tuHundredths ? 2 : unit == tuTenths ? 1 : 3;
}

tDateTime localNow(tTimeUnit unit)
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(time_point_cast<std::chrono::seconds>(now));
    const int64_t ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    tDateTime when;
    when.year = local.tm_year + 1900;
    when.month = local.tm_mon + 1;
    when.day = local.tm_mday;
    when.weekday = local.tm_wday;
    when.hour = local.tm_hour;
    when.minute = local.tm_min;
    when.second = local.tm_sec;
    when.millisecond = static_cast<int>(ms);
    when.fraction = static_cast<int>(millisecondsToTimeUnit(ms, unit));
    when.fractionDigits = fractionDigits(unit);
    return when;
}

bool setDate(tDateTime& when, int year, int month, int day)
{
    using namespace std::chrono;
    if (year < 1 || year > 9999 || month < 1 || day < 1)
        return false;
    const year_month_day date{std::chrono::year(year), std::chrono::month(static_cast<unsigned>(month)),
                              std::chrono::day(static_cast<unsigned>(day))};
    if (!date.ok())
        return false;
    when.year = year;
    when.month = month;
    when.day = day;
    when.weekday = static_cast<int>(weekday(sys_days(date)).c_encoding());
    return true;
}

std::string formatDateTime(std::string_view format, const tDateTime& when, bool minutesForM)
{
    const std::vector<tToken> tokens = tokenize(format);
    bool twelveHours = false;
    for (const tToken& t : tokens)
        twelveHours |= t.field == tField::ampm || t.field == tField::ap || t.field == tField::ampmWord;
    const bool afternoon = when.hour % 24 >= 12;

    std::string out;
    bool afterHour = false;
    for (const tToken& t : tokens) {
        switch (t.field) {
        case tField::literal:
            out += t.text;
            continue; // "hh:mm": a separator keeps m as minutes
        case tField::day:
            if (t.count <= 2)
                out += padded(when.day, t.count);
            else
                out += std::string(kDayNames[when.weekday % 7]).substr(0, t.count == 3 ? 3 : std::string::npos);
            break;
        case tField::month:
            if (t.count <= 2 && (minutesForM || afterHour))
                out += padded(when.minute, t.count);
            else if (t.count <= 2)
                out += padded(when.month, t.count);
            else
                out += std::string(kMonthNames[(when.month + 11) % 12]).substr(0, t.count == 3 ? 3 : std::string::npos);
            break;
        case tField::year:
            out += t.count <= 2 ? padded(when.year % 100, 2) : padded(when.year, 4);
            break;
        case tField::hour: {
            int hour = when.hour;
            if (twelveHours) {
                hour %= 12;
                if (hour == 0)
                    hour = 12;
            }
            out += padded(hour, t.count >= 2 ? 2 : 1);
            break;
        }
        case tField::minute:
            out += padded(when.minute, t.count >= 2 ? 2 : 1);
            break;
        case tField::second:
            out += padded(when.second, t.count >= 2 ? 2 : 1);
            break;
        case tField::millisecond:
            out += padded(when.millisecond, t.count >= 3 ? 3 : 1);
            break;
        case tField::fraction:
            out += padded(when.fraction, when.fractionDigits);
            break;
        case tField::ampm:
            out += afternoon ? (t.upper ? "PM" : "pm") : (t.upper ? "AM" : "am");
            break;
        case tField::ap:
            out += afternoon ? (t.upper ? "P" : "p") : (t.upper ? "A" : "a");
            break;
        case tField::ampmWord:
            out += afternoon ? "PM" : "AM";
            break;
        }
        afterHour = t.field == tField::hour;
    }
    return out;
}

} // namespace zembrio
