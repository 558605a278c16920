// The task thread runs each task once, on a thread other than the caller's, one after the
// other in the order posted, while the caller goes on; waiting, and going away, wait for
// the task under way.

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "common/removal/TaskThread.h"

namespace qv::removal {
namespace {

TEST(TaskThreadTest, RunsTheTasksInTurnOnAThreadOfItsOwnWhileTheCallerGoesOn) {
    TaskThread tasks;
    std::atomic<bool> released{false};
    std::vector<int> ran;
    std::thread::id ranOn;
    tasks.post([&] {
        while (!released) std::this_thread::yield();
        ranOn = std::this_thread::get_id();
        ran.push_back(1);
    });
    EXPECT_FALSE(tasks.idle()) << "the caller went on while the first task waited";
    released = true;
    tasks.post([&] { ran.push_back(2); });  // once the first has ended
    tasks.wait();
    EXPECT_TRUE(tasks.idle());
    EXPECT_EQ(ran, (std::vector<int>{1, 2}));
    EXPECT_NE(ranOn, std::this_thread::get_id());

    for (int i = 3; i <= 50; ++i) tasks.post([&, i] { ran.push_back(i); });
    tasks.wait();
    ASSERT_EQ(ran.size(), 50u);
    for (int i = 0; i < 50; ++i) EXPECT_EQ(ran[i], i + 1);
}

TEST(TaskThreadTest, GoingAwayWaitsForTheTaskUnderWay) {
    std::atomic<bool> ended{false};
    {
        TaskThread tasks;
        tasks.post([&] {
            for (int i = 0; i < 20000; ++i) std::this_thread::yield();
            ended = true;
        });
    }
    EXPECT_TRUE(ended);
}

}  // namespace
}  // namespace qv::removal
