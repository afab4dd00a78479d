#include "core/Stream.h"

#include "core/LogoException.h"

#include <algorithm>
#include <cstring>

namespace zembrio {

void tStream::ReadBuffer(void* buffer, size_t count)
{
    if (Read(buffer, count) != count)
        throw eStreamError("Stream read error");
}

void tStream::WriteBuffer(const void* buffer, size_t count)
{
    if (Write(buffer, count) != count)
        throw eStreamError("Stream write error");
}

uint32_t tStream::ReadUInt32()
{
    uint8_t b[4];
    ReadBuffer(b, sizeof b);
    return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
}

void tStream::WriteUInt32(uint32_t value)
{
    const uint8_t b[4] = {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16), uint8_t(value >> 24)};
    WriteBuffer(b, sizeof b);
}

void tStream::CopyFrom(tStream& source, int64_t count)
{
    uint8_t chunk[64 * 1024];
    while (count > 0) {
        const size_t n = static_cast<size_t>(std::min<int64_t>(count, sizeof chunk));
        source.ReadBuffer(chunk, n);
        WriteBuffer(chunk, n);
        count -= static_cast<int64_t>(n);
    }
}

int64_t seekTarget(int64_t position, int64_t size, int64_t offset, tSeekOrigin origin)
{
    int64_t base = 0;
    switch (origin) {
    case tSeekOrigin::begin: base = 0; break;
    case tSeekOrigin::current: base = position; break;
    case tSeekOrigin::end: base = size; break;
    }
    int64_t target = 0;
    if (__builtin_add_overflow(base, offset, &target) || target < 0)
        throw eStreamError("Invalid stream position");
    return target;
}

void tMemoryView::setView(const void* data, size_t size)
{
    m_data = static_cast<const uint8_t*>(data);
    m_size = size;
    m_position = 0;
}

size_t tMemoryView::Read(void* buffer, size_t count)
{
    const int64_t size = Size();
    if (m_position >= size)
        return 0;
    const size_t n = std::min(count, static_cast<size_t>(size - m_position));
    if (n)
        std::memcpy(buffer, m_data + m_position, n);
    m_position += static_cast<int64_t>(n);
    return n;
}

size_t tMemoryView::Write(const void*, size_t)
{
    throw eStreamError("Cannot write to read-only stream");
}

int64_t tMemoryView::Seek(int64_t offset, tSeekOrigin origin)
{
    m_position = seekTarget(m_position, Size(), offset, origin);
    return m_position;
}

size_t tMemoryStream::Read(void* buffer, size_t count)
{
    const int64_t size = Size();
    if (m_position >= size)
        return 0;
    const size_t n = std::min(count, static_cast<size_t>(size - m_position));
    if (n)
        std::memcpy(buffer, m_bytes.data() + m_position, n);
    m_position += static_cast<int64_t>(n);
    return n;
}

size_t tMemoryStream::Write(const void* buffer, size_t count)
{
    if (count == 0)
        return 0;
    const size_t start = static_cast<size_t>(m_position);
    if (count > m_bytes.max_size() || start > m_bytes.max_size() - count)
        throw eStreamError("Stream write error");
    if (m_bytes.size() < start + count)
        m_bytes.resize(start + count); // a gap after a seek past the end reads as zeros
    std::memcpy(m_bytes.data() + start, buffer, count);
    m_position += static_cast<int64_t>(count);
    return count;
}

int64_t tMemoryStream::Seek(int64_t offset, tSeekOrigin origin)
{
    m_position = seekTarget(m_position, Size(), offset, origin);
    return m_position;
}

void tMemoryStream::SetSize(int64_t size)
{
    if (size < 0)
        throw eStreamError("Invalid stream size");
    m_bytes.resize(static_cast<size_t>(size));
    m_position = std::min(m_position, size);
}

} // namespace zembrio
