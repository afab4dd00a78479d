#include "platform/MessageDialog.h"

#include "platform/CodePage.h"

#include <cstdio>

namespace zembrio {

int messageDialog(const std::string& caption, const std::string& text, unsigned style)
{
    (void)style;
    // The runtime's texts are in its code page with CR LF line ends; the terminal wants UTF-8 lines.
    std::string line;
    for (char c : codePageToUtf8(caption.empty() ? text : caption + ": " + text))
        if (c != '\r')
            line += c;
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
    return kIdOk;
}

} // namespace zembrio
