// Helpers for the dictionary tests: coded texts, .ldx files beside a project and a clean dictionary state.
#pragma once

#include "ShellTestSupport.h"

#include "shell/ApplicationDictionary.h"
#include "shell/CodedBuffer.h"
#include "shell/ProjectDictionary.h"

#include <string>
#include <vector>

namespace zembrio::test {

inline std::vector<uint8_t> coded(std::string_view plain, uint8_t seed = 0x5A)
{
    return encodeCoded(plain, seed);
}

inline std::string asText(const std::vector<uint8_t>& bytes)
{
    return {bytes.begin(), bytes.end()};
}

// What the dictionary reported, instead of message boxes and the end of the process.
struct AlertLog {
    static inline std::vector<std::string> texts;
    static inline int fatal = 0;
    static void record(const std::string& text, bool isFatal)
    {
        texts.push_back(text);
        fatal += isFatal ? 1 : 0;
    }
};

// A project folder, no dictionaries loaded, and the dictionary's reports recorded.
class DictionaryTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        gStartup.projectDirectory = folder();
        unloadProjectDictionary();
        forgetApplicationDictionary();
        setApplicationLanguageHint("english");
        AlertLog::texts.clear();
        AlertLog::fatal = 0;
        m_previousAlert = setDictionaryAlert(&AlertLog::record);
    }
    void TearDown() override
    {
        setDictionaryAlert(m_previousAlert);
        unloadProjectDictionary();
        forgetApplicationDictionary();
        setApplicationLanguageHint("english");
        ShellTest::TearDown();
    }
    void writeLdx(const std::string& language, std::string_view plain)
    {
        writeFile(dir / (language + ".ldx"), coded(plain));
    }

private:
    tDictionaryAlert m_previousAlert = nullptr;
};

} // namespace zembrio::test
