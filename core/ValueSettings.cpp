#include "core/ValueSettings.h"

#include "core/NameTable.h"

namespace zembrio {

tValueSettings gValueSettings;

std::string translateWordText(const std::string& text)
{
    if (text.size() > 1 && text[0] == kInternalMark)
        return Translate(text);
    return text;
}

} // namespace zembrio
