#include "core/CodeTable.h"

#include "core/DictionaryLookup.h"
#include "core/NameCompare.h"
#include "core/ValueSettings.h"

namespace zembrio {

namespace {

struct tClassAlias {
    std::string spelling;
    tNameCode firstCode;
};

// Rebuilt under the interpreter lock at each language load; read-only afterwards.
tFixedCodes gCodes;
tPropertyRow gRows[kPropertyRowCount];
tNameCode gEventLow = 0, gEventHigh = 0;
std::vector<tClassAlias> gClassAliases;

std::vector<std::string> splitWords(const std::string& text)
{
    std::vector<std::string> words;
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t end = std::min(text.find(' ', pos), text.size());
        if (end > pos)
            words.push_back(text.substr(pos, end - pos));
        pos = end + 1;
    }
    return words;
}

std::string entry(std::string_view section, std::string_view key)
{
    std::string out;
    dictionary().projectText(section, key, out);
    return out;
}

// The spellings of an internal name in section "dict"; the internal name alone without an entry.
std::vector<std::string> spellingsOf(std::string_view internalName)
{
    std::vector<std::string> words = splitWords(entry("dict", internalName));
    if (words.empty())
        words.push_back("@" + std::string(internalName) + "@");
    return words;
}

void internAll(std::string_view internalName, std::vector<tNameCode>* codes = nullptr)
{
    for (const std::string& s : spellingsOf(internalName)) {
        const tNameCode c = Intern(s);
        if (codes)
            codes->push_back(c);
    }
}

tNameCode internPrimary(std::string_view section, std::string_view key)
{
    return Intern(primaryName(section, key));
}

void appendWord(std::string& list, const std::string& word)
{
    if (word.empty())
        return;
    if (!list.empty())
        list += ' ';
    list += word;
}

void fillRow(int row, std::string_view internalName)
{
    tPropertyRow& r = gRows[row];
    const tDictionaryLookup& dict = dictionary();
    r.spellings = spellingsOf(internalName);
    std::string setters, getters;
    for (size_t i = 1; i < r.spellings.size(); ++i) {
        appendWord(setters, dict.setterForm(r.spellings[i]));
        appendWord(getters, r.spellings[i]);
    }
    appendWord(setters, entry("set", internalName));
    appendWord(getters, entry("get", internalName));
    r.moreSetterNames = setters;
    r.moreGetterNames = getters;
    r.nameCode = Intern(r.spellings.front());
    r.setterCode = Intern(dict.setterForm(r.spellings.front()));
}

} // namespace

const tFixedCodes& fixedCodes()
{
    return gCodes;
}

void BuildCodeTable()
{
    gCodes = {};
    // 1. Life-cycle names, then the default action; the event range starts after them.
    internAll("create");
    internAll("destroy");
    gCodes.defaultAction = internPrimary("name", "defaultaction");
    gEventLow = NameCount();

    // 2. Events.
    std::vector<tNameCode> events;
#define ZEMBRIO_EVENT(name) events.push_back(Intern("\xB7" name));
#include "core/EventNames.def"
#undef ZEMBRIO_EVENT
    gEventHigh = NameCount();
    const tNameCode leftDown = Intern("\xB7onLeftDown");
    for (size_t i = 0; i < events.size(); ++i)
        if (events[i] == leftDown)
            gCodes.mouseButtonEvents.assign(events.begin() + i, events.begin() + std::min(i + 6, events.size()));

    // 3. Names the evaluator needs.
    gCodes.output = Intern("\xB7output");
    gCodes.stop = Intern("\xB7stop");
    gCodes.minus = Intern("-");
    gCodes.plus = Intern("+");
    gCodes.askObj = Intern("@askobj");
    gCodes.childDestination = Intern("@childdestination");
    gCodes.unaryMinus = Intern("<unary ->");
    gCodes.unaryPlus = Intern("<unary +>");

    // 4. Class and system-variable names; texts kept without interning.
    gCodes.mainClass = internPrimary("class", "main");
    gCodes.initList = internPrimary("name", "initList");
    gCodes.namePrefix = internPrimary("name", "namePrefix");
    gCodes.savePicture = internPrimary("name", "savePicture");
    gCodes.voiceCommand = internPrimary("name", "voiceCommand");
    gCodes.fileName = internPrimary("name", "fileName");
    gCodes.windowClass = internPrimary("class", "Window");
    if (std::vector<std::string> any = splitWords(entry("dict", "any")); !any.empty())
        gValueSettings.anyWords = std::move(any);
    gCodes.toplevelWord = primaryName("dict", "toplevel");
    gCodes.errorWord = entry("other", "error");

    // 5. Property rows.
    for (tPropertyRow& r : gRows)
        r = {};
#define ZEMBRIO_PROPERTY_ROW(row, name) fillRow(row, name);
#include "core/PropertyRows.def"
#undef ZEMBRIO_PROPERTY_ROW

    // 6. Code lists.
    for (const char* name : {"create", "destroy", "addBehaviour", "removeBehaviour"})
        internAll(name, &gCodes.lifeCycle);
    internAll("name", &gCodes.nameProperty);
    internAll(".name", &gCodes.nameProperty);

    // 7. Class-name aliases: every spelling of a class with several answers with the first one's code.
    gClassAliases.clear();
    for (const char* cls : {"button", "colorslider", "colourbutton", "joystick", "main", "mainwindow", "mediaplayer",
                            "melodybutton", "net", "page", "pageswitch", "pane", "separator", "slider", "switch",
                            "textbox", "toolbar", "toolbutton", "toolwindow", "turtle", "web", "widthswitch",
                            "window"}) {
        const std::vector<std::string> spellings = splitWords(entry("class", cls));
        if (spellings.size() < 2)
            continue;
        const tNameCode first = Intern(spellings.front());
        for (const std::string& s : spellings)
            gClassAliases.push_back({s, first});
    }
}

std::string RowName(int row)
{
    if (row < 0 || row >= kPropertyRowCount || gRows[row].nameCode == 0)
        return {};
    return NameOf(gRows[row].nameCode);
}

const tPropertyRow& PropertyRow(int row)
{
    static const tPropertyRow empty;
    return row >= 0 && row < kPropertyRowCount ? gRows[row] : empty;
}

void RowCodes(int row, std::vector<tNameCode>& setters, std::vector<tNameCode>& getters)
{
    setters.clear();
    getters.clear();
    const tPropertyRow& r = PropertyRow(row);
    for (const std::string& s : splitWords(r.moreSetterNames))
        setters.push_back(Intern(s));
    for (const std::string& g : splitWords(r.moreGetterNames))
        getters.push_back(Intern(g));
}

bool IsEvent(tNameCode code)
{
    return code > gEventLow && code <= gEventHigh;
}

tNameCode ClassCode(std::string_view text)
{
    for (const tClassAlias& a : gClassAliases)
        if (sameName(a.spelling, text))
            return a.firstCode;
    return 0;
}

} // namespace zembrio
