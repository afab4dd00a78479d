// Byte streams: one interface for memory blocks, files and container entries, so that loaders
// never care where their bytes come from.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace zembrio {

enum class tSeekOrigin { begin, current, end };

class tStream {
public:
    tStream() = default;
    tStream(const tStream&) = delete;
    tStream& operator=(const tStream&) = delete;
    virtual ~tStream() = default;

    // Up to count bytes from the position; returns how many were read (0 at or past the end).
    virtual size_t Read(void* buffer, size_t count) = 0;
    // Returns how many bytes were written.
    virtual size_t Write(const void* buffer, size_t count) = 0;
    // Moves the position and returns it. A position before the start is an eStreamError;
    // one past the end is allowed (reads then return 0).
    virtual int64_t Seek(int64_t offset, tSeekOrigin origin) = 0;
    virtual int64_t Position() const = 0;
    virtual int64_t Size() const = 0;
    virtual void SetSize(int64_t size) = 0;

    void SetPosition(int64_t position) { Seek(position, tSeekOrigin::begin); }

    // Exactly count bytes, or eStreamError("Stream read error") / ("Stream write error").
    void ReadBuffer(void* buffer, size_t count);
    void WriteBuffer(const void* buffer, size_t count);
    uint32_t ReadUInt32(); // little-endian
    void WriteUInt32(uint32_t value);
    // Copies count bytes from source's position to this stream's position.
    void CopyFrom(tStream& source, int64_t count);
};

// Shared by the memory streams: the position after a seek, checked for overflow and a negative result.
int64_t seekTarget(int64_t position, int64_t size, int64_t offset, tSeekOrigin origin);

// A read-only view of bytes that someone else owns.
class tMemoryView : public tStream {
public:
    tMemoryView() = default;
    tMemoryView(const void* data, size_t size) { setView(data, size); }

    size_t Read(void* buffer, size_t count) override;
    // The bytes belong to someone else: writing is an eStreamError.
    size_t Write(const void* buffer, size_t count) override;
    int64_t Seek(int64_t offset, tSeekOrigin origin) override;
    int64_t Position() const override { return m_position; }
    int64_t Size() const override { return static_cast<int64_t>(m_size); }
    void SetSize(int64_t) override {} // the view's extent is fixed

    const uint8_t* data() const { return m_data; }
    std::span<const uint8_t> bytes() const { return {m_data, m_size}; }

protected:
    void setView(const void* data, size_t size);

private:
    const uint8_t* m_data = nullptr;
    size_t m_size = 0;
    int64_t m_position = 0;
};

// A growable stream that owns its bytes.
class tMemoryStream : public tStream {
public:
    tMemoryStream() = default;
    explicit tMemoryStream(std::vector<uint8_t> bytes) : m_bytes(std::move(bytes)) {}

    size_t Read(void* buffer, size_t count) override;
    size_t Write(const void* buffer, size_t count) override;
    int64_t Seek(int64_t offset, tSeekOrigin origin) override;
    int64_t Position() const override { return m_position; }
    int64_t Size() const override { return static_cast<int64_t>(m_bytes.size()); }
    void SetSize(int64_t size) override;

    const std::vector<uint8_t>& bytes() const { return m_bytes; }
    std::vector<uint8_t>& bytes() { return m_bytes; }

private:
    std::vector<uint8_t> m_bytes;
    int64_t m_position = 0;
};

} // namespace zembrio
