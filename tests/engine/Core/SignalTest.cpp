#include "engine/Core/Signal.h"
#include "engine/Core/Thread.h"

#include <gtest/gtest.h>

#include <atomic>

namespace Korva
{
namespace
{

TEST(SignalTest, ManualSignalStaysSetAutomaticOneWakesOnce)
{
    cSignal manual(true), automatic(false);
    manual.Set();
    automatic.Set();
    EXPECT_TRUE(manual.Wait(0));
    EXPECT_TRUE(manual.Wait(0));
    manual.Reset();
    EXPECT_FALSE(manual.Wait(10));

    EXPECT_TRUE(automatic.Wait(0));
    EXPECT_FALSE(automatic.Wait(10));
    EXPECT_FALSE(automatic.IsSet());
}

TEST(SignalTest, WaitAnyWakesForWhicheverSignalAnotherThreadSets)
{
    cSignal halfPlayed(false), quit(false);
    std::atomic<int> woken{0};
    {
        cThread worker(
            [&]
            {
                // The refill-thread pattern: work on one signal, end on the other.
                for (;;)
                {
                    const int which = cSignal::WaitAny({&halfPlayed, &quit});
                    if (which == 1)
                        return;
                    ++woken;
                }
            });
        halfPlayed.Set();
        while (woken.load() == 0)
            Sleep(1);
        quit.Set();
    } // joins the worker, which must have seen quit
    EXPECT_EQ(woken.load(), 1);
    EXPECT_FALSE(quit.IsSet()); // consumed by the wait it ended

    // Both set: the first in list order wins; nothing set: a timeout.
    halfPlayed.Set();
    quit.Set();
    EXPECT_EQ(cSignal::WaitAny({&halfPlayed, &quit}, 0), 0);
    EXPECT_EQ(cSignal::WaitAny({&halfPlayed, &quit}, 0), 1);
    EXPECT_EQ(cSignal::WaitAny({&halfPlayed, &quit}, 10), -1);
}

} // namespace
} // namespace Korva
