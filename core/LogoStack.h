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

private:
    std::vector<tlogoobject*> m_items; // each item holds one counted reference (nil allowed)
};

} // namespace zembrio
