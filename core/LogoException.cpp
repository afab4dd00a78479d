#include "core/LogoException.h"

#include "core/ValuePools.h"

namespace zembrio {

// Until dictionaries load messages, the message is the error's identifier: it still names the error.
eLogoException::eLogoException(errorConst number_)
    : message(errorIdentifier(number_)), number(number_)
{
}

eLogoException::eLogoException(errorConst number_, tlogoobject* culprit_)
    : eLogoException(number_)
{
    culprit = culprit_;
}

eLogoException::eLogoException(errorConst number_, const std::string& culpritText)
    : eLogoException(number_)
{
    culprit = makeWord(culpritText);
}

eLogoException::eLogoException(errorConst number_, int32_t first, int32_t second, tlogoobject* culprit_)
    : eLogoException(number_, culprit_)
{
    firstNumber = first;
    secondNumber = second;
}

} // namespace zembrio
