#include "core/MethodTable.h"

#include "core/Descriptors.h"
#include "core/LogoException.h"
#include "core/NameCompare.h"

#include <algorithm>
#include <atomic>
#include <memory>

namespace zembrio {

namespace {
std::atomic<bool> gRegisteringBuiltins{false};
constexpr uint32_t kGrowStep = 512;
} // namespace

void setRegisteringBuiltins(bool on)
{
    gRegisteringBuiltins.store(on, std::memory_order_relaxed);
}

bool registeringBuiltins()
{
    return gRegisteringBuiltins.load(std::memory_order_relaxed);
}

tLogoTab::tLogoTab(tlogoobject* owner, bool shared) : m_shared(shared), m_owner(owner) {}

tLogoTab::~tLogoTab()
{
    Clear();
}

void tLogoTab::Clear()
{
    std::lock_guard lock(m_chainLock);
    for (tTabDesc* d = m_first; d;) {
        tTabDesc* next = d->next;
        delete d;
        d = next;
    }
    m_first = m_last = nullptr;
    m_entries.clear();
    m_low = 1;
}

void tLogoTab::growFor(tNameCode code)
{
    // Anonymous "#n" codes are never entries: they would stretch the array to billions of slots.
    if (code < 1 || isAnonymousCode(code))
        throw eLogoException::withCulpritCode(erInternLogoTab, code);
    if (m_entries.empty()) {
        m_low = code > 256 ? code - 256 : 1;
        m_entries.assign(kGrowStep + 1, nullptr);
        return;
    }
    const uint32_t high = highBound();
    if (code > high) {
        const uint32_t newHigh = code - high <= kGrowStep ? high + kGrowStep : code;
        m_entries.resize(newHigh - m_low + 1, nullptr);
    } else if (code < m_low) {
        const uint32_t newLow = m_low - code <= kGrowStep ? (m_low > kGrowStep ? m_low - kGrowStep : 1) : code;
        m_entries.insert(m_entries.begin(), m_low - newLow, nullptr);
        m_low = newLow;
    }
}

void tLogoTab::Add(tTabDesc* desc)
{
    std::unique_ptr<tTabDesc> guard(desc);
    const tNameCode code = desc->code;
    growFor(code);
    if (tTabDesc* old = m_entries[code - m_low]) {
        detach(old);
        delete old;
    }
    m_entries[code - m_low] = guard.release();
    desc->table = this;
    std::lock_guard lock(m_chainLock);
    desc->prev = m_last;
    desc->next = nullptr;
    if (m_last)
        m_last->next = desc;
    else
        m_first = desc;
    m_last = desc;
}

void tLogoTab::detach(tTabDesc* desc)
{
    {
        std::lock_guard lock(m_chainLock);
        if (desc->prev)
            desc->prev->next = desc->next;
        else
            m_first = desc->next;
        if (desc->next)
            desc->next->prev = desc->prev;
        else
            m_last = desc->prev;
        desc->prev = desc->next = nullptr;
    }
    const uint32_t i = desc->code - m_low;
    if (i < m_entries.size() && m_entries[i] == desc)
        m_entries[i] = nullptr;
    desc->table = nullptr;
}

void tLogoTab::DeleteAt(uint32_t index)
{
    if (index >= m_entries.size() || !m_entries[index])
        return;
    tTabDesc* d = m_entries[index];
    detach(d);
    delete d;
}

tTabDesc* tLogoTab::Find(tNameCode code)
{
    if (tTabDesc* d = Lookup(code))
        return d;
    NotFound(code);
    return nullptr; // NotFound raises
}

void tLogoTab::NotFoundOnRemove(tNameCode code)
{
    throw eLogoException::withCulpritCode(erDoNotKnowHowTo, code);
}

void tLogoTab::NotFound(tNameCode code)
{
    NotFoundOnRemove(code);
}

void tLogoTab::SaveAll(tSaveContext& save, bool byName, int kind)
{
    for (tTabDesc* d : m_entries)
        if (d && !(d->flags & (kDescNotSaved | kDescDoNotSave)))
            d->Save(save, byName, kind);
}

void tLogoTab::RemoveAllUser(tNameCode except)
{
    for (uint32_t i = 0; i < m_entries.size(); ++i) {
        tTabDesc* d = m_entries[i];
        if (d && !(d->flags & kDescSystem) && d->code != except)
            DeleteAt(i);
    }
}

void tLogoTab::EnumProcs(const std::function<void(tTabDesc*)>& callback)
{
    ForEachInOrder([&](tTabDesc* d) {
        if (d->programDefined && d->AsProc())
            callback(d);
    });
}

void tLogoTab::Remove(tNameCode code)
{
    if (!RemoveIfPresent(code))
        NotFoundOnRemove(code);
}

bool tLogoTab::RemoveIfPresent(tNameCode code)
{
    uint32_t index = 0;
    if (!IndexOf(code, index))
        return false;
    DeleteAt(index);
    return true;
}

bool tLogoTab::IndexOf(tNameCode code, uint32_t& index) const
{
    index = code - m_low;
    return index < m_entries.size() && m_entries[index];
}

void tLogoTab::ForEach(const std::function<void(tTabDesc*)>& callback) const
{
    for (tTabDesc* d : m_entries)
        if (d)
            callback(d);
}

void tLogoTab::ForEachInOrder(const std::function<void(tTabDesc*)>& callback)
{
    std::lock_guard lock(m_chainLock);
    for (tTabDesc* d = m_first; d; d = d->next)
        callback(d);
}

tTabDesc* tLogoTab::FindByText(std::string_view name)
{
    return Find(Intern(name));
}

tTabDesc* tLogoTab::LookupByText(std::string_view name) const
{
    const tNameCode code = FindCode(name);
    return code ? Lookup(code) : nullptr;
}

bool tLogoTab::setMark(std::string_view name, uint8_t bit, bool on)
{
    tTabDesc* d = FindByText(name);
    const bool previous = d->flags & bit;
    d->flags = on ? (d->flags | bit) : (d->flags & ~bit);
    return previous;
}

bool tLogoTab::SetHidden(std::string_view name, bool on)
{
    return setMark(name, kDescHidden, on);
}

bool tLogoTab::SetBuried(std::string_view name, bool on)
{
    return setMark(name, kDescBuried, on);
}

} // namespace zembrio
