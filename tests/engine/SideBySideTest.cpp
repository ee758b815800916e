// Pieces of work run on the worker threads: each once, done when the caller is told so, on more
// than one thread where the machine has them, and never started once their offer is withdrawn.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "SideBySide.h"

using namespace zorvic;
using namespace std::chrono_literals;

TEST(SideBySideTest, EveryPieceRunsOnceOnSeveralThreads) {
    for (const int count : {0, 1, 2, 200}) {
        std::vector<std::atomic<int>> runs(static_cast<std::size_t>(count));
        std::mutex mutex;
        std::set<std::thread::id> threads;
        RunSideBySide(count, [&](int i) {
            ++runs[static_cast<std::size_t>(i)];
            std::this_thread::sleep_for(100us);
            const std::lock_guard lock(mutex);
            threads.insert(std::this_thread::get_id());
        });
        for (const auto& run : runs) EXPECT_EQ(run.load(), 1) << count << " pieces";
        if (count == 200 && SideBySideThreads() > 1) {
            EXPECT_GT(threads.size(), 1u);
        }
    }
}

// Plain values, written by whichever thread runs the piece: what Finish and the end of the offer
// promise is what makes them safe to read.
TEST(SideBySideTest, FinishedPiecesHaveRunAndWithdrawnOnesNeverStart) {
    constexpr int count = 2000;
    std::vector<int> values(count, 0);
    std::atomic<int> started{0};
    {
        PiecesAhead pieces(count, [&](int i) {
            ++started;
            std::this_thread::sleep_for(200us);
            values[static_cast<std::size_t>(i)] = i + 1;
        });
        pieces.Finish(1500);
        EXPECT_EQ(values[1500], 1501);
        pieces.Finish(0);
        EXPECT_EQ(values[0], 1);
    }
    int ran = 0;
    for (const int value : values) ran += value != 0;
    EXPECT_EQ(ran, started.load());
    EXPECT_LT(ran, count);
}
