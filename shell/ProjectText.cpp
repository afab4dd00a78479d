#include "shell/ProjectText.h"

#include "core/DictionaryLookup.h"
#include "core/Evaluator.h"
#include "core/LogoException.h"
#include "core/LogoValues.h"
#include "core/MethodTable.h"
#include "core/NameTable.h"
#include "core/Reader.h"
#include "core/UserProcedures.h"
#include "core/VariableTables.h"
#include "core/ValueSettings.h"
#include "runtime/MainObj.h"

namespace zembrio {

namespace {

constexpr char kEndMark = 26;

std::string trim(std::string_view s)
{
    const size_t first = s.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const size_t last = s.find_last_not_of(' ');
    return std::string(s.substr(first, last - first + 1));
}

bool isKeyword(std::string_view word, std::string_view key)
{
    return word == "\xB7other\xB7" + std::string(key) || isSynonymOf(word, "other", key);
}

bool endsWithLaunchStartup(const std::string& instruction)
{
    static const std::string kLaunchStartup = "'launch [startup]";
    const size_t at = instruction.rfind(kLaunchStartup);
    return at != std::string::npos && instruction.size() - (at + kLaunchStartup.size()) <= 1;
}

} // namespace

tInstructionCollector::tInstructionCollector(std::string_view text) : m_text(text)
{
    m_text += kEndMark;
    while (m_pos < m_text.size() && (m_text[m_pos] == '\r' || m_text[m_pos] == '\n'))
        ++m_pos;
    m_lineMode = m_text.compare(m_pos, 2, ";!") == 0;
}

// One line and exactly one line end (CR, LF, CR LF, a zero byte or the end mark).
std::string tInstructionCollector::takeLine()
{
    std::string line;
    while (m_pos < m_text.size()) {
        const char c = m_text[m_pos++];
        if (c == '\r') {
            if (m_pos < m_text.size() && m_text[m_pos] == '\n')
                ++m_pos;
            break;
        }
        if (c == '\n' || c == '\0' || c == kEndMark)
            break;
        if (c == '\t') {
            line += ' ';
        } else if (static_cast<unsigned char>(c) < 32) {
            throw eLogoException(erZembrioProject);
        } else {
            line += c;
        }
    }
    // Nothing but end marks left: the text is done.
    if (m_text.find_first_not_of(kEndMark, m_pos) == std::string::npos)
        m_pos = m_text.size();
    return line;
}

// "to name …" or "object'to name …" at the start of the line, with a blank somewhere after it.
bool tInstructionCollector::opensDefinition(const std::string& line, std::string& owner) const
{
    const std::string text = trim(line);
    const size_t blank = text.find(' ');
    if (blank == std::string::npos)
        return false;
    const std::string_view word = std::string_view(text).substr(0, blank);
    const size_t apostrophe = word.rfind('\'');
    const std::string_view keyword = apostrophe == std::string_view::npos ? word : word.substr(apostrophe + 1);
    if (!isKeyword(keyword, "to"))
        return false;
    owner = apostrophe == std::string_view::npos ? std::string() : std::string(word.substr(0, apostrophe));
    return true;
}

void tInstructionCollector::collectDefinition(std::string line, tProjectInstruction& instruction)
{
    auto withoutTilde = [](std::string s) {
        if (!s.empty() && s.back() == '~')
            s.pop_back();
        return s;
    };
    std::string text = withoutTilde(trim(line));
    if (!instruction.owner.empty())
        text.erase(0, instruction.owner.size() + 1); // the definition itself starts at the keyword
    // Lines keep their breaks up to the "end" line; the end of the text closes the definition too.
    while (!atEnd()) {
        const std::string next = takeLine();
        text += gValueSettings.lineBreakChar;
        if (isKeyword(trim(next), "end")) {
            text += primaryName("other", "end");
            break;
        }
        text += withoutTilde(next);
    }
    instruction.text = text;
    instruction.definition = true;
}

bool tInstructionCollector::next(tProjectInstruction& instruction)
{
    for (;;) {
        instruction = {};
        std::string text;
        bool started = false;
        while (!atEnd()) {
            std::string line = takeLine();
            if (!started && opensDefinition(line, instruction.owner)) {
                m_firstLine = false;
                collectDefinition(line, instruction);
                return true;
            }
            if (trim(line).empty()) {
                if (started)
                    break; // an empty line ends the instruction
                m_firstLine = false;
                continue;
            }
            // A comment line is a line of its own: it neither joins the next line nor ends an instruction.
            if (trim(line)[0] == ';') {
                m_firstLine = false;
                continue;
            }
            const bool continued = line.back() == '~';
            if (continued) {
                line.pop_back();
                if (m_firstLine)
                    m_lineMode = true;
            }
            m_firstLine = false;
            if (started)
                text += ' ';
            text += line;
            started = true;
            if (!continued && m_lineMode)
                break;
        }
        if (!started)
            return false;
        text = trim(text);
        if (text.empty() || text[0] == ';' || endsWithLaunchStartup(text))
            continue;
        instruction.text = text;
        return true;
    }
}

void LoadProjectText(tProcessState& ps, std::string_view text)
{
    tMainLogoObject* main = mainObject();
    tlogoobject* const savedObject = ps.currentObject;
    ps.currentObject = main;
    struct tRestore {
        tProcessState& ps;
        tlogoobject* object;
        ~tRestore()
        {
            ps.currentObject = object;
            release(std::exchange(ps.outputSlot, nullptr));
            ps.stopFlag = 0;
        }
    } restore{ps, savedObject};

    tInstructionCollector collector(text);
    tProjectInstruction instruction;
    while (collector.next(instruction)) {
        // The built-in library is written with internal names.
        if (registeringBuiltins())
            instruction.text = TranslateEmbedded(instruction.text);
        if (instruction.definition) {
            tlogoobject* owner = main;
            if (!instruction.owner.empty()) {
                owner = main->ObjectNamed(Intern(instruction.owner));
                if (!owner)
                    throw eLogoException(erNoObject, instruction.owner);
            }
            DefineFromText(owner, instruction.text);
            continue;
        }
        tRef<tLogoList> list = ReadList(instruction.text, false);
        // Each instruction is a top-level run with a scope of its own for "local" and its kin.
        ps.locals->PushEmptyFrame();
        try {
            RunList(ps, list->Compile(kCompileInstructions));
        } catch (...) {
            ps.locals->PopFrame();
            throw;
        }
        ps.locals->PopFrame();
        // "stop" or "output" at the top of a project instruction ends just that instruction.
        release(std::exchange(ps.outputSlot, nullptr));
        ps.stopFlag = 0;
    }
}

} // namespace zembrio
