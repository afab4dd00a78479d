#include "core/CompiledArray.h"
#include "core/LogoValues.h"
#include "core/ValuePools.h"

#include <new>
#include <vector>

namespace zembrio {

tLogoList::~tLogoList()
{
    // Only reached directly (not through FreeValue) for cells that still hold references.
    releaseArray(m_compiled);
    release(m_first);
    release(m_rest);
}

tCompiledArray* tLogoList::Compile(uint8_t mode)
{
    if (m_compiled && m_compileMode == mode)
        return m_compiled;
    tCompiledArray* array = compileListItems(this, mode);
    retainArray(array);
    releaseArray(std::exchange(m_compiled, array));
    m_compileMode = mode;
    return array;
}

void tLogoList::setRest(tLogoList* cell)
{
    tlogoobject* slot = m_rest;
    assignRef(slot, cell);
    m_rest = static_cast<tLogoList*>(slot);
}

void* tLogoList::operator new(std::size_t size)
{
    if (size == sizeof(tLogoList))
        if (void* block = takeListCellBlock())
            return block;
    return ::operator new(size);
}

void tLogoList::operator delete(void* block)
{
    if (!returnListCellBlock(block))
        ::operator delete(block);
}

namespace {
// While a thread frees cells, the queue of cells still to free (a local of the outermost call, so
// nothing static outlives it at exit).
thread_local std::vector<tLogoList*>* tPendingCells = nullptr;
} // namespace

void tLogoList::FreeValue()
{
    freeIteratively(this);
}

// A million-cell list (or a list nested a million deep) must not take a native frame per cell: releases
// that reach a cell while we are freeing only queue it, and this loop frees the queue.
void tLogoList::freeIteratively(tLogoList* cell)
{
    if (tPendingCells) {
        tPendingCells->push_back(cell);
        return;
    }
    std::vector<tLogoList*> pending{cell};
    tPendingCells = &pending;
    while (!pending.empty()) {
        tLogoList* c = pending.back();
        pending.pop_back();
        tlogoobject* first = std::exchange(c->m_first, nullptr);
        tLogoList* rest = std::exchange(c->m_rest, nullptr);
        tCompiledArray* compiled = std::exchange(c->m_compiled, nullptr);
        delete c;
        releaseArray(compiled);
        release(first);
        release(rest);
    }
    tPendingCells = nullptr;
}

tlogoobject* tLogoList::Clone()
{
    tListBuilder copy;
    for (const tLogoList* c = this; c && c->m_first; c = c->m_rest)
        copy.append(c->m_first);
    tRef<tLogoList> result = copy.take();
    tLogoList* last = result.get();
    while (last->m_rest)
        last = last->m_rest;
    lastCopyCell = last;
    // Fresh values leave the factory uncounted, like every other value.
    tLogoList* raw = result.leak();
    dropWithoutFree(raw);
    return raw;
}

int32_t tLogoList::count() const
{
    if (!m_first)
        return 0;
    int32_t n = 0;
    for (const tLogoList* c = this; c; c = c->m_rest)
        ++n;
    return n;
}

namespace {

// Prints nested lists with an explicit stack, so nesting depth is bounded by memory, not the native stack.
void appendListForm(tLogoList* list, bool inList, bool source, std::string& out)
{
    struct tFrame {
        tLogoList* cell;
        bool firstItem;
    };
    std::vector<tFrame> stack;
    if (inList)
        out += '[';
    stack.push_back({list->IsEmpty() ? nullptr : list, true});
    while (!stack.empty()) {
        tFrame& top = stack.back();
        if (!top.cell) {
            stack.pop_back();
            if (!stack.empty() || inList)
                out += ']';
            continue;
        }
        tlogoobject* item = top.cell->first();
        if (!top.firstItem)
            out += ' ';
        top.firstItem = false;
        top.cell = top.cell->rest();
        if (auto* sub = valueCast<tLogoList>(item)) {
            out += '[';
            stack.push_back({sub->IsEmpty() ? nullptr : sub, true});
        } else if (source) {
            item->SourceForm(true, out);
        } else {
            item->PrintForm(true, out);
        }
    }
}

} // namespace

void tLogoList::PrintForm(bool inList, std::string& out)
{
    appendListForm(this, inList, false, out);
}

void tLogoList::SourceForm(bool inList, std::string& out)
{
    appendListForm(this, inList, true, out);
}

bool tLogoList::IsEqual(tlogoobject* other)
{
    // Pairs of cells still to compare; nested lists push their own pair instead of recursing.
    std::vector<std::pair<tLogoList*, tLogoList*>> todo;
    auto* o = valueCast<tLogoList>(other);
    if (!o)
        return false;
    todo.emplace_back(this, o);
    while (!todo.empty()) {
        auto [a, b] = todo.back();
        todo.pop_back();
        for (; a != b; a = a->m_rest, b = b->m_rest) {
            const bool aEnd = !a || !a->m_first;
            const bool bEnd = !b || !b->m_first;
            if (aEnd || bEnd) {
                if (aEnd != bEnd)
                    return false;
                break;
            }
            auto* la = valueCast<tLogoList>(a->m_first);
            auto* lb = valueCast<tLogoList>(b->m_first);
            if (la && lb)
                todo.emplace_back(la, lb);
            else if (!a->m_first->IsEqual(b->m_first))
                return false;
        }
    }
    return true;
}

tListBuilder::tListBuilder() : m_tail(nullptr) {}

void tListBuilder::append(tlogoobject* item)
{
    if (!m_head) {
        m_head = new tLogoList;
        m_tail = m_head.get();
        m_tail->setFirst(item);
        return;
    }
    auto* cell = new tLogoList;
    cell->setFirst(item);
    m_tail->setRest(cell);
    m_tail = cell;
}

tRef<tLogoList> tListBuilder::take()
{
    if (!m_head)
        return tRef<tLogoList>(new tLogoList);
    m_tail = nullptr;
    return std::move(m_head);
}

} // namespace zembrio
