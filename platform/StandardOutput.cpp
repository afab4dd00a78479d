#include "platform/StandardOutput.h"

#include "platform/CodePage.h"

#include <cstdio>

namespace zembrio {

tStandardOutput::~tStandardOutput()
{
    if (m_pendingCarriageReturn)
        std::fputc('\n', stdout);
    std::fflush(stdout);
}

size_t tStandardOutput::Write(const void* buffer, size_t count)
{
    const std::string_view text(static_cast<const char*>(buffer), count);
    std::string lines;
    lines.reserve(count);
    for (char c : text) {
        if (m_pendingCarriageReturn) {
            m_pendingCarriageReturn = false;
            lines += '\n';
            if (c == '\n')
                continue;
        }
        if (c == '\r')
            m_pendingCarriageReturn = true;
        else
            lines += c;
    }
    const std::string utf8 = codePageToUtf8(lines);
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
    std::fflush(stdout);
    m_written += static_cast<int64_t>(count);
    return count;
}

} // namespace zembrio
