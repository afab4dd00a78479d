#include "shell/Exe2MemStream.h"

#include "core/LogoException.h"
#include "shell/StartupState.h"

namespace zembrio {

void tExe2MemStream::mapFile(const std::string& path)
{
    switch (m_map.open(path)) {
    case tMappedFile::mapOk: break;
    case tMappedFile::mapOpenFailed: throw eStreamError("exe stream error 1 " + path);
    case tMappedFile::mapCreateFailed: throw eStreamError("exe stream error 2");
    case tMappedFile::mapViewFailed: throw eStreamError("exe stream error 3");
    }
}

tExe2MemStream::tExe2MemStream(tWholeFile, const std::string& path)
{
    mapFile(path);
    setView(m_map.data(), m_map.size());
}

tExe2MemStream::tExe2MemStream() : tExe2MemStream(tWholeFile{}, gStartup.containerPath)
{
}

std::unique_ptr<tExe2MemStream> tExe2MemStream::ofFile(const std::string& path)
{
    return std::unique_ptr<tExe2MemStream>(new tExe2MemStream(tWholeFile{}, path));
}

tExe2MemStream::tExe2MemStream(std::string_view entryName)
{
    const tExeFilerec* found = findContainerEntry(entryName);
    if (!found)
        throw eStreamError("exe stream not found");
    const tExeFilerec entry = *found;
    mapFile(gStartup.containerPath);
    // The file may have changed since its directory was read; never look past the mapping.
    if (entry.offset > m_map.size() || entry.size > m_map.size() - entry.offset)
        throw eStreamError("exe stream not found");
    setView(m_map.data() + entry.offset, entry.size);
}

size_t tExe2MemStream::Write(const void*, size_t)
{
    throw eStreamError("Cannot write to internal stream");
}

} // namespace zembrio
