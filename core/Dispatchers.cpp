#include "core/Dispatchers.h"

#include "core/LogoException.h"
#include "core/ProcessState.h"

namespace zembrio {

namespace {

// The receiver's own descriptor for this name; the lookup context goes where "usual" finds it.
tProcDesc* receiverProc(tProcessState& ps, tlogoobject* receiver, tNameCode code)
{
    tLogoTab* context = nullptr;
    tTabDesc* found = nullptr;
    if (receiver && receiver->valueClass != tValueClass::other) {
        // Plain values keep the base lookup: their table, directly.
        context = receiver->methodTable;
        found = context ? context->Lookup(code) : nullptr;
    } else if (receiver) {
        found = receiver->FindProc(code, context);
    }
    tProcDesc* proc = found ? found->AsProc() : nullptr;
    if (!proc)
        throw eLogoException::withCulpritCode(erDoNotKnowHowTo, code);
    ps.lookupContext = context;
    return proc;
}

void needReceiver(const tProcDesc* p, int32_t n)
{
    if (n < 1)
        throw eLogoException::withCulpritCode(erNotEnoughInputs, p->code);
}

} // namespace

void tObjectProc1Desc::Call(tProcessState& ps, int32_t n)
{
    needReceiver(this, n);
    tlogoobject* receiver = ps.stack.Peek(n - 1); // held by the stack throughout
    tProcDesc* proc = receiverProc(ps, receiver, code);
    if (proc->valueTableProc) {
        // The common case, in one step: the result replaces the receiver and the other inputs together.
        tArgs args(ps, n - 1);
        ps.stack.ReplaceTop(n, static_cast<tPasProcRoot*>(proc)->proc(receiver, args));
        return;
    }
    proc->DispatchedCall(ps, n - 1, receiver);
    ps.stack.ShiftTop();
}

void tObjectProcEndDesc::Call(tProcessState& ps, int32_t n)
{
    needReceiver(this, n);
    tValue receiver = tValue::adopt(ps.stack.PopTransfer());
    receiverProc(ps, receiver.get(), code)->DispatchedCall(ps, n - 1, receiver.get());
}

tObjectProcNDesc::tObjectProcNDesc(tNameCode code_, int32_t inputCount_, bool variableInputs_, int32_t depth,
                                   uint8_t elementType_)
    : tProcDesc(code_, inputCount_, variableInputs_, elementType_), receiverDepth(depth)
{
}

void tObjectProcNDesc::Call(tProcessState& ps, int32_t n)
{
    if (n <= receiverDepth)
        throw eLogoException::withCulpritCode(erNotEnoughInputs, code);
    tValue receiver = tValue::adopt(ps.stack.TakeAt(receiverDepth));
    receiverProc(ps, receiver.get(), code)->DispatchedCall(ps, n - 1, receiver.get());
}

} // namespace zembrio
