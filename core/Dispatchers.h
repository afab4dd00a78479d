// Type dispatchers: the main object's word, number and list primitives look the same name up in the
// method table of one of their inputs (the receiver) and call what that value's class registered.
#pragma once

#include "core/Descriptors.h"

namespace zembrio {

// The receiver is the first input; it stays under the inputs and goes once the result is there.
class tObjectProc1Desc final : public tProcDesc {
public:
    using tProcDesc::tProcDesc;
    void Call(tProcessState& ps, int32_t n) override;
    // Straight to Call, without a second virtual call.
    void CommandEntry(tProcessState& ps, int32_t n) override { Call(ps, n); }
    void ValueEntry(tProcessState& ps, int32_t n) override { Call(ps, n); }
};

// The receiver is the last input.
class tObjectProcEndDesc final : public tProcDesc {
public:
    using tProcDesc::tProcDesc;
    void Call(tProcessState& ps, int32_t n) override;
};

// The receiver is the input at a fixed depth from the top.
class tObjectProcNDesc final : public tProcDesc {
public:
    tObjectProcNDesc(tNameCode code, int32_t inputCount, bool variableInputs, int32_t receiverDepth,
                     uint8_t elementType = etFun);
    void Call(tProcessState& ps, int32_t n) override;
    int32_t receiverDepth;
};

} // namespace zembrio
