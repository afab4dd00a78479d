#include "core/ValueSettings.h"

namespace zembrio {

tValueSettings gValueSettings;

std::string translateWordText(const std::string& text)
{
    constexpr char kInternalMark = '\xB7';
    if (gValueSettings.translate && text.size() > 1 && text[0] == kInternalMark)
        return gValueSettings.translate(text);
    return text;
}

} // namespace zembrio
