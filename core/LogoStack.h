// The per-process value stack: every call consumes its inputs and pushes exactly one value (nil for a command).
#pragma once

#include "core/LogoObject.h"

#include <cstdint>
#include <vector>

namespace zembrio {

class tLogoStack {
public:
    explicit tLogoStack(int32_t capacity = 1000);
    ~tLogoStack();
    tLogoStack(const tLogoStack&) = delete;
    tLogoStack& operator=(const tLogoStack&) = delete;

    int32_t count() const { return static_cast<int32_t>(m_items.size()); }

    void Push(tlogoobject* value);              // adds a reference
    tlogoobject* Top() const;                   // erStackTop
    void PopRelease();                          // erStackDeletetop
    void PopInto(tlogoobject*& slot);           // erStackPop: releases what the slot held
    tlogoobject* PopTransfer();                 // erStackPop1: the caller takes over the reference
    tlogoobject* PopDrop();                     // erStackPopdec: count - 1, never freed
    void PopNil();                              // erStackPopnil; erWhatToDo for a value
    tlogoobject* Peek(int32_t depth) const;     // erStackLookstack; 0 = top
    void ShiftTop();                            // erStackShiftTop
    void RemoveAt(int32_t depth);               // erStackShift
    void DropTo(int32_t height);
    void DropN(int32_t n);
    void Clear() { DropTo(0); }

    // The top n items, deepest first (unchecked: the caller knows n items are there).
    tlogoobject* const* TopItems(int32_t n) const { return m_items.data() + (m_items.size() - static_cast<size_t>(n)); }
    // Replaces the top n items by result: how a built-in's inputs give way to its result.
    void ReplaceTop(int32_t n, tlogoobject* result);
    // Takes the item at depth out (the items above move down); the caller takes over its reference.
    tlogoobject* TakeAt(int32_t depth); // erStackShift
    // Pushes a reference that the caller already counted.
    void PushTransfer(tlogoobject* value) { m_items.push_back(value); }

private:
    std::vector<tlogoobject*> m_items; // each item holds one counted reference (nil allowed)
};

} // namespace zembrio
