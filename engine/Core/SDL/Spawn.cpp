#include "engine/Core/SDL/Spawn.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace Korva
{

namespace
{
// Keeps the file actions and attributes paired with their destroy calls.
struct cSpawnSetup
{
    cSpawnSetup()
    {
        posix_spawn_file_actions_init(&actions);
        posix_spawnattr_init(&attributes);
    }
    ~cSpawnSetup()
    {
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
    }
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
};
} // namespace

pid_t SpawnDetached(const std::vector<std::string>& arguments)
{
    if (arguments.empty() || arguments[0].empty())
        return -1;
    std::vector<char*> argv;
    for (const auto& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    cSpawnSetup setup;
    posix_spawn_file_actions_addopen(&setup.actions, 0, "/dev/null", O_RDONLY, 0);
    // The game's open files (log, sound, archives) are none of the child's
    // business, and a browser that lives on would keep them open.
    posix_spawn_file_actions_addclosefrom_np(&setup.actions, 3);

    // Exec keeps an ignored signal ignored and the blocked set blocked; the
    // child starts with neither.
    sigset_t signals;
    sigemptyset(&signals);
    posix_spawnattr_setsigmask(&setup.attributes, &signals);
    sigaddset(&signals, SIGPIPE);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    posix_spawnattr_setsigdefault(&setup.attributes, &signals);
    posix_spawnattr_setflags(&setup.attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    pid_t child = -1;
    if (posix_spawnp(&child, argv[0], &setup.actions, &setup.attributes, argv.data(), environ) != 0)
        return -1;

    // The child may run for as long as the user keeps the browser open, so
    // nobody waits for it except this thread, which only keeps it from
    // staying a zombie.
    std::thread(
        [child]
        {
            int status = 0;
            while (waitpid(child, &status, 0) < 0 && errno == EINTR)
            {
            }
        })
        .detach();
    return child;
}

} // namespace Korva
