#include "core/VariableTables.h"

#include "core/DictionaryLookup.h"
#include "core/LogoException.h"
#include "core/LogoStack.h"

namespace zembrio {

// --- variable tables ---

void tLogoVarTab::NotFoundOnRemove(tNameCode code)
{
    throw eLogoException::withCulpritCode(erNoVal, code);
}

void tLogoVarTab::SetValue(tNameCode code, tlogoobject* value, uint8_t flags)
{
    if (tTabDesc* d = Lookup(code); d && d->AsVar()) {
        d->flags = static_cast<uint8_t>((d->flags & ~kDescDoNotSave) | flags);
        d->AsVar()->AssignValue(value);
        return;
    }
    tLogoVarDesc* entry = newEntry(code);
    entry->flags |= flags;
    Add(entry);
    entry->SetValue(value);
}

void tLogoVarTab::SetValueNew(tNameCode code, tlogoobject* value)
{
    const bool isNew = !Lookup(code);
    SetValue(code, value);
    if (isNew)
        Lookup(code)->AsVar()->creationMode = 1;
}

void tLogoVarTab::SetIfChanged(tNameCode code, tlogoobject* value)
{
    tlogoobject* current = PeekValue(code);
    if (!current || !current->IsEqualExact(value))
        SetValue(code, value);
}

tlogoobject* tLogoVarTab::GetValue(tNameCode code)
{
    if (tlogoobject* v = PeekValue(code))
        return v;
    throw eLogoException::withCulpritCode(erNoVal, code);
}

tlogoobject* tLogoVarTab::PeekValue(tNameCode code)
{
    tTabDesc* d = Lookup(code);
    return d ? d->Value() : nullptr;
}

tLogoGlobalVarTab::tLogoGlobalVarTab(tlogoobject* owner) : tLogoVarTab(owner)
{
    caption = projectTextOr("text", "GlobalsLabel", "");
}

tLogoGlobalVarTab& globalVariables()
{
    static tLogoGlobalVarTab globals;
    return globals;
}

// --- the local table ---

tLogoLocaltab::~tLogoLocaltab()
{
    for (tSaved& s : m_saved)
        if (s.code != 0 && !s.absent)
            release(s.value);
}

tLogoVarDesc* tLogoLocaltab::anyEntry(tNameCode code) const
{
    tTabDesc* d = Lookup(code);
    return d ? d->AsVar() : nullptr;
}

tLogoVarDesc* tLogoLocaltab::localEntry(tNameCode code) const
{
    tLogoVarDesc* v = anyEntry(code);
    return v && !v->unbound ? v : nullptr;
}

tLogoVarDesc* tLogoLocaltab::entryToBind(tNameCode code, tLogoVarDesc* existing)
{
    if (!existing) {
        existing = new tLogoVarDesc(code);
        Add(existing);
    }
    existing->unbound = false;
    return existing;
}

void tLogoLocaltab::unbindEntry(tLogoVarDesc* entry)
{
    entry->adoptValue(nullptr);
    entry->unbound = true;
}

tlogoobject* tLogoLocaltab::GetValue(tNameCode code)
{
    if (tLogoVarDesc* d = localEntry(code)) {
        if (!d->value())
            throw eLogoException::withCulpritCode(erNoVal, code);
        return d->value();
    }
    return globalVariables().GetValue(code);
}

tlogoobject* tLogoLocaltab::PeekValue(tNameCode code)
{
    if (tLogoVarDesc* d = localEntry(code))
        return d->value();
    return globalVariables().PeekValue(code);
}

void tLogoLocaltab::SetValue(tNameCode code, tlogoobject* value, uint8_t flags)
{
    if (tLogoVarDesc* d = localEntry(code)) {
        d->AssignValue(value);
        return;
    }
    globalVariables().SetValue(code, value, flags);
}

void tLogoLocaltab::bind(tNameCode code, tlogoobject* value)
{
    tLogoVarDesc* entry = anyEntry(code);
    if (entry && !entry->unbound) {
        m_saved.push_back({code, entry->takeValue(), false, 0});
    } else {
        m_saved.push_back({code, nullptr, true, 0});
        entry = entryToBind(code, entry);
    }
    entry->adoptValue(value);
}

bool tLogoLocaltab::boundInCurrentFrame(tNameCode code) const
{
    for (size_t i = static_cast<size_t>(m_frameStart) + 1; i < m_saved.size(); ++i)
        if (m_saved[i].code == code)
            return true;
    return false;
}

void tLogoLocaltab::PushEmptyFrame()
{
    m_saved.push_back({0, nullptr, true, m_frameStart});
    m_frameStart = static_cast<int32_t>(m_saved.size()) - 1;
}

void tLogoLocaltab::PushFrame(tLogoStack& stack, const tNameCode* names, int32_t count)
{
    PushEmptyFrame();
    for (int32_t i = count - 1; i >= 0; --i)
        bind(names[i], stack.PopTransfer());
}

void tLogoLocaltab::RebindFrame(tLogoStack& stack, const tNameCode* names, int32_t count)
{
    for (int32_t i = count - 1; i >= 0; --i) {
        tlogoobject* value = stack.PopTransfer();
        if (boundInCurrentFrame(names[i]))
            localEntry(names[i])->adoptValue(value); // the saved outer value stays
        else
            bind(names[i], value);
    }
}

void tLogoLocaltab::restore(tSaved& saved)
{
    tlogoobject* outer = saved.absent ? nullptr : saved.value;
    saved.value = nullptr;
    if (tLogoVarDesc* d = localEntry(saved.code)) {
        if (saved.absent)
            unbindEntry(d);
        else
            d->adoptValue(outer);
        return;
    }
    if (!saved.absent) {
        // The binding was erased meanwhile: the outer one comes back all the same.
        entryToBind(saved.code, anyEntry(saved.code))->adoptValue(outer);
    }
}

void tLogoLocaltab::PopFrame()
{
    if (m_frameStart < 0)
        return;
    while (static_cast<int32_t>(m_saved.size()) - 1 > m_frameStart) {
        tSaved saved = m_saved.back();
        m_saved.pop_back();
        restore(saved);
    }
    m_frameStart = m_saved.back().previousFrameStart;
    m_saved.pop_back();
}

void tLogoLocaltab::MakeLocal(tNameCode code, tlogoobject* value)
{
    if (!hasFrame())
        throw eLogoException::withCulpritCode(erWrongPlace, code);
    addRef(value);
    bind(code, value);
}

void tLogoLocaltab::MakeLocalOnce(tNameCode code, tlogoobject* value)
{
    if (hasFrame() && boundInCurrentFrame(code))
        localEntry(code)->AssignValue(value);
    else
        MakeLocal(code, value);
}

void tLogoLocaltab::Unbind(tNameCode code)
{
    if (!hasFrame())
        return;
    for (size_t i = m_saved.size(); i-- > static_cast<size_t>(m_frameStart) + 1;) {
        if (m_saved[i].code != code)
            continue;
        tSaved saved = m_saved[i];
        m_saved.erase(m_saved.begin() + static_cast<std::ptrdiff_t>(i));
        restore(saved);
        return;
    }
}

void tLogoLocaltab::Erase(tNameCode code)
{
    if (tLogoVarDesc* d = localEntry(code)) {
        d->adoptValue(nullptr);
        return;
    }
    globalVariables().Remove(code);
}

tLogoLocaltab* tLogoLocaltab::Duplicate()
{
    auto* copy = new tLogoLocaltab;
    copy->PushEmptyFrame();
    ForEach([copy](tTabDesc* d) {
        if (tLogoVarDesc* v = d->AsVar(); v && !v->unbound)
            copy->MakeLocal(v->code, v->value());
    });
    return copy;
}

} // namespace zembrio
