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

namespace zembrio {

// --- tlogonumber: the printed text, computed once or kept from the source ---

void tlogonumber::setSourceText(std::string_view text)
{
    m_text.assign(text);
    m_textValid = true;
    m_fromSource = true;
}

const std::string& tlogonumber::cachedText()
{
    if (!m_textValid) {
        m_text.clear();
        makeText(m_text);
        m_textValid = true;
    }
    return m_text;
}

void tlogonumber::PrintForm(bool, std::string& out)
{
    out += cachedText();
}

void tlogonumber::SourceForm(bool inList, std::string& out)
{
    PrintForm(inList, out);
}

void tlogonumber::AsText(std::string& out)
{
    out = cachedText();
}

namespace {

bool isWordButNotBool(tlogoobject* other)
{
    return other && other->IsWord() && !valueCast<tLogoBool>(other);
}

template <class T>
bool copyIfFreshTemporary(T* self, tlogoobject* other)
{
    if (other == self)
        return true;
    auto* fresh = valueCast<T>(other);
    if (self->refCount != 1 || !fresh || !fresh->pooled)
        return false;
    self->reset(fresh->value());
    return true;
}


} // namespace

// --- tLogoInt ---

void tLogoInt::FreeValue()
{
    if (!returnIntToPool(this))
        delete this;
}

tlogoobject* tLogoInt::Clone()
{
    return makeInt(m_value);
}

int32_t tLogoInt::AsIntegerInRange(int32_t min, int32_t max)
{
    if (m_value < min || m_value > max)
        throw eLogoException(erMinMax, min, max, this);
    return m_value;
}

bool tLogoInt::IsEqual(tlogoobject* other)
{
    if (auto* i = valueCast<tLogoInt>(other)) // the common case, as the general comparison would answer
        return i->m_value == m_value;
    return other == this || (isWordButNotBool(other) && wordsEqual(this, other));
}

bool tLogoInt::AssignInPlace(tlogoobject* other)
{
    return copyIfFreshTemporary(this, other);
}

void tLogoInt::makeText(std::string& out)
{
    appendInt(m_value, out);
}

// --- tLogoReal ---

void tLogoReal::FreeValue()
{
    if (!returnRealToPool(this))
        delete this;
}

tlogoobject* tLogoReal::Clone()
{
    return makeReal(m_value);
}

bool tLogoReal::IsInteger()
{
    return std::isfinite(m_value) && m_value == std::trunc(m_value);
}

int32_t tLogoReal::AsIntegerInRange(int32_t min, int32_t max)
{
    const int32_t v = AsInteger();
    if (v < min || v > max)
        throw eLogoException(erMinMax, min, max, this);
    return v;
}

int32_t tLogoReal::AsInteger()
{
    return roundRealToInt(m_value, this);
}

bool tLogoReal::AsBool()
{
    if (m_value <= 0)
        return false;
    return m_value >= 1 || randomUnit() <= static_cast<double>(m_value);
}

void tLogoReal::SourceForm(bool inList, std::string& out)
{
    // A computed real must read back as the same value, so it gets every digit it needs.
    if (hasSourceText())
        PrintForm(inList, out);
    else
        appendRealSourceForm(m_value, gValueSettings.decimalSeparator, out);
}

bool tLogoReal::IsEqual(tlogoobject* other)
{
    return other == this || (isWordButNotBool(other) && wordsEqual(this, other));
}

bool tLogoReal::AssignInPlace(tlogoobject* other)
{
    return copyIfFreshTemporary(this, other);
}

void tLogoReal::makeText(std::string& out)
{
    appendRealPrintForm(m_value, gValueSettings.decimalSeparator, out);
}

// --- tLogoBool ---

void tLogoBool::FreeValue()
{
    if (!returnBoolToPool(this))
        delete this;
}

tlogoobject* tLogoBool::Clone()
{
    return makeBool(m_value);
}

void tLogoBool::PrintForm(bool, std::string& out)
{
    std::string text;
    AsText(text);
    out += text;
}

void tLogoBool::SourceForm(bool inList, std::string& out)
{
    PrintForm(inList, out);
}

void tLogoBool::AsText(std::string& out)
{
    // Not cached: the "ansi" option and the language's words may change while the value lives.
    if (hasSourceText())
        tlogonumber::AsText(out);
    else
        makeText(out);
    if (gValueSettings.ansiOutput)
        out = stripAccents(out);
}

bool tLogoBool::IsEqual(tlogoobject* other)
{
    return other == this || (other && other->IsBool() && other->AsBool() == m_value);
}

bool tLogoBool::AssignInPlace(tlogoobject* other)
{
    return copyIfFreshTemporary(this, other);
}

void tLogoBool::makeText(std::string& out)
{
    const auto& words = m_value ? gValueSettings.trueWords : gValueSettings.falseWords;
    out = words.empty() ? std::string(m_value ? "true" : "false") : words.front();
}

} // namespace zembrio
