#include "shell/ParamsRecord.h"

#include "shell/Exe2MemStream.h"
#include "shell/StartupState.h"

#include <exception>

namespace zembrio {

std::optional<bool> parseParamsRecord(std::span<const uint8_t> record)
{
    if (record.size() < kParamsRecordSize)
        return std::nullopt;
    return record[kParamsSpeechByte] != 0;
}

std::vector<uint8_t> makeParamsRecord(bool speech)
{
    std::vector<uint8_t> record(kParamsRecordSize, 0);
    record[0] = kParamsRecordSize - 4;
    record[kParamsSpeechByte] = speech ? 1 : 0;
    return record;
}

void readParameters()
{
    gStartup.speechEnabled = gStartup.embedded;
    try {
        tExe2MemStream entry(kParamsEntryName);
        if (auto speech = parseParamsRecord(entry.bytes()))
            gStartup.speechEnabled = *speech;
    } catch (const std::exception&) {
        // no record: the defaults stay
    }
}

} // namespace zembrio
