#include "runtime/MainObj.h"

#include "core/CodeTable.h"
#include "core/DictionaryLookup.h"
#include "core/NameCompare.h"
#include "core/Stream.h"
#include "core/ValuePools.h"
#include "runtime/LogoProcess.h"
#include "runtime/Options.h"
#include "runtime/Registration.h"

#include <chrono>

namespace zembrio {

namespace {

tMainLogoObject* gMainObject = nullptr;

int64_t nowMilliseconds()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace

tMainLogoObject* mainObject()
{
    return gMainObject;
}

tMainLogoObject::tMainLogoObject() : m_ownVariables(this)
{
    refCount = 1; // the runtime holds it until the end
    methodTable = new tLogoTab(this);
    gMainObject = this;
    initialiseTables();
    m_timers.push_back({"0", nowMilliseconds()});
}

tMainLogoObject::~tMainLogoObject()
{
    if (gMainObject == this)
        gMainObject = nullptr;
    m_output.reset();
    delete methodTable;
    methodTable = nullptr;
}

void tMainLogoObject::initialiseTables()
{
    const bool wasRegistering = registeringBuiltins();
    setRegisteringBuiltins(true);
    m_ownVariables.SetValue(fixedCodes().childDestination, tValue(makeInt(0)).get());
    // The families in the catalogue's order: a later registration of the same name wins.
    registerValueOperations(*methodTable);
    registerValueConstructors(*methodTable);
    registerControlFlow(*methodTable);
    registerProcedureInputs(*methodTable);
    registerDefinitions(*methodTable);
    registerCatchThrow(*methodTable);
    registerVariables(*methodTable);
    registerWait(*methodTable);
    registerProcessPrimitives(*methodTable);
    registerInertPrimitives(*methodTable);
    registerTextOutput(*methodTable);
    registerSystemServices(*methodTable);
    m_ownVariables.SetValue(fixedCodes().namePrefix, tValue(makeWord(primaryName("prefix", "main"))).get());
    m_ownVariables.SetValue(fixedCodes().fileName, tValue(makeWord("")).get());
    setRegisteringBuiltins(wasRegistering);
}

void tMainLogoObject::setOutputStream(std::unique_ptr<tStream> stream)
{
    m_output = std::move(stream);
}

void tMainLogoObject::write(std::string_view text)
{
    if (m_output)
        m_output->WriteBuffer(text.data(), text.size());
}

int64_t tMainLogoObject::timerElapsed(const std::string& name)
{
    for (const tTimer& t : m_timers)
        if (sameName(t.name, name))
            return nowMilliseconds() - t.start;
    m_timers.push_back({name, nowMilliseconds()});
    return 0;
}

void tMainLogoObject::resetTimer(const std::string& name)
{
    for (tTimer& t : m_timers) {
        if (sameName(t.name, name)) {
            t.start = nowMilliseconds();
            return;
        }
    }
    m_timers.push_back({name, nowMilliseconds()});
}

void tMainLogoObject::Reset()
{
    stopAllProcesses(false);
    m_output.reset();
    m_ownVariables.RemoveAllUser(0);
    methodTable->RemoveAllUser(0);
    globalVariables().RemoveAllUser(0);
    m_timers.resize(1); // timer "0" keeps its start
    resetOptions();
    m_ownVariables.SetValue(fixedCodes().fileName, tValue(makeWord("")).get());
}

} // namespace zembrio
