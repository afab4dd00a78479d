// A stream over a disk file.
#pragma once

#include "core/Stream.h"

#include <cstdio>
#include <memory>
#include <string>

namespace zembrio {

enum class tFileMode {
    read,      // existing file, read only
    create,    // new or truncated file, read and write
    readWrite, // existing file, read and write
};

class tFileStream final : public tStream {
public:
    // Throws eStreamError("Cannot open file \"" + path + "\"") when the file cannot be opened.
    tFileStream(const std::string& path, tFileMode mode);
    // The same without the exception: null when the file cannot be opened.
    static std::unique_ptr<tFileStream> tryOpen(const std::string& path, tFileMode mode);
    ~tFileStream() override;

    size_t Read(void* buffer, size_t count) override;
    size_t Write(const void* buffer, size_t count) override;
    int64_t Seek(int64_t offset, tSeekOrigin origin) override;
    int64_t Position() const override;
    int64_t Size() const override;
    void SetSize(int64_t size) override;

    const std::string& path() const { return m_path; }

private:
    tFileStream(std::FILE* file, std::string path) : m_file(file), m_path(std::move(path)) {}
    static std::FILE* openFile(const std::string& path, tFileMode mode);
    // C streams need a seek between a read and a following write (and the other way round).
    void switchTo(bool writing);

    std::FILE* m_file = nullptr;
    std::string m_path;
    enum class tLastOp { none, read, write };
    mutable tLastOp m_last = tLastOp::none;
};

} // namespace zembrio
