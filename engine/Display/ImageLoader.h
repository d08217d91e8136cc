#pragma once

#include "engine/Display/PixelBuffer.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>
#include <string>

namespace Korva
{

class cFileSystem;

// Turns one picture file into 32-bit pixels. Decoding works on the file's
// bytes, so it needs no file system and no render device; every malformed
// or truncated file raises the format's exception naming the path.
class cImageLoader
{
public:
    explicit cImageLoader(std::string path) : m_path(std::move(path)) {}
    virtual ~cImageLoader() = default;

    // Reads the whole file through `fileSystem` and decodes it.
    void Load(cFileSystem& fileSystem);
    // Decodes a file's bytes held in memory.
    virtual void Decode(std::span<const uint8_t> bytes) = 0;

    const std::string& GetPath() const { return m_path; }
    int32_t GetWidth() const { return m_buffer.GetWidth(); }
    int32_t GetHeight() const { return m_buffer.GetHeight(); }
    const uint8_t* GetPixels() const { return m_buffer.GetPixels(); }
    cPixelBuffer& GetBuffer() { return m_buffer; }

protected:
    cPixelBuffer m_buffer;

private:
    std::string m_path;
};

// The loader for a path by its extension: exactly "tga" or "pcx"; anything
// else raises "Unknown image format.".
std::unique_ptr<cImageLoader> CreateImageLoader(const std::string& path);

// Bounds-checked little-endian reading over a file's bytes; running past the
// end calls the loader's failure.
class cByteReader
{
public:
    cByteReader(std::span<const uint8_t> bytes, void (*fail)(const std::string&), std::string path)
        : m_bytes(bytes), m_fail(fail), m_path(std::move(path))
    {
    }

    size_t GetPosition() const { return m_position; }
    size_t GetRemaining() const { return m_bytes.size() - m_position; }
    void Seek(size_t position)
    {
        if (position > m_bytes.size())
            Fail();
        m_position = position;
    }
    uint8_t U8()
    {
        if (m_position >= m_bytes.size())
            Fail();
        return m_bytes[m_position++];
    }
    uint16_t U16()
    {
        const uint16_t low = U8();
        return static_cast<uint16_t>(low | (U8() << 8));
    }
    int16_t S16() { return static_cast<int16_t>(U16()); }
    [[noreturn]] void Fail() const
    {
        m_fail(m_path);
        std::abort(); // not reached: m_fail raises
    }

private:
    std::span<const uint8_t> m_bytes;
    size_t m_position = 0;
    void (*m_fail)(const std::string&);
    std::string m_path;
};

} // namespace Korva
