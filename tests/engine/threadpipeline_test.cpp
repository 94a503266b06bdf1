#include "engine/heldmessages.h"
#include "engine/threadpipeline.h"
#include "tests/support/recordingmessageboxes.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace quorbel {
namespace {

struct Cell {
    std::size_t item = 0;
    std::string text;
};

// Later items finish sooner: without the ordering they would come out
// reversed within each round of slots.
void slowFirst(Cell &cell, std::size_t item, std::size_t items)
{
    std::this_thread::sleep_for(std::chrono::microseconds(50 * ((items - item) % 7)));
    cell.item = item;
    cell.text = "item " + std::to_string(item);
}

TEST(OrderedPipeline, HandsItemsOnInOrderWhateverOrderTheyAreWorkedIn)
{
    for (const unsigned threads : {1u, 3u, 8u}) {
        const std::size_t items = 200;
        std::atomic<int> running = 0;
        std::atomic<int> mostAtOnce = 0;
        OrderedPipeline<Cell> pipeline(items, std::vector<Cell>(2 * std::size_t{threads}), threads,
                                       [&](Cell &cell, std::size_t item) {
                                           const int now = ++running;
                                           int seen = mostAtOnce;
                                           while (now > seen && !mostAtOnce.compare_exchange_weak(seen, now)) {
                                           }
                                           slowFirst(cell, item, items);
                                           --running;
                                       });
        ASSERT_EQ(pipeline.items(), items);
        for (std::size_t i = 0; i < items; ++i) {
            const Cell &cell = pipeline.take(i);
            ASSERT_EQ(cell.item, i) << threads << " threads";
            ASSERT_EQ(cell.text, "item " + std::to_string(i));
            pipeline.release(i);
        }
        EXPECT_LE(mostAtOnce.load(), static_cast<int>(threads));
    }
}

TEST(OrderedPipeline, AnErrorOfTheWorkReachesTheCallerForItsItemAndStoppingNeverHangs)
{
    OrderedPipeline<Cell> pipeline(50, std::vector<Cell>(4), 2, [](Cell &cell, std::size_t item) {
        if (item == 5)
            throw std::runtime_error("item 5 failed");
        cell.item = item;
    });
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(pipeline.take(i).item, i);
        pipeline.release(i);
    }
    try {
        pipeline.take(5);
        FAIL() << "no error";
    } catch (const std::runtime_error &error) {
        EXPECT_STREQ(error.what(), "item 5 failed");
    }
    // Items still waiting for a slot are dropped: stop (and the destructor)
    // return although nothing is released any more.
    pipeline.stop();

    // A pipeline left while its items are being worked on stops too.
    std::atomic<int> worked = 0;
    {
        OrderedPipeline<Cell> abandoned(1000, std::vector<Cell>(2), 2, [&](Cell &, std::size_t) { ++worked; });
        abandoned.take(0);
    }
    EXPECT_LT(worked.load(), 1000);
}

TEST(RunOnThreads, EveryItemOnceAndTheFirstErrorOnTheCallingThread)
{
    for (const unsigned threads : {1u, 4u}) {
        std::vector<std::atomic<int>> seen(1000);
        runOnThreads(seen.size(), threads, [&](std::size_t item) { ++seen[item]; });
        for (const auto &count : seen)
            ASSERT_EQ(count.load(), 1);
    }
    runOnThreads(0, 4, [](std::size_t) { FAIL() << "no items, no work"; });

    // An error on a helper thread is carried back, not the end of the
    // process; no item starts after it.
    std::atomic<int> started = 0;
    const std::thread::id caller = std::this_thread::get_id();
    EXPECT_THROW(runOnThreads(100000, 4,
                              [&](std::size_t item) {
                                  ++started;
                                  if (item >= 10 && std::this_thread::get_id() != caller)
                                      throw std::length_error("helper failed");
                                  std::this_thread::sleep_for(std::chrono::microseconds(20));
                              }),
                 std::length_error);
    EXPECT_LT(started.load(), 100000);
}

TEST(HeldMessages, KeepsMessagesInOrderAndRefusesQuestions)
{
    HeldMessages held;
    EXPECT_TRUE(held.empty());
    EXPECT_EQ(held.show("first", Buttons::Ok, Icon::Critical, std::nullopt), Answer::Ok);
    EXPECT_EQ(held.show("second", Buttons::Ok, Icon::None, "Title"), Answer::Ok);
    try {
        held.show("Replace it?", Buttons::YesNo, Icon::Question, std::nullopt);
        FAIL() << "a question was answered";
    } catch (const std::logic_error &error) {
        EXPECT_NE(std::string(error.what()).find("Replace it?"), std::string::npos);
    }
    testing::RecordingMessageBoxes shown;
    held.replay(shown);
    ASSERT_EQ(shown.calls.size(), 2u);
    EXPECT_EQ(shown.calls[0].text, "first");
    EXPECT_EQ(shown.calls[0].icon, Icon::Critical);
    EXPECT_EQ(shown.calls[0].title, "Quorbel");
    EXPECT_EQ(shown.calls[1].text, "second");
    EXPECT_EQ(shown.calls[1].title, "Title");
    held.clear();
    EXPECT_TRUE(held.empty());
}

} // namespace
} // namespace quorbel
