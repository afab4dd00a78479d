#include "core/CompiledArray.h"
#include "core/LogoValues.h"
#include "core/NameTable.h"
#include "core/Reader.h"

namespace zembrio {

tLogoWord::~tLogoWord()
{
    releaseArray(m_compiled);
}

void tLogoWord::clearWordCaches()
{
    m_nameCode = 0;
    releaseArray(std::exchange(m_compiled, nullptr));
}

uint32_t tLogoWord::AsNameCode()
{
    // Codes are rebuilt at every language load; a cached one is good for its generation only.
    const uint32_t generation = NameGeneration();
    if (m_nameCode == 0 || m_nameGeneration != generation) {
        std::string text;
        AsText(text);
        m_nameCode = Intern(text);
        m_nameGeneration = generation;
    }
    return m_nameCode;
}

tCompiledArray* tLogoWord::Compile(uint8_t mode)
{
    if (m_compiled && m_compileMode == mode)
        return m_compiled;
    std::string text;
    AsText(text);
    tRef<tLogoList> list = ReadList(text, false);
    tCompiledArray* array = compileListItems(list.get(), mode);
    retainArray(array);
    releaseArray(std::exchange(m_compiled, array));
    m_compileMode = mode;
    return array;
}

} // namespace zembrio
