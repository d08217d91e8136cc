#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Korva
{

// A sound file's bytes, shared by a streaming sound and its instances so that
// each instance can read it with a cursor of its own.
using cSoundBytes = std::shared_ptr<const std::vector<uint8_t>>;

// Reads a whole file through the current file system. Raises
// cExceptionOpeningFile when it can't be opened.
cSoundBytes ReadSoundFile(const std::string& path);

} // namespace Korva
