// Mounts arbitrary bytes as a SAF archive and reads every file it lists:
// damaged archives must be rejected with cExceptionBadSAFFile, never crash,
// hang or read out of bounds.

#include "engine/Core/Exception.h"
#include "engine/Core/Log.h"
#include "engine/File/FileInput.h"
#include "engine/File/FileSAF.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

namespace
{
// The archive is read from a file; a memory file system keeps that fast.
std::string ArchivePath()
{
    static const std::string path =
        std::string(::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") + "/korva-fuzz-saf-" +
        std::to_string(::getpid()) + ".saf";
    return path;
}

void ReadAll(const Korva::cFileSAF& archive)
{
    std::vector<std::pair<const Korva::cFileSAF::sEntry*, std::string>> pending{
        {&archive.GetRoot(), ""}};
    while (!pending.empty())
    {
        const auto [folder, prefix] = pending.back();
        pending.pop_back();
        for (const auto& entry : folder->children)
        {
            const std::string path = prefix + entry.name;
            if (entry.folder)
                pending.emplace_back(&entry, path + "/");
            else if (const auto* found = archive.Find(path))
                archive.ReadFile(*found);
        }
    }
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    Korva::cLog::Get().SetMaxLevel(-1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = ArchivePath();
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    try
    {
        const Korva::cFileSAF archive(path, path);
        ReadAll(archive);
    }
    catch (const Korva::cExceptionBadSAFFile&)
    {
    }
    std::remove(path.c_str());
    return 0;
}
