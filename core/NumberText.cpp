#include "core/NumberText.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace zembrio {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Lays out `digits` significant digits of value in the runtime's notation: fixed for exponents from -4
// to digits - 1, otherwise mantissa "E" exponent; trailing zeros and a bare decimal point dropped.
void layoutReal(long double value, int digits, char decimalSeparator, std::string& out)
{
    if (value == 0 || !std::isfinite(value)) {
        // A computed zero prints "0" (no "-0" either); non-finite values never reach Logo code.
        if (value == 0)
            out += '0';
        else
            out += std::isnan(value) ? "NAN" : (value < 0 ? "-INF" : "INF");
        return;
    }
    // Scientific text with `digits` significant digits: [-]d.dddde[+-]xx; rounding decides the exponent.
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, digits - 1);
    std::string_view sci(buf, static_cast<size_t>(res.ptr - buf));
    const size_t e = sci.find('e');
    int exponent = 0;
    std::from_chars(sci.data() + e + 1 + (sci[e + 1] == '+'), sci.data() + sci.size(), exponent);
    std::string mantissa; // the significant digits alone
    for (char c : sci.substr(0, e))
        if (isDigit(c))
            mantissa += c;
    while (mantissa.size() > 1 && mantissa.back() == '0')
        mantissa.pop_back();

    if (value < 0)
        out += '-';
    if (exponent >= -4 && exponent < digits) {
        if (exponent < 0) {
            out += '0';
            out += decimalSeparator;
            out.append(static_cast<size_t>(-exponent - 1), '0');
            out += mantissa;
        } else {
            const size_t whole = static_cast<size_t>(exponent) + 1;
            if (mantissa.size() <= whole) {
                out += mantissa;
                out.append(whole - mantissa.size(), '0');
            } else {
                out.append(mantissa, 0, whole);
                out += decimalSeparator;
                out.append(mantissa, whole);
            }
        }
        return;
    }
    out += mantissa[0];
    if (mantissa.size() > 1) {
        out += decimalSeparator;
        out.append(mantissa, 1);
    }
    out += 'E';
    char exp[16];
    auto er = std::to_chars(exp, exp + sizeof exp, exponent);
    out.append(exp, er.ptr);
}

} // namespace

bool parseInt32(std::string_view text, int32_t& value)
{
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    if (i == text.size())
        return false;
    int64_t v = 0;
    for (; i < text.size(); ++i) {
        if (!isDigit(text[i]))
            return false;
        v = v * 10 + (text[i] - '0');
        if (v > int64_t(std::numeric_limits<int32_t>::max()) + 1)
            return false;
    }
    if (negative)
        v = -v;
    if (v > std::numeric_limits<int32_t>::max())
        return false;
    value = static_cast<int32_t>(v);
    return true;
}

bool parseReal(std::string_view text, char decimalSeparator, long double& value)
{
    // Check the shape first: from_chars would also take "inf", "nan" and hexadecimal forms.
    std::string plain;
    plain.reserve(text.size());
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    int mantissaDigits = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (isDigit(c)) {
            ++mantissaDigits;
            plain += c;
        } else if ((c == '.' || c == decimalSeparator) && !point) {
            point = true;
            plain += '.';
        } else {
            break;
        }
    }
    if (mantissaDigits == 0)
        return false;
    if (i < text.size()) {
        if (text[i] != 'e' && text[i] != 'E')
            return false;
        plain += 'e';
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            plain += text[i++];
        if (i == text.size())
            return false;
        for (; i < text.size(); ++i) {
            if (!isDigit(text[i]))
                return false;
            plain += text[i];
        }
    }
    long double v = 0;
    auto res = std::from_chars(plain.data(), plain.data() + plain.size(), v);
    if (res.ec != std::errc() || res.ptr != plain.data() + plain.size())
        return false;
    value = negative ? -v : v;
    return true;
}

void appendInt(int32_t value, std::string& out)
{
    char buf[16];
    auto res = std::to_chars(buf, buf + sizeof buf, value);
    out.append(buf, res.ptr);
}

void appendRealPrintForm(long double value, char decimalSeparator, std::string& out)
{
    layoutReal(value, 6, decimalSeparator, out);
}

void appendRealSourceForm(long double value, char decimalSeparator, std::string& out)
{
    // The shortest form of at least 6 digits that reads back exactly; 21 digits always do for 80-bit reals.
    for (int digits = 6; digits <= std::numeric_limits<long double>::max_digits10; ++digits) {
        std::string text;
        layoutReal(value, digits, decimalSeparator, text);
        long double back = 0;
        if (!std::isfinite(value) || (parseReal(text, decimalSeparator, back) && back == value)
            || digits == std::numeric_limits<long double>::max_digits10) {
            out += text;
            return;
        }
    }
}

} // namespace zembrio
