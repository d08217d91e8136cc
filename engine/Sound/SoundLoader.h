#pragma once

#include <memory>
#include <string>

namespace Korva
{

class cSound;

// Makes sounds of one file type; registered with the sound system.
class cSoundLoader
{
public:
    virtual ~cSoundLoader() = default;
    // extension: the text after the last '.' of the file name.
    virtual bool Accepts(const std::string& extension) const = 0;
    // Reads file through the current file system; a bad file raises cException.
    virtual std::unique_ptr<cSound> Create(const std::string& file, bool streaming) = 0;
};

} // namespace Korva
