#include "engine/File/FileInputFile.h"

#include <algorithm>
#include <cstring>

namespace Korva
{

cFileInputFile::cFileInputFile(std::string name, std::FILE* file, bool text)
    : cFileInput(std::move(name)), m_file(file), m_text(text)
{
    if (std::fseek(m_file, 0, SEEK_END) == 0)
    {
        const long end = std::ftell(m_file);
        m_size = end > 0 ? static_cast<size_t>(end) : 0;
    }
    std::fseek(m_file, 0, SEEK_SET);
}

cFileInputFile::~cFileInputFile()
{
    std::fclose(m_file);
}

size_t cFileInputFile::Tell() const
{
    const long position = std::ftell(m_file);
    return position > 0 ? static_cast<size_t>(position) : 0;
}

bool cFileInputFile::IsEOF() const
{
    return std::feof(m_file) != 0;
}

size_t cFileInputFile::Read(void* buffer, size_t count)
{
    auto* out = static_cast<uint8_t*>(buffer);
    size_t filled = 0;
    while (filled < count)
    {
        const size_t got = std::fread(out + filled, 1, count - filled, m_file);
        if (got == 0)
            break;
        if (m_text)
        {
            uint8_t* begin = out + filled;
            filled = static_cast<size_t>(std::remove(begin, begin + got, uint8_t{13}) - out);
        }
        else
            filled += got;
    }
    return filled;
}

void cFileInputFile::Seek(int64_t offset)
{
    std::fseek(m_file, static_cast<long>(Clamp(offset)), SEEK_SET);
}

void cFileInputFile::SeekFromEnd(int64_t offset)
{
    Seek(static_cast<int64_t>(m_size) + offset);
}

void cFileInputFile::SeekRelative(int64_t offset)
{
    Seek(static_cast<int64_t>(Tell()) + offset);
}

} // namespace Korva
