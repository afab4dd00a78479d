#include "core/ProcessState.h"

#include "core/ValuePools.h"
#include "core/VariableTables.h"

namespace zembrio {

namespace {
thread_local tProcessState* tCurrent = nullptr;
} // namespace

std::atomic<bool> gProjectChanged{false};

tProcessState::tProcessState() : locals(std::make_unique<tLogoLocaltab>()) {}

tProcessState::~tProcessState()
{
    release(std::exchange(outputSlot, nullptr));
    stack.Clear();
}

tProcessState* currentProcess()
{
    return tCurrent;
}

tProcessScope::tProcessScope(tProcessState& state) : m_previous(tCurrent)
{
    tCurrent = &state;
    setLogoProcessThread(true);
}

tProcessScope::~tProcessScope()
{
    tCurrent = m_previous;
    setLogoProcessThread(m_previous != nullptr);
}

} // namespace zembrio
