// The evaluator: runs compiled instruction lists with three infix precedence levels, input collection on
// the value stack, output and stop through the process's stop flag, and tail calls by trampoline.
#pragma once

#include "core/CompiledArray.h"
#include "core/ProcessState.h"

#include <string_view>

namespace zembrio {

inline constexpr int32_t kMaxCallDepth = 10000;

// Runs the array as instructions; returns at its end or when the stop flag is set.
void RunList(tProcessState& ps, tCompiledArray* array);
// Evaluates the array as one expression; the caller gets the counted result.
tValue EvalList(tProcessState& ps, tCompiledArray* array);
// Compiles the text as instructions and runs them.
void RunText(tProcessState& ps, std::string_view text);
// Compiles a list or word as instructions and runs it.
void RunInstructions(tProcessState& ps, tlogoobject* instructions);
// Compiles a list or word as instructions and evaluates it as one expression.
tValue EvaluateInstructions(tProcessState& ps, tlogoobject* instructions);

// Runs pending tail calls in constant space, then pops the frame they share.
void Trampoline(tProcessState& ps);
// Drops a pending tail call nobody will run, with the frame it kept.
void AbandonTailCall(tProcessState& ps);

} // namespace zembrio
