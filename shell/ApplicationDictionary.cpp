#include "shell/ApplicationDictionary.h"

#include "shell/BuiltinResources.h"
#include "shell/CodedBuffer.h"
#include "shell/ProjectDictionary.h"

#include <exception>
#include <mutex>
#include <optional>
#include <vector>

namespace zembrio {

namespace {

std::mutex gMutex;
bool gLoaded = false;
std::shared_ptr<const TDTables> gTables;
std::string gLanguage = "english";
std::string gHint = "english";

thread_local bool tFound = false;
// Loading may ask for texts itself (while resolving the project's file, for instance); those find nothing.
thread_local bool tLoading = false;

std::string plainTextOf(std::span<const uint8_t> blob)
{
    std::vector<uint8_t> bytes(blob.begin(), blob.end());
    decodeCodedInPlace(bytes);
    if (!bytes.empty())
        bytes.pop_back();
    return {bytes.begin(), bytes.end()};
}

std::shared_ptr<const TDTables> parseBlob(std::span<const uint8_t> blob)
{
    try {
        return std::make_shared<const TDTables>(parseDictionary(splitLanguageName(plainTextOf(blob)).text));
    } catch (const std::exception&) {
        return nullptr;
    }
}

std::shared_ptr<const TDTables> loadedTables()
{
    if (tLoading)
        return nullptr;
    std::lock_guard lock(gMutex);
    if (!gLoaded) {
        struct tGuard {
            tGuard() { tLoading = true; }
            ~tGuard() { tLoading = false; }
        } guard;
        tApplicationDictionary choice = chooseApplicationDictionary(gHint, builtinApplicationDictionaries());
        gTables = std::move(choice.tables);
        gLanguage = std::move(choice.language);
        gLoaded = true;
    }
    return gTables;
}

void replaceAll(std::string& text, std::string_view what, std::string_view with)
{
    for (size_t pos = text.find(what); pos != std::string::npos; pos = text.find(what, pos + with.size()))
        text.replace(pos, what.size(), with);
}

} // namespace

tApplicationDictionary chooseApplicationDictionary(std::string_view wanted,
                                                   std::span<const std::span<const uint8_t>> blobs)
{
    tApplicationDictionary result;
    result.language = languageName(wanted);
    std::optional<size_t> match;
    for (size_t i = 0; i < blobs.size() && !match; ++i)
        if (lowerAscii(splitLanguageName(plainTextOf(blobs[i])).language) == result.language)
            match = i;
    if (match)
        result.tables = parseBlob(blobs[*match]);
    if (!result.tables && !blobs.empty())
        result.tables = parseBlob(blobs[0]);
    return result;
}

void setApplicationLanguageHint(std::string language)
{
    std::lock_guard lock(gMutex);
    gHint = std::move(language);
}

bool lookupAppText(std::string_view section, std::string_view key, std::string& out)
{
    out.clear();
    const auto tables = loadedTables();
    if (!tables || !tables->lookup(section, key, out))
        return false;
    tFound = true;
    replaceAll(out, "\xB6", "\r\n");
    return true;
}

std::string appText(std::string_view section, std::string_view key)
{
    std::string out;
    lookupAppText(section, key, out);
    return out;
}

bool appTextFound()
{
    return tFound;
}

void clearAppTextFound()
{
    tFound = false;
}

std::string appString(std::string_view key)
{
    return appText("strings", key);
}

std::string appString(std::string_view key, std::string_view arg)
{
    const std::string format = appText("strings", key);
    std::string out;
    bool used = false;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size()) {
            if (format[i + 1] == '%') {
                out += '%';
                ++i;
                continue;
            }
            if (format[i + 1] == 's' && !used) {
                out += arg;
                used = true;
                ++i;
                continue;
            }
        }
        out += format[i];
    }
    return out;
}

std::string appTextInSections(std::span<const std::string> sections, std::string_view key)
{
    clearAppTextFound();
    for (const std::string& section : sections) {
        std::string value = appText(section, key);
        if (!value.empty())
            return value;
    }
    return {};
}

std::string applicationLanguage()
{
    std::lock_guard lock(gMutex);
    return gLanguage;
}

bool isApplicationLanguage(std::string_view name)
{
    return lowerAscii(name) == applicationLanguage();
}

void installApplicationDictionary(tApplicationDictionary dictionary)
{
    std::lock_guard lock(gMutex);
    gTables = std::move(dictionary.tables);
    gLanguage = std::move(dictionary.language);
    gLoaded = true;
}

void forgetApplicationDictionary()
{
    std::lock_guard lock(gMutex);
    gLoaded = false;
    gTables.reset();
    gLanguage = "english";
}

} // namespace zembrio
