#include "core/FileStream.h"

#include "core/LogoException.h"

#include <filesystem>
#include <system_error>

namespace zembrio {

std::FILE* tFileStream::openFile(const std::string& path, tFileMode mode)
{
    // A directory opens as a C stream on Linux but cannot be read: refuse it here, as other systems do.
    std::error_code ec;
    if (path.empty() || std::filesystem::is_directory(path, ec))
        return nullptr;
    const char* how = mode == tFileMode::read ? "rb" : mode == tFileMode::create ? "w+b" : "r+b";
    return std::fopen(path.c_str(), how);
}

tFileStream::tFileStream(const std::string& path, tFileMode mode) : m_file(openFile(path, mode)), m_path(path)
{
    if (!m_file)
        throw eStreamError("Cannot open file \"" + path + "\"");
}

std::unique_ptr<tFileStream> tFileStream::tryOpen(const std::string& path, tFileMode mode)
{
    std::FILE* file = openFile(path, mode);
    if (!file)
        return nullptr;
    return std::unique_ptr<tFileStream>(new tFileStream(file, path));
}

tFileStream::~tFileStream()
{
    if (m_file)
        std::fclose(m_file);
}

void tFileStream::switchTo(bool writing)
{
    const tLastOp next = writing ? tLastOp::write : tLastOp::read;
    if (m_last != tLastOp::none && m_last != next)
        std::fseek(m_file, 0, SEEK_CUR);
    m_last = next;
}

size_t tFileStream::Read(void* buffer, size_t count)
{
    if (count == 0)
        return 0;
    switchTo(false);
    return std::fread(buffer, 1, count, m_file);
}

size_t tFileStream::Write(const void* buffer, size_t count)
{
    if (count == 0)
        return 0;
    switchTo(true);
    return std::fwrite(buffer, 1, count, m_file);
}

int64_t tFileStream::Seek(int64_t offset, tSeekOrigin origin)
{
    const int64_t target = seekTarget(Position(), Size(), offset, origin);
    if (std::fseek(m_file, static_cast<long>(target), SEEK_SET) != 0)
        throw eStreamError("Invalid stream position");
    m_last = tLastOp::none;
    return target;
}

int64_t tFileStream::Position() const
{
    return std::ftell(m_file);
}

int64_t tFileStream::Size() const
{
    const long position = std::ftell(m_file);
    std::fseek(m_file, 0, SEEK_END);
    const long size = std::ftell(m_file);
    std::fseek(m_file, position, SEEK_SET);
    m_last = tLastOp::none;
    return size;
}

void tFileStream::SetSize(int64_t size)
{
    if (size < 0)
        throw eStreamError("Invalid stream size");
    std::fflush(m_file);
    std::error_code ec;
    std::filesystem::resize_file(m_path, static_cast<uintmax_t>(size), ec);
    if (ec)
        throw eStreamError("Stream write error");
    if (Position() > size)
        Seek(size, tSeekOrigin::begin);
}

} // namespace zembrio
