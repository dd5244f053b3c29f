#pragma once

#include <functional>

namespace tarnwick {

// Work that background parts of the platform (an asynchronous connect, for one) hand back to
// the window thread. It runs only when the window thread pumps its messages, which calls
// RunPostedWork; nothing else runs it.
void PostToMainThread(std::function<void()> work);

// Runs every item posted so far, in order, on the calling thread. Returns how many ran. An
// item that raises passes its error on; the items after it stay queued for the next call.
int RunPostedWork();

} // namespace tarnwick
