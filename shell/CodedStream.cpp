#include "shell/CodedStream.h"

#include "core/LogoException.h"

#include <exception>
#include <random>
#include <vector>

namespace zembrio {

tcodedstream::tcodedstream(tStream& inner, tCodedMode mode) : m_inner(&inner)
{
    if (mode == tCodedMode::read)
        readSeed();
    else
        writeSeed(static_cast<uint8_t>(std::random_device()() & 0xFF));
}

tcodedstream::tcodedstream(std::unique_ptr<tStream> inner, tCodedMode mode)
    : tcodedstream(*inner, mode)
{
    m_owned = std::move(inner);
}

tcodedstream::tcodedstream(tStream& inner, uint8_t seed) : m_inner(&inner)
{
    writeSeed(seed);
}

// A stream too short or broken for its seed simply decodes with a zero sum: the caller sees the
// failure on the first real read.
void tcodedstream::readSeed()
{
    uint8_t seed = 0;
    Read(&seed, 1);
}

void tcodedstream::writeSeed(uint8_t seed)
{
    Write(&seed, 1);
}

size_t tcodedstream::Read(void* buffer, size_t count)
{
    size_t got = 0;
    try {
        got = m_inner->Read(buffer, count);
    } catch (const std::exception&) {
        return kStreamFailure;
    }
    if (got > count) // a failure reported by a wrapped coded stream
        return kStreamFailure;
    auto* bytes = static_cast<uint8_t*>(buffer);
    for (size_t i = 0; i < got; ++i) {
        const uint8_t c = bytes[i];
        bytes[i] = static_cast<uint8_t>(c - m_readSum);
        m_readSum = static_cast<uint8_t>(m_readSum + c);
    }
    return got;
}

size_t tcodedstream::Write(const void* buffer, size_t count)
{
    const auto* plain = static_cast<const uint8_t*>(buffer);
    std::vector<uint8_t> coded(count);
    uint8_t sum = m_writeSum;
    for (size_t i = 0; i < count; ++i) {
        coded[i] = static_cast<uint8_t>(plain[i] + sum);
        sum = static_cast<uint8_t>(sum + coded[i]);
    }
    size_t stored = 0;
    try {
        stored = m_inner->Write(coded.data(), count);
    } catch (const std::exception&) {
        return kStreamFailure;
    }
    if (stored > count)
        return kStreamFailure;
    // Only the bytes that reached the wrapped stream count towards the sum.
    for (size_t i = 0; i < stored; ++i)
        m_writeSum = static_cast<uint8_t>(m_writeSum + coded[i]);
    return stored;
}

std::string readRemaining(tStream& stream)
{
    std::string text;
    char chunk[16 * 1024];
    for (;;) {
        const size_t got = stream.Read(chunk, sizeof chunk);
        if (got == kStreamFailure || got > sizeof chunk)
            throw eStreamError("Stream read error");
        if (got == 0)
            return text;
        text.append(chunk, got);
    }
}

} // namespace zembrio
