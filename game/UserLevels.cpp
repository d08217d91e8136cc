#include "game/UserLevels.h"

#include "engine/Core/Exception.h"
#include "engine/File/FileSystem.h"
#include "game/GameApplication.h"

#include <algorithm>
#include <cctype>

using namespace Korva;

namespace
{
char Lower(char c)
{
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool EndsWithIgnoringCase(const std::string& text, const std::string& end)
{
    if (text.size() < end.size())
        return false;
    return std::equal(end.begin(), end.end(), text.end() - static_cast<std::ptrdiff_t>(end.size()),
                      [](char a, char b) { return Lower(a) == Lower(b); });
}

bool LessIgnoringCase(const std::string& a, const std::string& b)
{
    const bool less = std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) { return Lower(x) < Lower(y); });
    const bool greater = std::lexicographical_compare(
        b.begin(), b.end(), a.begin(), a.end(), [](char x, char y) { return Lower(x) < Lower(y); });
    return less || (!greater && a < b);
}
} // namespace

bool IsUserLevelFileName(const std::string& name)
{
    const std::string extension = kUserLevelExtension;
    return name.size() > extension.size() && name[0] != '.' &&
           name.find_first_of("/\\") == std::string::npos && EndsWithIgnoringCase(name, extension);
}

std::vector<std::string> ListLevelFiles(const cFileSystem& fileSystem, const std::string& folder)
{
    std::vector<std::string> files;
    const std::unique_ptr<cDirectoryScanner> scanner = fileSystem.CreateDirectoryScanner();
    scanner->Scan(folder);
    for (int i = 0; i < scanner->GetCount(); ++i)
        if (!scanner->IsFolder(i) && IsUserLevelFileName(scanner->GetName(i)))
            files.push_back(scanner->GetName(i));
    std::sort(files.begin(), files.end(), LessIgnoringCase);
    return files;
}

std::vector<std::string> ListUserLevelFiles(const cFileSystem& userFileSystem)
{
    return ListLevelFiles(userFileSystem, cGameApplication::kUserLevelsFolder);
}

std::string UserLevelPath(const std::string& fileName)
{
    return std::string(cGameApplication::kUserLevelsFolder) + "/" + fileName;
}

void PrepareUserFolders(cFileSystem& userFileSystem)
{
    for (const std::string folder :
         {cGameApplication::kUserFolder, cGameApplication::kUserLevelsFolder})
    {
        if (!userFileSystem.IsFolder(folder) && !userFileSystem.CreateFolder(folder))
        {
            // A file where a folder belongs is the one failure the player
            // can mend; say which.
            for (size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1))
            {
                const std::string prefix = folder.substr(0, slash);
                if (userFileSystem.Exists(prefix) && !userFileSystem.IsFolder(prefix))
                    KORVA_THROW(cException, "Couldn't create folder. A file is in its way: '" +
                                                userFileSystem.TranslatePath(prefix) + "'.");
                if (slash == std::string::npos)
                    break;
            }
            KORVA_THROW(cException, "Couldn't create folder.");
        }
        userFileSystem.RemoveInterruptedSaves(folder);
    }
}
