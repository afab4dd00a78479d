#include "core/LogoStack.h"

#include "core/LogoException.h"

namespace zembrio {

tLogoStack::tLogoStack(int32_t capacity)
{
    m_items.reserve(static_cast<size_t>(capacity > 0 ? capacity : 0));
}

tLogoStack::~tLogoStack()
{
    Clear();
}

void tLogoStack::Push(tlogoobject* value)
{
    addRef(value);
    m_items.push_back(value);
}

tlogoobject* tLogoStack::Top() const
{
    if (m_items.empty())
        throw eLogoException(erStackTop);
    return m_items.back();
}

void tLogoStack::PopRelease()
{
    if (m_items.empty())
        throw eLogoException(erStackDeletetop);
    tlogoobject* v = m_items.back();
    m_items.pop_back();
    release(v);
}

void tLogoStack::PopInto(tlogoobject*& slot)
{
    if (m_items.empty())
        throw eLogoException(erStackPop);
    tlogoobject* old = slot;
    slot = m_items.back();
    m_items.pop_back();
    release(old);
}

tlogoobject* tLogoStack::PopTransfer()
{
    if (m_items.empty())
        throw eLogoException(erStackPop1);
    tlogoobject* v = m_items.back();
    m_items.pop_back();
    return v;
}

tlogoobject* tLogoStack::PopDrop()
{
    if (m_items.empty())
        throw eLogoException(erStackPopdec);
    tlogoobject* v = m_items.back();
    m_items.pop_back();
    dropWithoutFree(v);
    return v;
}

void tLogoStack::PopNil()
{
    if (m_items.empty())
        throw eLogoException(erStackPopnil);
    tlogoobject* v = m_items.back();
    m_items.pop_back();
    if (v) {
        // The error takes its own reference to the culprit before ours goes.
        eLogoException error(erWhatToDo, v);
        release(v);
        throw error;
    }
}

tlogoobject* tLogoStack::Peek(int32_t depth) const
{
    if (depth < 0 || depth >= count())
        throw eLogoException(erStackLookstack);
    return m_items[m_items.size() - 1 - static_cast<size_t>(depth)];
}

void tLogoStack::ShiftTop()
{
    if (m_items.size() < 2)
        throw eLogoException(erStackShiftTop);
    const size_t n = m_items.size();
    tlogoobject* under = m_items[n - 2];
    m_items[n - 2] = m_items[n - 1];
    m_items.pop_back();
    release(under);
}

void tLogoStack::RemoveAt(int32_t depth)
{
    if (depth < 0 || depth >= count())
        throw eLogoException(erStackShift);
    const auto at = m_items.end() - 1 - depth;
    tlogoobject* v = *at;
    m_items.erase(at);
    release(v);
}

tlogoobject* tLogoStack::TakeAt(int32_t depth)
{
    if (depth < 0 || depth >= count())
        throw eLogoException(erStackShift);
    const auto at = m_items.end() - 1 - depth;
    tlogoobject* v = *at;
    m_items.erase(at);
    return v;
}

void tLogoStack::DropTo(int32_t height)
{
    while (count() > height && count() > 0) {
        tlogoobject* v = m_items.back();
        m_items.pop_back();
        release(v);
    }
}

void tLogoStack::ReplaceTop(int32_t n, tlogoobject* result)
{
    addRef(result); // before the inputs go: the result may be one of them
    DropTo(count() - n);
    m_items.push_back(result);
}

void tLogoStack::DropN(int32_t n)
{
    DropTo(count() - n);
}

} // namespace zembrio
