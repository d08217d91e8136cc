#include "game/Progress.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

// A process killed at any moment while it saves the progress never leaves a
// file behind that fails to load: the old file or the new one, whole.
TEST(SaveInterrupt, KilledWhileSavingLeavesALoadableFile)
{
    cTempFolder folder("savekill");
    const std::string path = folder.File("CompletedLevels.dat");
    int roundsWithNewList = 0;
    for (int round = 0; round < 40; ++round)
    {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0)
        {
            // Saves a growing list as fast as it can until it is killed.
            cProgress progress;
            for (int i = 0;; ++i)
            {
                progress.Add("Level" + std::to_string(round) + "_" + std::to_string(i));
                progress.Save(folder.FileSystem(), path);
            }
        }
        // A save takes a few tens of milliseconds (it syncs to disk); kill at
        // moments spread over several saves.
        if (round == 0)
            while (!std::filesystem::exists(path))
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        std::this_thread::sleep_for(std::chrono::microseconds(300 + (round * 7919) % 90000));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status));

        ASSERT_TRUE(std::filesystem::exists(path)) << "once written, the file never disappears";
        cProgress loaded;
        ASSERT_TRUE(loaded.Load(folder.FileSystem(), path)) << "round " << round;
        ASSERT_GT(loaded.GetCompletedLevelCount(), 0);
        // Either this round's list (complete up to some level) or an older one.
        const std::string& first = loaded.GetCompletedLevels().front();
        if (first.rfind("Level" + std::to_string(round) + "_", 0) == 0)
        {
            ++roundsWithNewList;
            for (int i = 0; i < loaded.GetCompletedLevelCount(); ++i)
                EXPECT_EQ(loaded.GetCompletedLevels()[static_cast<size_t>(i)],
                          "Level" + std::to_string(round) + "_" + std::to_string(i));
        }
    }
    // Most kills land after a save of their own round finished.
    EXPECT_GT(roundsWithNewList, 10);
}
