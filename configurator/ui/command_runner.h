#pragma once
// A panel command runs from start to end before the user can do anything
// else, as a synchronous handler would; but it takes seconds, and a window
// that stops painting for seconds looks hung. So the command runs on a
// worker thread (its Form calls come back through FormProxy), while the GUI
// thread keeps its event loop turning with user input shut out.

#include <functional>

namespace tevral::ui {

// Runs work on a worker thread and returns when it has ended, rethrowing on
// this thread whatever it threw. Meanwhile this thread paints and serves
// queued calls, but swallows clicks, keys, wheel turns and close requests
// for every window except a modal box opened in the meantime (the
// command's own messages).
void RunWithWindowsPainting(const std::function<void()>& work);

}  // namespace tevral::ui
