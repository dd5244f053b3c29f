#include "platform/core/MainThreadQueue.h"

#include <deque>
#include <iterator>
#include <mutex>

namespace tarnwick {

namespace {
// Never destroyed: a connect still running on its own thread when the program ends may post
// its answer while static objects are being torn down.
std::mutex& QueueMutex()
{
    static auto* mutex = new std::mutex;
    return *mutex;
}
std::deque<std::function<void()>>& Queue()
{
    static auto* queue = new std::deque<std::function<void()>>;
    return *queue;
}
} // namespace

void PostToMainThread(std::function<void()> work)
{
    const std::lock_guard lock(QueueMutex());
    Queue().push_back(std::move(work));
}

int RunPostedWork()
{
    std::deque<std::function<void()>> ready;
    {
        const std::lock_guard lock(QueueMutex());
        ready.swap(Queue());
    }
    int ran = 0;
    while (!ready.empty()) {
        auto work = std::move(ready.front());
        ready.pop_front();
        try {
            work();
        } catch (...) {
            // What was not run yet goes back to the front of the queue, ahead of newer work.
            const std::lock_guard lock(QueueMutex());
            Queue().insert(Queue().begin(), std::make_move_iterator(ready.begin()),
                           std::make_move_iterator(ready.end()));
            throw;
        }
        ++ran;
    }
    return ran;
}

} // namespace tarnwick
