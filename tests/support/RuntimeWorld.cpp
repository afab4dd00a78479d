#include "tests/support/RuntimeWorld.h"

#include "core/LogoException.h"
#include "core/ProcessState.h"
#include "core/Stream.h"
#include "core/ValuePools.h"
#include "core/ValueSettings.h"
#include "platform/ProcessStack.h"
#include "runtime/MainObj.h"
#include "runtime/Vocabulary.h"
#include "shell/ProjectDictionary.h"
#include "shell/ProjectText.h"

#include <stdexcept>

namespace zembrio::testing {

tRuntimeWorld::tRuntimeWorld(std::string_view language)
{
    if (!loadProjectDictionary(language, false))
        throw std::runtime_error("no dictionary for " + std::string(language));
    BuildVocabulary();
    fillValuePools();
    m_main = std::make_unique<tMainLogoObject>();
    auto output = std::make_unique<tMemoryStream>();
    m_output = output.get();
    m_main->setOutputStream(std::move(output));
}

tRuntimeWorld::~tRuntimeWorld()
{
    m_main.reset();
    unloadProjectDictionary();
    gValueSettings = tValueSettings{};
}

tRunResult tRuntimeWorld::run(std::string_view text)
{
    m_output->bytes().clear();
    m_output->SetPosition(0);
    tRunResult result;
    runOnProcessStack([&] {
        tProcessState ps;
        tProcessScope scope(ps);
        ps.currentObject = m_main.get();
        try {
            LoadProjectText(ps, text);
        } catch (eLogoException& e) {
            result.error = e.number;
            result.culprit = FillPlaceholders(e, "#h");
            result.primitive = e.primitiveName;
            Format(e);
            result.message = e.message;
        }
    });
    for (uint8_t c : m_output->bytes())
        if (c != '\r')
            result.output += static_cast<char>(c);
    return result;
}

} // namespace zembrio::testing
