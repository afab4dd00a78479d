// A read-only stream over the container file or one of its entries. Each stream maps the file
// itself, so processes can read entries concurrently without sharing state.
#pragma once

#include "core/Stream.h"
#include "platform/MappedFile.h"

#include <memory>
#include <string>
#include <string_view>

namespace zembrio {

class tExe2MemStream final : public tMemoryView {
public:
    // The whole container file named by the start-up state.
    tExe2MemStream();
    // One entry of the opened container, at position 0. Without an opened container or without
    // such an entry: eStreamError("exe stream not found").
    explicit tExe2MemStream(std::string_view entryName);
    // The whole of the file at path.
    static std::unique_ptr<tExe2MemStream> ofFile(const std::string& path);

    // Container bytes are read-only: eStreamError("Cannot write to internal stream").
    size_t Write(const void* buffer, size_t count) override;

private:
    struct tWholeFile {};
    tExe2MemStream(tWholeFile, const std::string& path);
    // Maps the file; failures are eStreamError "exe stream error 1 " + path, "… 2", "… 3".
    void mapFile(const std::string& path);

    tMappedFile m_map;
};

} // namespace zembrio
