// zeltra-grade: measures how hard levels are by playing them.
//
//     zeltra-grade LEVEL... | --campaign FOLDER
//                  [--chapters FILE] [--markdown FILE] [--plot FILE.png]
//                  [--playouts N] [--solver-boards N] [--first-move-boards N]
//                  [--seed N] [--jobs N]
//
// For each level: pieces, bricks, the moves of its recorded solution (the
// .moves file beside it, if any), how many legal first moves still lead to a
// win (each searched within --first-move-boards boards; 0 skips this), the
// greedy player's result, the win rate of --playouts seeded random playouts,
// and the solver's boards and time to a first solution (--solver-boards at
// most). --campaign grades FOLDER/ZeltraNN.lvl in order and reads the
// chapters from FOLDER/chapters.txt unless --chapters names another file.
// The Markdown table goes to standard output or to --markdown FILE; --plot
// draws the difficulty curve. Defaults: 1000 playouts, 200000 solver boards,
// 20000 boards per first move, seed 1, 2 jobs.
//
// Exit status: 0 done, 2 bad arguments or a level that could not be read.
#include "Chapters.h"
#include "GradePlot.h"
#include "GradeTable.h"

#include "engine/Core/Exception.h"
#include "engine/File/POSIX/FileSystemPOSIX.h"
#include "game/Game/Level.h"
#include "game/Game/MoveLog.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace
{
struct sJob
{
    std::string path;
    sGradedLevel graded;
    std::optional<cMoveLog> solution;
    cLevel level;
};

// The level and, when there is one, its recorded solution beside it.
bool Load(sJob& job)
{
    const std::filesystem::path path = std::filesystem::absolute(job.path);
    Korva::cFileSystemPOSIX folder(path.parent_path().string());
    try
    {
        job.level.Load(folder, "/" + path.filename().string());
    }
    catch (const Korva::cException& e)
    {
        std::fprintf(stderr, "%s: %s\n", job.path.c_str(), e.GetMessage().c_str());
        return false;
    }
    const std::string moves = path.stem().string() + ".moves";
    if (std::filesystem::exists(path.parent_path() / moves))
    {
        try
        {
            cMoveLog log;
            log.Load(folder, "/" + moves);
            job.solution = log;
        }
        catch (const Korva::cException& e)
        {
            std::fprintf(stderr, "%s: %s\n", moves.c_str(), e.GetMessage().c_str());
            return false;
        }
    }
    job.graded.file = path.filename().string();
    job.graded.name = job.level.GetName();
    return true;
}

void Usage()
{
    std::fprintf(stderr,
                 "usage: zeltra-grade LEVEL... | --campaign FOLDER [--chapters FILE]\n"
                 "                    [--markdown FILE] [--plot FILE.png] [--playouts N]\n"
                 "                    [--solver-boards N] [--first-move-boards N] [--seed N]\n"
                 "                    [--jobs N]\n");
}
} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> paths;
    std::string campaign, chaptersPath, markdownPath, plotPath;
    Grading::sBudget budget;
    int jobs = 2;
    for (int i = 1; i < argc; ++i)
    {
        const bool hasValue = i + 1 < argc;
        const std::string arg = argv[i];
        if (arg == "--campaign" && hasValue)
            campaign = argv[++i];
        else if (arg == "--chapters" && hasValue)
            chaptersPath = argv[++i];
        else if (arg == "--markdown" && hasValue)
            markdownPath = argv[++i];
        else if (arg == "--plot" && hasValue)
            plotPath = argv[++i];
        else if (arg == "--playouts" && hasValue)
            budget.randomPlayouts = std::atoi(argv[++i]);
        else if (arg == "--solver-boards" && hasValue)
            budget.solverBoards = std::strtoull(argv[++i], nullptr, 10);
        else if (arg == "--first-move-boards" && hasValue)
            budget.boardsPerFirstMove = std::strtoull(argv[++i], nullptr, 10);
        else if (arg == "--seed" && hasValue)
            budget.seed = static_cast<uint32_t>(std::strtoul(argv[++i], nullptr, 10));
        else if (arg == "--jobs" && hasValue)
            jobs = std::max(1, std::atoi(argv[++i]));
        else if (!arg.empty() && arg[0] != '-')
            paths.push_back(arg);
        else
        {
            Usage();
            return 2;
        }
    }
    if (!campaign.empty())
    {
        for (int n = 1;; ++n)
        {
            char name[32];
            std::snprintf(name, sizeof(name), "/Zeltra%02d.lvl", n);
            if (!std::filesystem::exists(campaign + name))
                break;
            paths.push_back(campaign + name);
        }
        if (chaptersPath.empty() && std::filesystem::exists(campaign + "/chapters.txt"))
            chaptersPath = campaign + "/chapters.txt";
    }
    if (paths.empty() || budget.randomPlayouts < 1)
    {
        Usage();
        return 2;
    }
    std::vector<sChapter> chapters;
    if (!chaptersPath.empty())
    {
        try
        {
            chapters = ReadChapters(chaptersPath);
        }
        catch (const std::runtime_error& e)
        {
            std::fprintf(stderr, "%s\n", e.what());
            return 2;
        }
    }

    std::vector<sJob> work(paths.size());
    for (size_t i = 0; i < paths.size(); ++i)
    {
        work[i].path = paths[i];
        work[i].graded.number = static_cast<int>(i) + 1;
        if (!Load(work[i]))
            return 2;
    }
    // Levels are graded side by side; each only reads its own job.
    std::atomic<size_t> next{0};
    auto worker = [&]()
    {
        for (size_t i = next++; i < work.size(); i = next++)
        {
            sJob& job = work[i];
            job.graded.grade =
                Grading::Grade(job.level, job.solution ? &job.solution->moves : nullptr, budget);
            std::fprintf(stderr, "%s: difficulty %.2f\n", job.graded.file.c_str(),
                         job.graded.grade.difficulty);
        }
    };
    {
        std::vector<std::jthread> threads;
        for (int t = 0; t < jobs; ++t)
            threads.emplace_back(worker);
    }

    std::vector<sGradedLevel> graded;
    for (const sJob& job : work)
        graded.push_back(job.graded);
    const std::string table = GradeTable(graded, chapters, budget);
    if (markdownPath.empty())
        std::fwrite(table.data(), 1, table.size(), stdout);
    else
    {
        std::ofstream file(markdownPath, std::ios::binary);
        file << table;
        if (!file)
        {
            std::fprintf(stderr, "Error creating file: '%s'.\n", markdownPath.c_str());
            return 2;
        }
    }
    if (!plotPath.empty() && !WriteGradePlot(graded, chapters, plotPath))
    {
        std::fprintf(stderr, "Error creating file: '%s'.\n", plotPath.c_str());
        return 2;
    }
    return 0;
}
