#include "core/LogoStack.h"

#include "core/LogoException.h"

#include <algorithm>
#include <cstring>

namespace zembrio {

tLogoStack::tLogoStack(int32_t capacity)
{
    const int32_t size = std::max(capacity, 16);
    m_base = new tlogoobject*[static_cast<size_t>(size)];
    m_top = m_base;
    m_limit = m_base + size;
}

tLogoStack::~tLogoStack()
{
    Clear();
    delete[] m_base;
}

void tLogoStack::grow()
{
    const size_t size = static_cast<size_t>(m_limit - m_base);
    const size_t used = static_cast<size_t>(m_top - m_base);
    auto* bigger = new tlogoobject*[size * 2];
    std::memcpy(bigger, m_base, used * sizeof(tlogoobject*));
    delete[] m_base;
    m_base = bigger;
    m_top = bigger + used;
    m_limit = bigger + size * 2;
}

void tLogoStack::PopRelease()
{
    if (m_top == m_base)
        fail(erStackDeletetop);
    release(*--m_top);
}

void tLogoStack::PopInto(tlogoobject*& slot)
{
    if (m_top == m_base)
        fail(erStackPop);
    tlogoobject* old = slot;
    slot = *--m_top;
    release(old);
}

tlogoobject* tLogoStack::PopDrop()
{
    if (m_top == m_base)
        fail(erStackPopdec);
    tlogoobject* v = *--m_top;
    dropWithoutFree(v);
    return v;
}

tlogoobject* tLogoStack::TakeAt(int32_t depth)
{
    if (depth < 0 || depth >= count())
        fail(erStackShift);
    tlogoobject** at = m_top - 1 - depth;
    tlogoobject* v = *at;
    std::memmove(at, at + 1, static_cast<size_t>(depth) * sizeof(tlogoobject*));
    --m_top;
    return v;
}

void tLogoStack::RemoveAt(int32_t depth)
{
    release(TakeAt(depth));
}

void tLogoStack::fail(errorConst number)
{
    throw eLogoException(number);
}

void tLogoStack::popNilFailed()
{
    if (m_top == m_base)
        fail(erStackPopnil);
    tlogoobject* v = *--m_top;
    // The error takes its own reference to the culprit before ours goes.
    eLogoException error(erWhatToDo, v);
    release(v);
    throw error;
}

} // namespace zembrio
