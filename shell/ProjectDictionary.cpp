#include "shell/ProjectDictionary.h"

#include "core/CompiledArray.h"
#include "core/DictionaryLookup.h"
#include "core/FileStream.h"
#include "core/ValueSettings.h"
#include "platform/MessageDialog.h"
#include "shell/ApplicationDictionary.h"
#include "shell/Resources.h"
#include "shell/StartMode.h"
#include "shell/StartupState.h"

#include <atomic>
#include <cstdlib>
#include <exception>
#include <mutex>
#include <vector>

namespace zembrio {

namespace {

// Everything one load installs, replaced as a whole so that a reader never sees half of two languages.
struct tProjectState {
    std::shared_ptr<const TDTables> tables;
    std::string language;
    std::string setterPrefix = "set";
    std::string setterSuffix;
};

std::mutex gStateMutex;
std::shared_ptr<const tProjectState> gState = std::make_shared<tProjectState>();
std::vector<void (*)()> gListeners;

std::shared_ptr<const tProjectState> currentState()
{
    std::lock_guard lock(gStateMutex);
    return gState;
}

void defaultAlert(const std::string& text, bool fatal)
{
    messageDialog(kApplicationTitle, text, kMbOk);
    if (fatal)
        std::exit(1);
}

std::atomic<tDictionaryAlert> gAlert{&defaultAlert};

std::string upperAscii(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - ('a' - 'A'));
    return out;
}

std::vector<std::string> splitWords(std::string_view text)
{
    std::vector<std::string> words;
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t end = std::min(text.find(' ', pos), text.size());
        if (end > pos)
            words.emplace_back(text.substr(pos, end - pos));
        pos = end + 1;
    }
    return words;
}

std::vector<std::string> wordsOr(const TDTables& tables, std::string_view section, std::string_view key,
                                 std::string_view fallback)
{
    std::string value;
    tables.lookup(section, key, value);
    std::vector<std::string> words = splitWords(value);
    if (words.empty())
        words.emplace_back(fallback);
    return words;
}

// What the language core reads: names from the project dictionary, texts from the application dictionary.
class tInstalledDictionary final : public tDictionaryLookup {
public:
    bool projectText(std::string_view section, std::string_view key, std::string& out) const override
    {
        const auto state = currentState();
        return state->tables && state->tables->lookup(section, key, out);
    }
    bool appText(std::string_view section, std::string_view key, std::string& out) const override
    {
        return lookupAppText(section, key, out);
    }
    std::string setterForm(std::string_view name) const override { return setterFormOf(name); }
};

const tInstalledDictionary gInstalled;

// The words the reader, the values and the compiler compare against, back to the built-in defaults.
void resetCachedWords()
{
    gValueSettings.trueWords = {"true"};
    gValueSettings.falseWords = {"false"};
    gValueSettings.anyWords = {"any"};
    setCompilerWords("usual'", "main");
}

} // namespace

std::string languageName(std::string_view language)
{
    if (language.empty() || language == "*")
        return "english";
    return lowerAscii(language);
}

void installProjectDictionary(std::shared_ptr<const TDTables> tables, std::string_view language)
{
    auto state = std::make_shared<tProjectState>();
    state->language = languageName(language);
    std::string setfix;
    if (tables->lookup("system", "setfix", setfix)) {
        const size_t star = setfix.find('*');
        state->setterPrefix = setfix.substr(0, star);
        state->setterSuffix = star == std::string::npos ? std::string() : setfix.substr(star + 1);
    }
    gValueSettings.trueWords = wordsOr(*tables, "other", "true", "true");
    gValueSettings.falseWords = wordsOr(*tables, "other", "false", "false");
    gValueSettings.anyWords = wordsOr(*tables, "dict", "any", "any");
    setCompilerWords(wordsOr(*tables, "param", "usual", "usual").front() + "'",
                     wordsOr(*tables, "class", "main", "main").front());
    state->tables = std::move(tables);
    {
        std::lock_guard lock(gStateMutex);
        gState = std::move(state);
    }
    setDictionary(&gInstalled);
    for (auto listener : gListeners)
        listener();
}

void unloadProjectDictionary()
{
    {
        std::lock_guard lock(gStateMutex);
        gState = std::make_shared<tProjectState>();
    }
    setDictionary(nullptr);
    resetCachedWords();
}

bool loadProjectDictionary(std::string_view language, bool checkOnly)
{
    const std::string name = languageName(language);
    if (name == currentState()->language)
        return true;
    try {
        std::shared_ptr<const TDTables> tables;
        if (auto file = tFileStream::tryOpen(gStartup.projectDirectory + name + ".ldx", tFileMode::read)) {
            TDTables fromFile = readCodedDictionary(*file);
            // A file without sections, or whose first section is empty, stands for nothing.
            if (!fromFile.empty() && !fromFile.sections.front().pairs.empty())
                tables = std::make_shared<const TDTables>(std::move(fromFile));
        }
        if (!tables) {
            const auto coded = findResource(upperAscii(name), "LDI");
            if (!coded)
                return false;
            tMemoryView view(coded->data(), coded->size());
            tables = std::make_shared<const TDTables>(readCodedDictionary(view));
        }
        if (!checkOnly)
            installProjectDictionary(std::move(tables), name);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool isCurrentLanguage(std::string_view language)
{
    return languageName(language) == currentState()->language;
}

std::string projectLanguage()
{
    return currentState()->language;
}

std::shared_ptr<const TDTables> projectDictionary()
{
    return currentState()->tables;
}

std::string getStr(std::string_view section, std::string_view key, bool complain)
{
    const auto state = currentState();
    if (!state->tables) {
        gAlert.load()("Internal error - Dictionary not initialised in getStr", true);
        return {};
    }
    std::string value;
    if (!state->tables->lookup(section, key, value) && complain)
        gAlert.load()("Translation Error - Unknown language string: " + std::string(section) + "-"
                          + std::string(key),
                      false);
    return value;
}

std::string setterFormOf(std::string_view name)
{
    const auto state = currentState();
    return state->setterPrefix + std::string(name.substr(0, name.find(' '))) + state->setterSuffix;
}

tDictionaryAlert setDictionaryAlert(tDictionaryAlert alert)
{
    return gAlert.exchange(alert ? alert : &defaultAlert);
}

void onProjectDictionaryInstalled(void (*listener)())
{
    gListeners.push_back(listener);
}

} // namespace zembrio
