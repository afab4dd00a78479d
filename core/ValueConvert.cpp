#include "core/ValueConvert.h"

#include "core/LogoValues.h"

#include "core/LogoException.h"

#include <cmath>

namespace zembrio {

int32_t roundRealToInt(long double value, tlogoobject* culprit)
{
    const double x = static_cast<double>(value);
    const double r = x >= 0 ? std::trunc(x + 0.5) : std::trunc(x - 0.5);
    if (!(r >= -2147483648.0 && r <= 2147483647.0))
        throw eLogoException(erMinMax, INT32_MIN, INT32_MAX, culprit);
    return static_cast<int32_t>(r);
}

tWordText::tWordText(tlogoobject* word)
{
    if (auto* s = valueCast<tLogoString>(word)) {
        m_view = s->text();
        return;
    }
    word->AsText(m_printed);
    m_view = m_printed;
}

} // namespace zembrio
