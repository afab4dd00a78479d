// Any bytes as a coded dictionary: both decodings agree, the parsed tables keep their order, every entry
// is found again, and the lookups built on the tables answer without failing, as project and as
// application dictionary.
#include "core/DictionaryLookup.h"
#include "core/NameTable.h"
#include "shell/ApplicationDictionary.h"
#include "shell/CodedBuffer.h"
#include "shell/CodedStream.h"
#include "shell/DictionaryWords.h"
#include "shell/ProjectDictionary.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

using namespace zembrio;

void checkTables(const TDTables& tables)
{
    const auto& sections = tables.sections;
    if (!std::is_sorted(sections.begin(), sections.end(),
                        [](const TDTable& a, const TDTable& b) { return a.name < b.name; }))
        std::abort();
    for (size_t i = 0; i < sections.size(); ++i) {
        const TDTable& t = sections[i];
        if (t.name != lowerAscii(t.name))
            std::abort();
        if (!std::is_sorted(t.pairs.begin(), t.pairs.end(),
                            [](const auto& a, const auto& b) { return a.first < b.first; }))
            std::abort();
        // Of several sections with one name, lookups use the last.
        const bool shadowed = i + 1 < sections.size() && sections[i + 1].name == t.name;
        const TDTable* used = tables.section(t.name);
        if (shadowed ? used == &t : used != &t)
            std::abort();
        for (const auto& [key, value] : t.pairs) {
            if (key.empty() || key != lowerAscii(key) || key.find_first_of("\r\n") != std::string::npos)
                std::abort();
            std::string found;
            if (!shadowed && (!tables.lookup(t.name, key, found) || found != *t.find(key)))
                std::abort();
        }
    }
}

void quiet(const std::string&, bool) {}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool once = (setDictionaryAlert(&quiet), true);
    (void)once;

    std::vector<uint8_t> inPlace(data, data + size);
    decodeCodedInPlace(inPlace);
    if (!inPlace.empty())
        inPlace.pop_back();
    tMemoryView view(data, size);
    tcodedstream coded(view, tCodedMode::read);
    const std::string plain = readRemaining(coded);
    if (plain != std::string(inPlace.begin(), inPlace.end()))
        std::abort();

    auto tables = std::make_shared<const TDTables>(parseDictionary(plain));
    checkTables(*tables);

    // As the project dictionary.
    installProjectDictionary(tables, "fuzzish");
    std::string out;
    for (const TDTable& t : tables->sections)
        for (const auto& [key, value] : t.pairs) {
            (void)getStr(t.name, key, true);
            (void)primaryNameOrEmpty(t.name, key);
            (void)primaryName(t.name, key);
            (void)textEntry(key, "one", "two");
            (void)textEntry(key, "%s");
            (void)Translate("\xB7" + key);
            (void)TranslateEmbedded("a \xB7" + key + "'x b");
            (void)dictionary().projectText(t.name, key, out);
        }
    (void)setterFormOf("name");
    (void)booleanWord(true);
    (void)isFalseWord("false");
    (void)dictEntry("print");

    // As an application dictionary (its language name first).
    const std::span<const uint8_t> blobs[] = {std::span(data, size)};
    const tApplicationDictionary app = chooseApplicationDictionary("fuzzish", blobs);
    if (app.tables) {
        checkTables(*app.tables);
        installApplicationDictionary(app);
        const std::vector<std::string> sections{"strings", "errors", "$common"};
        for (const TDTable& t : app.tables->sections)
            for (const auto& [key, value] : t.pairs) {
                (void)appString(key, "x");
                (void)appTextInSections(sections, key);
                if (appText(t.name, key).find('\xB6') != std::string::npos)
                    std::abort();
            }
    }
    unloadProjectDictionary();
    return 0;
}
