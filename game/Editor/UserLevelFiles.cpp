#include "game/Editor/UserLevelFiles.h"

#include "engine/Core/Exception.h"
#include "engine/Core/Log.h"
#include "engine/File/FileSystem.h"
#include "game/Game/Level.h"
#include "game/GameApplication.h"
#include "game/UserLevels.h"

#include <exception>
#include <filesystem>
#include <system_error>

namespace UserLevelFiles
{
namespace
{
std::string Quoted(const std::string& name)
{
    return "'" + name + "'";
}
} // namespace

std::string CheckName(const std::string& name)
{
    if (name.empty())
        return "Please enter a name for the level.";
    if (name.size() > kMaxNameBytes)
        return "The name is too long (at most " + std::to_string(kMaxNameBytes) + " characters).";
    for (const char c : name)
    {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '/' || c == '\\')
            return "The name can't contain '/' or '\\'.";
        if (byte < 0x20 || byte == 0x7f)
            return "The name can't contain control characters.";
    }
    // "." and ".." name folders, and a leading dot hides the file.
    if (name.front() == '.' || name.find("..") != std::string::npos)
        return "The name can't start with a dot or contain '..'.";
    if (name.front() == ' ' || name.back() == ' ')
        return "The name can't start or end with a space.";
    return "";
}

bool IsSafeName(const std::string& name)
{
    return CheckName(name).empty();
}

std::string FileNameOf(const std::string& name)
{
    return name + kUserLevelExtension;
}

std::string NameOf(const std::string& fileName)
{
    const size_t extension = std::char_traits<char>::length(kUserLevelExtension);
    return fileName.size() > extension ? fileName.substr(0, fileName.size() - extension) : fileName;
}

bool Exists(Korva::cFileSystem& fileSystem, const std::string& name)
{
    return IsSafeName(name) && fileSystem.Exists(UserLevelPath(FileNameOf(name)));
}

bool Load(Korva::cFileSystem& fileSystem, const std::string& fileName, cLevel& level,
          std::string& error)
{
    const std::string shown = Quoted(NameOf(fileName));
    if (!IsUserLevelFileName(fileName))
    {
        error = "The level " + shown + " isn't a level file.";
        return false;
    }
    const std::string path = UserLevelPath(fileName);
    if (!fileSystem.Exists(path))
    {
        error = "The level " + shown + " doesn't exist any more.";
        return false;
    }
    // Only a plain file: opening a pipe or device could block or never end.
    std::error_code failed;
    if (!std::filesystem::is_regular_file(fileSystem.TranslatePath(path), failed))
    {
        error = "The level " + shown + " isn't a level file.";
        return false;
    }
    const std::uintmax_t size = std::filesystem::file_size(fileSystem.TranslatePath(path), failed);
    if (failed)
    {
        error = "The level " + shown + " can't be read.";
        return false;
    }
    if (size > kMaxFileBytes)
    {
        error = "The level " + shown + " is too large to be a level file.";
        Korva::cLog::Get().WriteDefault("Refused level file: '" + path + "' (" +
                                        std::to_string(size) + " bytes).\n");
        return false;
    }
    try
    {
        cLevel loaded;
        loaded.Load(fileSystem, path);
        level = std::move(loaded);
        return true;
    }
    catch (const Korva::cExceptionOpeningFile&)
    {
        error = "The level " + shown + " can't be read.";
    }
    catch (const Korva::cException&)
    {
        error = "The level " + shown + " is damaged and can't be loaded.";
    }
    catch (const std::exception& e)
    {
        Korva::cLog::Get().WriteDefault("Refused level file: '" + path + "' (" + e.what() + ").\n");
        error = "The level " + shown + " can't be loaded.";
    }
    return false;
}

bool Save(Korva::cFileSystem& fileSystem, const std::string& name, const cLevel& level,
          std::string& error)
{
    const std::string problem = CheckName(name);
    if (!problem.empty())
    {
        error = problem;
        return false;
    }
    return SaveFile(fileSystem, FileNameOf(name), level, error);
}

bool SaveFile(Korva::cFileSystem& fileSystem, const std::string& fileName, const cLevel& level,
              std::string& error)
{
    if (!IsUserLevelFileName(fileName))
    {
        error = "The level " + Quoted(NameOf(fileName)) + " isn't a level file.";
        return false;
    }
    const std::string folder = cGameApplication::kUserLevelsFolder;
    if (!fileSystem.IsFolder(folder) && !fileSystem.CreateFolder(folder))
    {
        error = "The level couldn't be saved: the folder for your levels can't be created. "
                "It is still in the editor.";
        return false;
    }
    try
    {
        level.Save(fileSystem, UserLevelPath(fileName));
        return true;
    }
    catch (const Korva::cException&)
    {
        // The exception has logged the path and the reason.
        error = "The level couldn't be saved: the disk may be full or the folder not writable. "
                "It is still in the editor.";
    }
    catch (const std::exception& e)
    {
        Korva::cLog::Get().WriteDefault(std::string("Saving a level failed: ") + e.what() + "\n");
        error = "The level couldn't be saved. It is still in the editor.";
    }
    return false;
}
} // namespace UserLevelFiles
