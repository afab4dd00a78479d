// Any bytes as the tail of a container file: the directory parser must answer or refuse, never read
// outside the bytes; the parameters record likewise.
#include "shell/ExeContainer.h"
#include "shell/ParamsRecord.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace zembrio;
    const std::span<const uint8_t> file(data, size);
    if (auto directory = parseContainerDirectory(file)) {
        uint64_t end = 0;
        for (const auto& entry : *directory) {
            // Entries lie inside the file, one after another.
            if (entry.offset + entry.size > size || (end && entry.offset != end))
                std::abort();
            end = entry.offset + entry.size;
            if (findEntry(*directory, entry.name) == nullptr)
                std::abort();
            (void)parseParamsRecord(file.subspan(entry.offset, entry.size));
        }
    }
    (void)parseParamsRecord(file);
    return 0;
}
