#include "shell/ProjectSource.h"

#include "core/LogoException.h"
#include "shell/ExeContainer.h"

#include <cstring>

namespace zembrio {

namespace {

uint32_t readUInt32(std::span<const uint8_t> bytes, size_t at)
{
    return uint32_t(bytes[at]) | uint32_t(bytes[at + 1]) << 8 | uint32_t(bytes[at + 2]) << 16
           | uint32_t(bytes[at + 3]) << 24;
}

bool startsWith(std::span<const uint8_t> bytes, std::string_view prefix)
{
    return bytes.size() >= prefix.size() && std::memcmp(bytes.data(), prefix.data(), prefix.size()) == 0;
}

bool isDigit(uint8_t c)
{
    return c >= '0' && c <= '9';
}

} // namespace

tProjectSource readProjectSource(std::span<const uint8_t> bytes)
{
    tProjectSource source;
    if (startsWith(bytes, kPackageHeader.substr(0, 3)))
        throw eLogoException(erPackage);
    // "LGF" and two digits: below "04" the whole file is text, above "05" it is too new for us.
    const bool lgf = bytes.size() >= 5 && startsWith(bytes, "LGF") && isDigit(bytes[3]) && isDigit(bytes[4]);
    const int version = lgf ? (bytes[3] - '0') * 10 + (bytes[4] - '0') : 0;
    if (!lgf || version < 4) {
        source.language = "*";
        source.text.assign(bytes.begin(), bytes.end());
        return source;
    }
    if (version > 5)
        throw eLogoException(erImageFileVersionPlugin, std::string(".ZBP"));
    source.container = true;
    if (bytes.size() < 9)
        throw eLogoException(erZembrioProject);
    const uint32_t chunks = readUInt32(bytes, 5);
    size_t at = 9;
    bool haveLanguage = false, haveText = false;
    for (uint32_t i = 0; i < chunks && at + 8 <= bytes.size(); ++i) {
        const std::string_view tag(reinterpret_cast<const char*>(bytes.data() + at), 4);
        const uint32_t size = readUInt32(bytes, at + 4);
        at += 8;
        if (size > bytes.size() - at)
            throw eLogoException(erZembrioProject); // a chunk that runs past the file
        const char* data = reinterpret_cast<const char*>(bytes.data() + at);
        if (tag == "LA 1" && !haveLanguage) {
            source.language.assign(data, size);
            haveLanguage = true;
        } else if (tag == "TX 1" && !haveText) {
            source.text.assign(data, size);
            haveText = true;
        }
        at += size;
    }
    if (!haveText)
        throw eLogoException(erZembrioProject);
    return source;
}

} // namespace zembrio
