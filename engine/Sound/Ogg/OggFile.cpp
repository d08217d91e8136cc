#include "engine/Sound/Ogg/OggFile.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>

namespace Korva
{

cOggFile::cOggFile(const uint8_t* data, size_t size) : m_data(data), m_size(data ? size : 0) {}

cOggFile::~cOggFile()
{
    if (m_open)
        ov_clear(&m_file);
}

bool cOggFile::Open()
{
    if (m_open)
        return true;
    const ov_callbacks callbacks{ReadCallback, SeekCallback, CloseCallback, TellCallback};
    m_cursor = 0;
    // On failure vorbisfile has already cleared the decoder itself.
    m_open = ov_open_callbacks(this, &m_file, nullptr, 0, callbacks) == 0;
    // vorbisfile leaves a chained file where the first read starts with the
    // second link, as if the first had no audio: back to the very start.
    if (m_open && ov_streams(&m_file) > 1)
        ov_raw_seek(&m_file, 0);
    return m_open;
}

const vorbis_info* cOggFile::GetInfo()
{
    return m_open ? ov_info(&m_file, -1) : nullptr;
}

int cOggFile::GetLinkCount()
{
    return m_open ? static_cast<int>(ov_streams(&m_file)) : 0;
}

const vorbis_info* cOggFile::GetLinkInfo(int link)
{
    return m_open && link >= 0 && link < GetLinkCount() ? ov_info(&m_file, link) : nullptr;
}

long cOggFile::Read(void* buffer, int bytes, int& channels, bool littleEndian)
{
    if (!m_open)
        return OV_EINVAL;
    int section = 0;
    const int bigEndian = !littleEndian && std::endian::native == std::endian::big ? 1 : 0;
    const long result =
        ov_read(&m_file, static_cast<char*>(buffer), bytes, bigEndian, 2, 1, &section);
    const vorbis_info* info = ov_info(&m_file, section);
    channels = info ? info->channels : 0;
    return result;
}

bool cOggFile::Rewind()
{
    return m_open && ov_pcm_seek(&m_file, 0) == 0;
}

size_t cOggFile::ReadCallback(void* buffer, size_t size, size_t count, void* source)
{
    auto& file = *static_cast<cOggFile*>(source);
    if (size == 0)
        return 0;
    const size_t items = std::min(count, (file.m_size - file.m_cursor) / size);
    if (items == 0)
        return 0;
    std::memcpy(buffer, file.m_data + file.m_cursor, items * size);
    file.m_cursor += items * size;
    return items;
}

int cOggFile::SeekCallback(void* source, ogg_int64_t offset, int whence)
{
    auto& file = *static_cast<cOggFile*>(source);
    ogg_int64_t base = 0;
    if (whence == SEEK_CUR)
        base = static_cast<ogg_int64_t>(file.m_cursor);
    else if (whence == SEEK_END)
        base = static_cast<ogg_int64_t>(file.m_size);
    else if (whence != SEEK_SET)
        return -1;
    // Seeks stay inside the buffer.
    const ogg_int64_t target = std::clamp<ogg_int64_t>(base + offset, 0, file.m_size);
    file.m_cursor = static_cast<size_t>(target);
    return 0;
}

int cOggFile::CloseCallback(void* /*source*/)
{
    // The bytes belong to the sound, not to the decoder.
    return 0;
}

long cOggFile::TellCallback(void* source)
{
    return static_cast<long>(static_cast<cOggFile*>(source)->m_cursor);
}

} // namespace Korva
