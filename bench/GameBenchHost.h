#pragma once

// What the game-screen benchmarks need around the screen: a host that asks
// for nothing, and the program folder with the generated data.

#include "game/Game/Screen/Game.h"
#include "game/Options.h"

#include <filesystem>
#include <string>

class cBenchHost : public cGameHost
{
public:
    cOptions& GetOptions() override { return options; }
    void ToggleFullScreen() override {}
    void MarkLevelCompleted(const std::string&) override {}
    bool IsLevelCompleted(const std::string&) const override { return false; }
    void RequestLevelSelector() override {}
    void RequestMenu() override {}
    void RequestEditor() override {}
    void OpenHomepage() override {}
    cOptions options;
};

// The generated data lies in bin/ beside the bench/ folder of the build.
inline std::string BenchProgramFolder()
{
    return (std::filesystem::canonical("/proc/self/exe").parent_path().parent_path() / "bin")
        .string();
}
