#include "engine/File/FileInputMemory.h"

#include <algorithm>
#include <cstring>

namespace Korva
{

cFileInputMemory::cFileInputMemory(std::string name, std::vector<uint8_t> data, bool text)
    : cFileInput(std::move(name)), m_data(std::move(data))
{
    if (text)
        std::erase(m_data, uint8_t{13});
}

cFileInputMemory::cFileInputMemory(std::string name, const void* data, size_t size, bool text)
    : cFileInputMemory(std::move(name),
                       std::vector<uint8_t>(static_cast<const uint8_t*>(data),
                                            static_cast<const uint8_t*>(data) + size),
                       text)
{
}

size_t cFileInputMemory::Read(void* buffer, size_t count)
{
    const size_t available = m_position < m_data.size() ? m_data.size() - m_position : 0;
    const size_t n = std::min(count, available);
    if (n > 0)
        std::memcpy(buffer, m_data.data() + m_position, n);
    m_position += n;
    return n;
}

void cFileInputMemory::ReadLine(std::string& line, bool keepNewline)
{
    const auto begin = m_data.begin() + static_cast<ptrdiff_t>(std::min(m_position, m_data.size()));
    const auto end = std::find(begin, m_data.end(), uint8_t{'\n'});
    line.append(begin, end);
    m_position = static_cast<size_t>(end - m_data.begin());
    if (end != m_data.end())
    {
        if (keepNewline)
            line += '\n';
        ++m_position;
    }
}

void cFileInputMemory::Seek(int64_t offset)
{
    m_position = static_cast<size_t>(Clamp(offset));
}

void cFileInputMemory::SeekFromEnd(int64_t offset)
{
    m_position = static_cast<size_t>(Clamp(static_cast<int64_t>(m_data.size()) + offset));
}

void cFileInputMemory::SeekRelative(int64_t offset)
{
    m_position = static_cast<size_t>(Clamp(static_cast<int64_t>(m_position) + offset));
}

} // namespace Korva
