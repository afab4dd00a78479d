// The per-process value stack: every call consumes its inputs and pushes exactly one value (nil for a command).
#pragma once

#include "core/ErrorConst.h"
#include "core/LogoObject.h"

#include <cstdint>

namespace zembrio {

class tLogoStack {
public:
    explicit tLogoStack(int32_t capacity = 1000);
    ~tLogoStack();
    tLogoStack(const tLogoStack&) = delete;
    tLogoStack& operator=(const tLogoStack&) = delete;

    // Every call goes through the operations below: they stay inline, with their errors out of line.
    int32_t count() const { return static_cast<int32_t>(m_top - m_base); }
    void Push(tlogoobject* value) // adds a reference
    {
        addRef(value);
        PushTransfer(value);
    }
    // Pushes a reference that the caller already counted.
    void PushTransfer(tlogoobject* value)
    {
        if (m_top == m_limit)
            grow();
        *m_top++ = value;
    }
    tlogoobject* Top() const // erStackTop
    {
        if (m_top == m_base)
            fail(erStackTop);
        return m_top[-1];
    }
    void PopRelease();                // erStackDeletetop
    void PopInto(tlogoobject*& slot); // erStackPop: releases what the slot held
    tlogoobject* PopTransfer()        // erStackPop1: the caller takes over the reference
    {
        if (m_top == m_base)
            fail(erStackPop1);
        return *--m_top;
    }
    tlogoobject* PopDrop(); // erStackPopdec: count - 1, never freed
    void PopNil()           // erStackPopnil; erWhatToDo for a value
    {
        if (m_top == m_base || m_top[-1])
            popNilFailed();
        --m_top;
    }
    tlogoobject* Peek(int32_t depth) const // erStackLookstack; 0 = top
    {
        if (depth < 0 || depth >= count())
            fail(erStackLookstack);
        return m_top[-1 - depth];
    }
    void ShiftTop() // erStackShiftTop
    {
        if (count() < 2)
            fail(erStackShiftTop);
        tlogoobject* under = m_top[-2];
        m_top[-2] = m_top[-1];
        --m_top;
        release(under);
    }
    void RemoveAt(int32_t depth); // erStackShift
    void DropTo(int32_t height)
    {
        tlogoobject** const newTop = m_base + (height > 0 ? height : 0);
        while (m_top > newTop)
            release(*--m_top);
    }
    void DropN(int32_t n) { DropTo(count() - n); }
    void Clear() { DropTo(0); }
    // The top n items, deepest first (unchecked: the caller knows n items are there).
    tlogoobject* const* TopItems(int32_t n) const { return m_top - n; }
    // Replaces the top n items by result: how a built-in's inputs give way to its result.
    void ReplaceTop(int32_t n, tlogoobject* result)
    {
        addRef(result); // before the inputs go: the result may be one of them
        DropTo(count() - n);
        *m_top++ = result; // dropping made room
    }
    // Takes the item at depth out (the items above move down); the caller takes over its reference.
    tlogoobject* TakeAt(int32_t depth); // erStackShift

private:
    [[noreturn]] static void fail(errorConst number);
    [[noreturn]] void popNilFailed();
    void grow();

    // Each item holds one counted reference (nil allowed).
    tlogoobject** m_base = nullptr;
    tlogoobject** m_top = nullptr;
    tlogoobject** m_limit = nullptr;
};

} // namespace zembrio
