#pragma once

#include <vorbis/vorbisfile.h>

#include <cstddef>
#include <cstdint>

namespace Korva
{

// A vorbisfile decoder over an Ogg Vorbis file in memory, read through our own
// read, seek, close and tell callbacks with a cursor of its own. Several
// decoders may share the same bytes. Not movable: the callbacks hold its address.
class cOggFile
{
public:
    cOggFile(const uint8_t* data, size_t size);
    ~cOggFile();
    cOggFile(const cOggFile&) = delete;
    cOggFile& operator=(const cOggFile&) = delete;

    // False when the bytes are not an Ogg Vorbis stream.
    bool Open();
    // Channels and rate of the current link; null when not open.
    const vorbis_info* GetInfo();
    // A chained file is several streams one after the other, each with its
    // own channel count and rate: the links.
    int GetLinkCount();
    // Channels and rate of one link; null when there is no such link.
    const vorbis_info* GetLinkInfo(int link);
    // Decodes 16-bit signed frames (native byte order, or little-endian) into
    // buffer; as ov_read: bytes written, 0 at the end, negative on an error.
    // channels is the channel count of the link the frames came from.
    long Read(void* buffer, int bytes, int& channels, bool littleEndian = false);
    // Back to the first frame; false when the stream can't seek.
    bool Rewind();

private:
    static size_t ReadCallback(void* buffer, size_t size, size_t count, void* source);
    static int SeekCallback(void* source, ogg_int64_t offset, int whence);
    static int CloseCallback(void* source);
    static long TellCallback(void* source);

    const uint8_t* m_data;
    size_t m_size;
    size_t m_cursor = 0;
    OggVorbis_File m_file{};
    bool m_open = false;
};

} // namespace Korva
