#include "core/LogoException.h"
#include "core/LogoRandom.h"
#include "core/LogoValues.h"
#include "core/NameCompare.h"
#include "core/NumberText.h"
#include "core/ValueCompare.h"
#include "core/ValueConvert.h"
#include "core/ValuePools.h"
#include "core/ValueSettings.h"

#include <cmath>
#include <string_view>

namespace zembrio {

namespace {

bool equalsOneOf(const std::string& text, const std::vector<std::string>& words)
{
    for (const std::string& w : words)
        if (sameName(text, w))
            return true;
    return false;
}


bool isOperatorChar(char c)
{
    return std::string_view("*+-/()<>=;").find(c) != std::string_view::npos;
}

} // namespace

tLogoString::tLogoString(std::string text) : m_text(std::move(text))
{
    valueClass = kClass;
    InitMethodTable();
}

void tLogoString::setText(std::string text)
{
    m_text = std::move(text);
    clearCaches();
}

void tLogoString::assignText(std::string_view text)
{
    m_text.assign(text);
    clearCaches();
}

void tLogoString::clearText(size_t keepBytes)
{
    if (m_text.capacity() > keepBytes)
        std::string().swap(m_text);
    else
        m_text.clear();
    clearCaches();
}

void tLogoString::clearCaches()
{
    clearWordCaches();
    m_parsed = m_isNumber = m_isInteger = m_boolChecked = m_isBool = m_boolValue = false;
    m_realValue = 0;
    m_intValue = 0;
}

void tLogoString::FreeValue()
{
    if (!returnWordToPool(this))
        delete this;
}

tlogoobject* tLogoString::Clone()
{
    return makeWord(m_text);
}

void tLogoString::parse()
{
    m_parsed = true;
    if (parseInt32(m_text, m_intValue)) {
        m_isNumber = m_isInteger = true;
        m_realValue = m_intValue;
        return;
    }
    m_isNumber = parseReal(m_text, gValueSettings.decimalSeparator, m_realValue);
}

bool tLogoString::IsAnyWord()
{
    return equalsOneOf(m_text, gValueSettings.anyWords);
}

bool tLogoString::IsNumber()
{
    if (!m_parsed)
        parse();
    return m_isNumber;
}

bool tLogoString::IsBool()
{
    if (!m_boolChecked) {
        m_boolChecked = true;
        if (equalsOneOf(m_text, gValueSettings.trueWords))
            m_isBool = m_boolValue = true;
        else if (equalsOneOf(m_text, gValueSettings.falseWords))
            m_isBool = true;
    }
    return m_isBool;
}

bool tLogoString::IsInteger()
{
    return isIntegerText();
}

int32_t tLogoString::AsIntegerInRange(int32_t min, int32_t max)
{
    if (!IsNumber() && IsAnyWord())
        return randomRange(min, max);
    const int32_t v = AsInteger();
    if (v < min || v > max)
        throw eLogoException(erMinMax, min, max, this);
    return v;
}

int32_t tLogoString::AsInteger()
{
    if (IsNumber())
        return m_isInteger ? m_intValue : roundRealToInt(m_realValue, this);
    if (IsAnyWord())
        return randomRange(1, 100);
    throw eLogoException(erExpectNumber, this);
}

long double tLogoString::AsReal()
{
    if (IsNumber())
        return m_realValue;
    if (IsAnyWord())
        return randomRange(1, 100);
    throw eLogoException(erExpectNumber, this);
}

bool tLogoString::AsBool()
{
    if (IsNumber()) {
        if (m_isInteger)
            return m_intValue > 0;
        if (m_realValue <= 0)
            return false;
        return m_realValue >= 1 || randomUnit() <= static_cast<double>(m_realValue);
    }
    if (IsBool())
        return m_boolValue;
    if (IsAnyWord())
        return randomRange(0, 1) == 1;
    throw eLogoException(erNotBool, this);
}

void tLogoString::PrintForm(bool, std::string& out)
{
    // A lone carriage return is a line break; give it its line feed.
    for (size_t i = 0; i < m_text.size(); ++i) {
        out += m_text[i];
        if (m_text[i] == '\r' && (i + 1 == m_text.size() || m_text[i + 1] != '\n'))
            out += '\n';
    }
}

// The quoting algorithm: text that the reader reads back as this very word.
void tLogoString::SourceForm(bool, std::string& out)
{
    const std::string& t = m_text;
    if (t.empty()) {
        out += "||";
        return;
    }
    if (t == "<>" || t == "<=" || t == ">=") {
        out += t;
        return;
    }
    const char lineBreak = gValueSettings.lineBreakChar;
    const bool startsQuoted = t[0] == '"';
    std::string escaped;  // backslash form
    std::string plain;    // unescaped characters, for the bar form
    escaped.reserve(t.size() + 8);
    bool barsPossible = true;
    bool needsQuoting = false;
    for (size_t i = 0; i < t.size(); ++i) {
        const char c = t[i];
        const unsigned char u = static_cast<unsigned char>(c);
        const bool afterLeadingQuote = startsQuoted && i == 1;
        if (c == ' ' || c == '[' || c == ']' || c == '\\') {
            escaped += '\\';
            escaped += c;
            plain += c;
            needsQuoting = true;
        } else if (c == lineBreak || c == '|') {
            escaped += '\\';
            escaped += c;
            plain += c;
            barsPossible = false;
        } else if (c == '"' && i != 0 && !afterLeadingQuote) {
            escaped += "\\\"";
            plain += c;
            needsQuoting = true;
        } else if (isOperatorChar(c) && t.size() > 1 && !afterLeadingQuote) {
            escaped += '\\';
            escaped += c;
            plain += c;
            needsQuoting = true;
        } else if (c == '\n' || c == '\r') {
            if (c == '\r' && i + 1 < t.size() && t[i + 1] == '\n')
                ++i;
            escaped += lineBreak;
            plain += lineBreak;
        } else if (u < 32) {
            const bool last = i + 1 == t.size();
            if (last && barsPossible && needsQuoting) {
                // Bars cannot hold a control character: close them before its code.
                out += '|';
                out += plain;
                out += "|\\";
                appendInt(u, out);
                return;
            }
            escaped += '\\';
            appendInt(u, escaped);
            if (!last)
                escaped += '.';
            barsPossible = false;
        } else {
            escaped += c;
            plain += c;
        }
    }
    if (!(barsPossible && needsQuoting)) {
        out += escaped;
        return;
    }
    if (startsQuoted) {
        out += "\"|";
        out.append(plain, 1);
    } else {
        out += '|';
        out += plain;
    }
    out += '|';
}

bool tLogoString::IsEqual(tlogoobject* other)
{
    if (other == this)
        return true;
    if (!other || !other->IsWord())
        return false;
    if (valueCast<tLogoBool>(other))
        return other->IsEqual(this);
    return wordsEqual(this, other);
}

bool tLogoString::IsEqualExact(tlogoobject* other)
{
    if (auto* s = valueCast<tLogoString>(other))
        return s->m_text == m_text;
    return IsEqual(other);
}

bool tLogoString::AssignInPlace(tlogoobject* other)
{
    if (other == this)
        return true;
    auto* s = valueCast<tLogoString>(other);
    if (refCount != 1 || !s || !s->pooled)
        return false;
    assignText(s->m_text); // into the buffer this word already has
    return true;
}

} // namespace zembrio
