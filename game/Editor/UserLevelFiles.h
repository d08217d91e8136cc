#pragma once

#include <cstdint>
#include <string>

namespace Korva
{
class cFileSystem;
}
class cLevel;

// Reading and writing the player's own level files (the user levels folder,
// listed by ListUserLevelFiles) for the editor's load and save dialogs.
// A level is saved under "<name>.lvl"; the name is what the player types.
namespace UserLevelFiles
{
// Longest name, in bytes of its UTF-8 text, without the extension.
constexpr size_t kMaxNameBytes = 64;
// A level file larger than this is damage, not a level: the largest board
// the reader accepts stays far below it.
constexpr std::uintmax_t kMaxFileBytes = 16u * 1024u * 1024u;

// "" when `name` can be saved under; otherwise a message for the player
// saying why not (empty, too long, path separators, "..", a leading dot,
// control characters, spaces at either end).
std::string CheckName(const std::string& name);
bool IsSafeName(const std::string& name);

// The file name of a level name, and the name shown for a listed file.
std::string FileNameOf(const std::string& name);
std::string NameOf(const std::string& fileName);

bool Exists(Korva::cFileSystem& fileSystem, const std::string& name);

// Reads the listed file `fileName`. On any fault (missing, unreadable, too
// large or malformed) `level` is left as it was, `error` gets a message for
// the player and the result is false.
bool Load(Korva::cFileSystem& fileSystem, const std::string& fileName, cLevel& level,
          std::string& error);
// Writes `level` under `name` whole or not at all (temporary file, then
// rename), creating the folder when needed. On failure `error` gets a
// message for the player and an earlier file of that name is kept.
bool Save(Korva::cFileSystem& fileSystem, const std::string& name, const cLevel& level,
          std::string& error);
// The same into the level file `fileName` itself (a listed file, whatever
// the case of its extension or the length of its name).
bool SaveFile(Korva::cFileSystem& fileSystem, const std::string& fileName, const cLevel& level,
              std::string& error);
} // namespace UserLevelFiles
