#include "engine/Core/Core.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <thread>

namespace Korva
{
namespace
{

// Unregisters as it dies, as every listener that may die before the core must.
struct cTestListener : cEventListener
{
    ~cTestListener() override
    {
        if (cCore::Exists())
            cCore::Get().RemoveListener(this);
    }
};

// Notes "name:type" for every event it hears, then runs an optional reaction.
struct cRecorder : cTestListener
{
    cRecorder(std::vector<std::string>& journal, std::string name) : journal(journal), name(name) {}
    void OnEvent(const cEvent& event) override
    {
        journal.push_back(name + ":" + std::to_string(event.GetType()));
        if (react)
            react(event);
    }
    std::vector<std::string>& journal;
    std::string name;
    std::function<void(const cEvent&)> react;
};

class CoreTest : public testing::Test
{
protected:
    void SetUp() override { cCore::Destroy(); }
    void TearDown() override { cCore::Destroy(); }
    std::vector<std::string> journal;
};

using Journal = std::vector<std::string>;

TEST_F(CoreTest, DeliversQueuedEventsInOrderToListenersInOrderThenTheTick)
{
    cRecorder a(journal, "a"), b(journal, "b");
    cCore& core = cCore::Get();
    core.AddListener(&a);
    core.AddListener(&b);
    core.AddListener(&a); // a second registration changes nothing
    core.PostEvent(cEvent(10));
    core.PostEvent(cEvent(11));
    core.Update();
    EXPECT_EQ(journal, (Journal{"a:10", "b:10", "a:11", "b:11", "a:1", "b:1"}));

    // An empty queue still gives exactly one tick per update.
    journal.clear();
    core.Update();
    EXPECT_EQ(journal, (Journal{"a:1", "b:1"}));
}

TEST_F(CoreTest, EventsPostedDuringDeliveryComeNextUpdateAheadOfItsTick)
{
    cRecorder a(journal, "a");
    cRecorder late(journal, "late");
    cCore& core = cCore::Get();
    a.react = [&](const cEvent& event)
    {
        if (event.GetType() == 10)
        {
            core.PostEvent(cEvent(20));
            core.AddListener(&late);
        }
    };
    core.AddListener(&a);
    core.PostEvent(cEvent(10));
    core.Update();
    EXPECT_EQ(journal, (Journal{"a:10", "a:1"}));

    journal.clear();
    core.Update();
    EXPECT_EQ(journal, (Journal{"a:20", "late:20", "a:1", "late:1"}));
}

TEST_F(CoreTest, ListenerRemovedDuringDeliveryHearsNothingMore)
{
    cRecorder a(journal, "a");
    auto b = std::make_unique<cRecorder>(journal, "b");
    cCore& core = cCore::Get();
    // a destroys b, which unregisters as it dies; b must not be called again
    // even though it is in this delivery's snapshot (ASan would see that).
    a.react = [&](const cEvent& event)
    {
        if (event.GetType() == 10 && b)
        {
            b.reset();
        }
    };
    core.AddListener(&a);
    core.AddListener(b.get());
    core.PostEvent(cEvent(10));
    core.Update();
    EXPECT_EQ(journal, (Journal{"a:10", "a:1"}));
}

TEST_F(CoreTest, DestroyDeliversPendingEventsAndShutdownThenEndsTheCore)
{
    cRecorder a(journal, "a");
    cCore::Get().AddListener(&a);
    cCore::Get().PostEvent(cEvent(kEventQuitRequest));
    cCore::Destroy();
    EXPECT_EQ(journal, (Journal{"a:2", "a:3"}));
    EXPECT_FALSE(cCore::Exists());

    // A new core starts with no listeners and an empty queue.
    journal.clear();
    cCore::Get().Update();
    EXPECT_TRUE(journal.empty());
}

TEST_F(CoreTest, EventsPostedFromManyThreadsArriveWholeAndInEachThreadsOrder)
{
    constexpr int kThreads = 4, kEvents = 500;
    std::vector<int> next(kThreads, 0);
    int wrong = 0;
    struct cCounter : cTestListener
    {
        std::function<void(const cEvent&)> react;
        void OnEvent(const cEvent& event) override { react(event); }
    } counter;
    counter.react = [&](const cEvent& event)
    {
        if (event.GetType() != 50)
            return;
        // The copy in the queue keeps its class and its values.
        const auto* params = dynamic_cast<const cEventParams*>(&event);
        if (!params || params->GetParam2() != next[params->GetParam1()]++)
            ++wrong;
    };
    cCore& core = cCore::Get();
    core.AddListener(&counter);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back(
            [&core, t]
            {
                for (int i = 0; i < kEvents; ++i)
                    core.PostEvent(cEventParams(50, t, i));
            });
    for (auto& thread : threads)
        thread.join();
    core.Update();
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(next, std::vector<int>(kThreads, kEvents));
}

} // namespace
} // namespace Korva
