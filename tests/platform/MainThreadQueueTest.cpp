#include "platform/core/Exceptions.h"
#include "platform/core/MainThreadQueue.h"

#include <gtest/gtest.h>

#include <vector>

using namespace tarnwick;

TEST(MainThreadQueue, RunsInOrderAndKeepsWhatAFailingItemLeft)
{
    RunPostedWork();
    std::vector<int> ran;
    PostToMainThread([&] { ran.push_back(1); });
    PostToMainThread([] { throw EInOutError("lost connection"); });
    PostToMainThread([&] { ran.push_back(3); });
    EXPECT_THROW(RunPostedWork(), EInOutError);
    EXPECT_EQ(ran, std::vector<int>{1});
    PostToMainThread([&] { ran.push_back(4); });
    EXPECT_EQ(RunPostedWork(), 2);
    EXPECT_EQ(ran, (std::vector<int>{1, 3, 4}));
}
