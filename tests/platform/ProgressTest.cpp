#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <set>
#include <stdexcept>
#include <thread>

#include "platform/CPlatform.h"
#include "platform/CProgress.h"
#include "platform/CWorkerPool.h"
#include "support/CScriptedPlatform.h"

namespace kv {
namespace {

using namespace std::chrono_literals;

// Progress that shows at once, for the life of the object.
class CShowAtOnce {
public:
    CShowAtOnce() : m_previous(CProgress::SetShowDelay(0ms)) {}
    ~CShowAtOnce() { CProgress::SetShowDelay(m_previous); }
    CShowAtOnce(const CShowAtOnce&) = delete;
    CShowAtOnce& operator=(const CShowAtOnce&) = delete;

private:
    std::chrono::milliseconds m_previous;
};

TEST(Progress, ShowsNothingDuringTheFirstHalfSecond) {
    test::CScriptedPlatform platform;
    {
        CProgress progress("Busy");
        for (int i = 0; i < 1000; ++i) progress.Step(i, 1000);
        EXPECT_FALSE(progress.Shown());
    }
    EXPECT_TRUE(platform.progress.empty());
    EXPECT_EQ(platform.progressEnds, 0);
}

TEST(Progress, ShowsTextAndPercentageAtMostTenTimesASecond) {
    test::CScriptedPlatform platform;
    CShowAtOnce atOnce;
    SetStatusText("Transforming 1024 points starting at 0.");
    {
        CProgress progress;  // takes the status text shown
        progress.Step(1, 4);
        progress.Step(2, 4);  // too soon after the first
        std::this_thread::sleep_for(110ms);
        progress.Step(3, 4);
        EXPECT_TRUE(progress.Shown());
    }
    ASSERT_EQ(platform.progress.size(), 2u);
    EXPECT_EQ(platform.progress[0].first, "Transforming 1024 points starting at 0.");
    EXPECT_EQ(platform.progress[0].second, 25);
    EXPECT_EQ(platform.progress[1].second, 75);
    EXPECT_EQ(platform.progressEnds, 1);
}

TEST(Progress, WorkDeepInsideReportsToTheInnermostProgress) {
    test::CScriptedPlatform platform;
    CShowAtOnce atOnce;
    ReportProgress(1, 2);  // none alive: nothing happens
    EXPECT_TRUE(platform.progress.empty());
    {
        CProgress outer("Outer");
        {
            CProgress inner("Inner");
            EXPECT_EQ(CProgress::Current(), &inner);
            ReportProgress(1, 2);
        }
        EXPECT_EQ(CProgress::Current(), &outer);
        ReportProgress(3, 3);
    }
    EXPECT_EQ(CProgress::Current(), nullptr);
    ASSERT_EQ(platform.progress.size(), 2u);
    EXPECT_EQ(platform.progress[0], (std::pair<std::string, int>{"Inner", 50}));
    EXPECT_EQ(platform.progress[1], (std::pair<std::string, int>{"Outer", 100}));
    EXPECT_EQ(platform.progressEnds, 2);
}

// A request to stop comes out of Step as COperationCancelled; a command run
// through RunGuarded then ends quietly.
TEST(Progress, AStopRequestEndsTheOperation) {
    test::CScriptedPlatform platform;
    CShowAtOnce atOnce;
    platform.stopAtProgress = 1;
    int steps = 0;
    const bool completed = RunGuarded([&] {
        CProgress progress("Long");
        for (int i = 0; i < 100; ++i) {
            progress.Step(i, 100);
            ++steps;
        }
    });
    EXPECT_FALSE(completed);
    EXPECT_EQ(steps, 0);
    EXPECT_TRUE(platform.MessageTexts().empty());
    EXPECT_EQ(platform.progressEnds, 1);
    EXPECT_EQ(CProgress::Current(), nullptr);
}

TEST(WorkerPool, RunsEveryPartOnItsOwnThreadAndWaitsForThem) {
    CWorkerPool& pool = CWorkerPool::Instance();
    for (int threads : {1, 2, 3}) {
        std::atomic<int> sum{0};
        std::set<std::thread::id> ids;
        std::mutex lock;
        pool.Run(threads, [&](int part) {
            std::this_thread::sleep_for(5ms);
            sum += part + 1;
            std::lock_guard<std::mutex> guard(lock);
            ids.insert(std::this_thread::get_id());
        });
        EXPECT_EQ(sum, threads * (threads + 1) / 2);
        EXPECT_EQ(static_cast<int>(ids.size()), threads);
        EXPECT_EQ(ids.count(std::this_thread::get_id()), 1u);
    }
    // An exception of the calling thread's part comes out after the others ended.
    std::atomic<bool> otherDone{false};
    EXPECT_THROW(pool.Run(2,
                          [&](int part) {
                              if (part == 0) throw std::runtime_error("stop");
                              std::this_thread::sleep_for(20ms);
                              otherDone = true;
                          }),
                 std::runtime_error);
    EXPECT_TRUE(otherDone);
    EXPECT_GE(pool.Threads(), 1);
    const int previous = CWorkerPool::SetThreadLimit(1);
    EXPECT_EQ(pool.Threads(), 1);
    CWorkerPool::SetThreadLimit(previous);
}

}  // namespace
}  // namespace kv
