// Standard output as a stream for printed text: the code page becomes UTF-8 and the runtime's CR LF line
// breaks become plain line feeds, as programs on this system expect.
#pragma once

#include "core/Stream.h"

namespace zembrio {

class tStandardOutput : public tStream {
public:
    ~tStandardOutput() override;
    size_t Read(void*, size_t) override { return 0; }
    size_t Write(const void* buffer, size_t count) override;
    int64_t Seek(int64_t, tSeekOrigin) override { return m_written; }
    int64_t Position() const override { return m_written; }
    int64_t Size() const override { return m_written; }
    void SetSize(int64_t) override {}

private:
    int64_t m_written = 0;
    bool m_pendingCarriageReturn = false; // a CR whose LF may come with the next write
};

} // namespace zembrio
