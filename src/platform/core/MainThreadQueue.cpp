#include "platform/core/MainThreadQueue.h"

#include <deque>
#include <mutex>

namespace tarnwick {

namespace {
std::mutex& QueueMutex()
{
    static std::mutex mutex;
    return mutex;
}
std::deque<std::function<void()>>& Queue()
{
    static std::deque<std::function<void()>> queue;
    return queue;
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
    for (auto& work : ready) work();
    return static_cast<int>(ready.size());
}

} // namespace tarnwick
