// The GUI thread: the application's main thread, which owns every window. Logo processes hand window
// work over to it and wait; everything the GUI thread itself waits for keeps serving those hand-overs,
// or a process holding the interpreter lock and the GUI thread would wait for each other for ever.
#pragma once

#include <functional>

namespace zembrio {

// Called by the application's main thread once its application object exists; release undoes it.
void adoptGuiThread();
void releaseGuiThread();
bool isGuiThread();

// Runs fn in the GUI thread and waits for it; directly when called there or when there is no GUI thread.
void runInGuiThread(const std::function<void()>& fn);

// In the GUI thread: waits until done() holds, serving hand-overs meanwhile. Elsewhere: polls done().
void waitServingGuiRequests(const std::function<bool()>& done);

} // namespace zembrio
