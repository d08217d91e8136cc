#pragma once

#include <string>
#include <vector>

namespace Korva
{
class cFileSystem;
}

// The levels the player made in the editor live as level files in one folder
// of the per-user file system. The editor's dialogs and the level selector
// both list that folder through these helpers, so they always agree on which
// files are levels.

// The file name ending that marks a level file (compared ignoring case).
inline constexpr const char* kUserLevelExtension = ".lvl";

// True for a plain file name (no folder part, not hidden) ending in
// kUserLevelExtension. Temporary files of an interrupted save do not match.
bool IsUserLevelFileName(const std::string& name);

// The level files directly inside `folder` of `fileSystem`: file names only,
// sorted by name ignoring case (ties in byte order). Sub-folders and other
// files are left out; a missing folder gives an empty list.
std::vector<std::string> ListLevelFiles(const Korva::cFileSystem& fileSystem,
                                        const std::string& folder);

// ListLevelFiles of the per-user levels folder.
std::vector<std::string> ListUserLevelFiles(const Korva::cFileSystem& userFileSystem);

// The path of a user level file in the per-user file system.
std::string UserLevelPath(const std::string& fileName);

// Makes the per-user folder and its user-levels folder where they are
// missing, and removes what interrupted saves left in them. Raises cException
// "Couldn't create folder." when a folder cannot be made, naming the file
// when one is in the folder's way.
void PrepareUserFolders(Korva::cFileSystem& userFileSystem);
