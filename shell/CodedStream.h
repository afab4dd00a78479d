// A stream that codes the bytes passing through it into another stream. Dictionaries and compiled-in
// resources are kept coded so that they are not plain text in the executable or beside a project.
#pragma once

#include "core/Stream.h"

#include <cstdint>
#include <memory>
#include <string>

namespace zembrio {

enum class tCodedMode { read, write };

// What Read and Write answer when the wrapped stream fails.
inline constexpr size_t kStreamFailure = static_cast<size_t>(-1);

// Each direction keeps a running sum of the stored bytes, so reading must proceed from the start of the
// coded data: seeking passes straight to the wrapped stream and leaves the sums alone.
class tcodedstream final : public tStream {
public:
    // Reading consumes the seed byte at once; writing stores a random seed byte.
    tcodedstream(tStream& inner, tCodedMode mode);
    tcodedstream(std::unique_ptr<tStream> inner, tCodedMode mode);
    // Writing with a chosen seed, for output that must come out the same every time.
    tcodedstream(tStream& inner, uint8_t seed);

    // Both answer kStreamFailure, with the sums untouched, when the wrapped stream fails.
    size_t Read(void* buffer, size_t count) override;
    size_t Write(const void* buffer, size_t count) override;
    int64_t Seek(int64_t offset, tSeekOrigin origin) override { return m_inner->Seek(offset, origin); }
    int64_t Position() const override { return m_inner->Position(); }
    int64_t Size() const override { return m_inner->Size(); }
    void SetSize(int64_t size) override { m_inner->SetSize(size); }

private:
    void readSeed();
    void writeSeed(uint8_t seed);

    std::unique_ptr<tStream> m_owned;
    tStream* m_inner;
    uint8_t m_readSum = 0;
    uint8_t m_writeSum = 0;
};

// Everything from the stream's position to its end; eStreamError("Stream read error") when it fails.
std::string readRemaining(tStream& stream);

} // namespace zembrio
