// The project-text loader: collects instructions from Logo text (empty lines end them, "~" continues a
// line, ";!" switches to one instruction per line, "to" … "end" is one definition) and runs each in the
// main object.
#pragma once

#include <string>
#include <string_view>

namespace zembrio {

struct tProcessState;

struct tProjectInstruction {
    std::string text;
    bool definition = false;
    std::string owner; // the object named before the apostrophe of "name'to", or empty for the main object
};

// Walks a text one instruction at a time.
class tInstructionCollector {
public:
    explicit tInstructionCollector(std::string_view text);
    // The next instruction to run; false at the end of the text. A control character is erZembrioProject.
    bool next(tProjectInstruction& instruction);

private:
    bool atEnd() const { return m_pos >= m_text.size(); }
    std::string takeLine();
    bool opensDefinition(const std::string& line, std::string& owner) const;
    void collectDefinition(std::string firstLine, tProjectInstruction& instruction);

    std::string m_text;
    size_t m_pos = 0;
    bool m_lineMode = false;
    bool m_firstLine = true;
};

// Runs every instruction of the text in the main object, in the calling process. Errors stop the load
// and reach the caller.
void LoadProjectText(tProcessState& ps, std::string_view text);

} // namespace zembrio
