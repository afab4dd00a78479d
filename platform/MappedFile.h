// A read-only memory view of a whole file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace zembrio {

class tMappedFile {
public:
    // What went wrong, in the order the steps are taken.
    enum tResult {
        mapOk = 0,
        mapOpenFailed = 1,   // the file cannot be opened for reading
        mapCreateFailed = 2, // it is not a regular file, or too large to map
        mapViewFailed = 3,   // the view cannot be mapped
    };

    tMappedFile() = default;
    tMappedFile(const tMappedFile&) = delete;
    tMappedFile& operator=(const tMappedFile&) = delete;
    ~tMappedFile() { close(); }

    // Maps the whole file; an empty file gives an empty view.
    tResult open(const std::string& path);
    void close();

    const uint8_t* data() const { return m_data; }
    size_t size() const { return m_size; }

private:
    const uint8_t* m_data = nullptr;
    size_t m_size = 0;
    bool m_mapped = false;
};

} // namespace zembrio
