#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace Korva
{

// A readable byte stream. Multi-byte values are little-endian unless the
// stream is switched to big-endian. Typed reads either read the whole value
// or raise cExceptionEndOfFile and leave the position where it was; plain
// `Read` returns what there is. Seeks clamp the position to 0..Size().
class cFileInput
{
public:
    explicit cFileInput(std::string name) : m_name(std::move(name)) {}
    virtual ~cFileInput() = default;
    cFileInput(const cFileInput&) = delete;
    cFileInput& operator=(const cFileInput&) = delete;

    virtual size_t Size() const = 0;
    virtual size_t Tell() const = 0;
    virtual bool IsEOF() const = 0;
    virtual uint8_t PeekU8();
    virtual uint16_t PeekU16();
    virtual uint32_t PeekU32();
    virtual float PeekFloat();
    virtual uint8_t ReadU8();
    virtual uint16_t ReadU16();
    virtual uint32_t ReadU32();
    virtual float ReadFloat();
    // Reads up to `count` bytes; fewer at the end of the stream, never an error.
    virtual size_t Read(void* buffer, size_t count) = 0;
    // Appends the bytes up to the next line feed (consumed; appended only with
    // keepNewline). The end of the stream ends the line without error.
    virtual void ReadLine(std::string& line, bool keepNewline);
    virtual void Seek(int64_t offset) = 0;
    // Like fseek with SEEK_END: the position becomes Size() + offset.
    virtual void SeekFromEnd(int64_t offset) = 0;
    virtual void SeekRelative(int64_t offset) = 0;

    void SetByteOrder(bool bigEndian) { m_bigEndian = bigEndian; }
    bool IsBigEndian() const { return m_bigEndian; }
    const std::string& GetName() const { return m_name; }

protected:
    // The clamped position for a seek to `position`.
    int64_t Clamp(int64_t position) const;

private:
    // Reads exactly `count` bytes or raises cExceptionEndOfFile with the
    // position unchanged.
    void ReadExactly(void* buffer, size_t count);
    uint32_t Assemble(const uint8_t* bytes, size_t count) const;

    std::string m_name;
    bool m_bigEndian = false;
};

} // namespace Korva
