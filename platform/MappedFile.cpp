#include "platform/MappedFile.h"

#include <cstdint>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zembrio {

tMappedFile::tResult tMappedFile::open(const std::string& path)
{
    close();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return mapOpenFailed;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 0
        || static_cast<uint64_t>(info.st_size) > SIZE_MAX) {
        ::close(fd);
        return mapCreateFailed;
    }
    const size_t size = static_cast<size_t>(info.st_size);
    if (size == 0) { // mmap refuses a zero length; an empty view is what the caller wants
        ::close(fd);
        return mapOk;
    }
    void* view = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    ::close(fd); // the mapping keeps the file alive by itself
    if (view == MAP_FAILED)
        return mapViewFailed;
    m_data = static_cast<const uint8_t*>(view);
    m_size = size;
    m_mapped = true;
    return mapOk;
}

void tMappedFile::close()
{
    if (m_mapped)
        ::munmap(const_cast<uint8_t*>(m_data), m_size);
    m_data = nullptr;
    m_size = 0;
    m_mapped = false;
}

} // namespace zembrio
