#include "platform/MessageDialog.h"

#include <cstdio>

namespace zembrio {

int messageDialog(const std::string& caption, const std::string& text, unsigned style)
{
    (void)style;
    std::string line = caption.empty() ? text : caption + ": " + text;
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
    return kIdOk;
}

} // namespace zembrio
