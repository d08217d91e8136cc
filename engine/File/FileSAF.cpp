#include "engine/File/FileSAF.h"

#include "engine/Core/Exception.h"
#include "engine/File/FileInputMemory.h"

#include <cstdio>
#include <cstring>

namespace Korva
{

namespace
{
// Folders nest no deeper than this; anything deeper is a damaged archive.
constexpr int kMaxDepth = 64;

struct sFileCloser
{
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using tFile = std::unique_ptr<std::FILE, sFileCloser>;

uint32_t LoadU32(const uint8_t* bytes)
{
    return uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 |
           uint32_t{bytes[3]} << 24;
}

// Reads the entry tree. Every block must lie inside the file, and the total
// of entries and block bytes may not exceed what a well-formed archive of
// this size can hold (entries never share bytes), so blocks that point at
// each other or at themselves end in an error instead of a hang.
class cIndexReader
{
public:
    cIndexReader(std::FILE* file, uint64_t fileSize, const std::string& path)
        : m_file(file), m_fileSize(fileSize), m_path(path), m_budget(fileSize)
    {
    }

    void ReadFolder(cFileSAF::sEntry& folder, int depth)
    {
        if (depth > kMaxDepth)
            Fail();
        const std::vector<uint8_t> block = ReadBlock(folder.offset, folder.size);
        size_t at = 0;
        while (at < block.size())
        {
            // Ten bytes at least: flags, the name's end, offset and size.
            if (block.size() - at < 10)
                Fail();
            cFileSAF::sEntry entry;
            entry.folder = (block[at] & 1) != 0;
            ++at;
            const auto* nameStart = block.data() + at;
            const auto* nameEnd =
                static_cast<const uint8_t*>(std::memchr(nameStart, 0, block.size() - at));
            if (!nameEnd)
                Fail();
            entry.name.assign(nameStart, nameEnd);
            at += entry.name.size() + 1;
            if (block.size() - at < 8)
                Fail();
            entry.offset = LoadU32(block.data() + at);
            entry.size = LoadU32(block.data() + at + 4);
            at += 8;
            if (uint64_t{entry.offset} + entry.size > m_fileSize)
                Fail();
            Spend(10 + entry.name.size());
            folder.children.push_back(std::move(entry));
        }
        for (auto& child : folder.children)
        {
            if (child.folder)
                ReadFolder(child, depth + 1);
        }
    }

private:
    [[noreturn]] void Fail() { KORVA_THROW(cExceptionBadSAFFile, m_path); }

    void Spend(uint64_t bytes)
    {
        if (bytes > m_budget)
            Fail();
        m_budget -= bytes;
    }

    std::vector<uint8_t> ReadBlock(uint32_t offset, uint32_t size)
    {
        if (uint64_t{offset} + size > m_fileSize)
            Fail();
        std::vector<uint8_t> block(size);
        if (size > 0 && (std::fseek(m_file, static_cast<long>(offset), SEEK_SET) != 0 ||
                         std::fread(block.data(), 1, size, m_file) != size))
            Fail();
        return block;
    }

    std::FILE* m_file;
    uint64_t m_fileSize;
    const std::string& m_path;
    uint64_t m_budget;
};
} // namespace

cFileSAF::cFileSAF(std::string path, std::string diskPath)
    : m_path(std::move(path)), m_diskPath(std::move(diskPath))
{
    tFile file(std::fopen(m_diskPath.c_str(), "rb"));
    if (!file)
        KORVA_THROW(cExceptionOpeningFile, m_path);
    uint64_t fileSize = 0;
    if (std::fseek(file.get(), 0, SEEK_END) == 0)
    {
        const long end = std::ftell(file.get());
        fileSize = end > 0 ? static_cast<uint64_t>(end) : 0;
    }
    std::fseek(file.get(), 0, SEEK_SET);

    uint8_t header[12];
    if (std::fread(header, 1, sizeof header, file.get()) != sizeof header ||
        std::memcmp(header, "SAF1", 4) != 0)
        KORVA_THROW(cExceptionBadSAFFile, m_path);
    m_root.folder = true;
    m_root.offset = LoadU32(header + 4);
    m_root.size = LoadU32(header + 8);
    cIndexReader(file.get(), fileSize, m_path).ReadFolder(m_root, 0);
}

const cFileSAF::sEntry* cFileSAF::Find(const std::string& path) const
{
    const sEntry* folder = &m_root;
    size_t start = 0;
    while (true)
    {
        const size_t slash = path.find('/', start);
        const bool last = slash == std::string::npos;
        const std::string_view name =
            std::string_view(path).substr(start, last ? std::string::npos : slash - start);
        const sEntry* found = nullptr;
        for (const auto& entry : folder->children)
        {
            if (entry.folder != last && entry.name == name)
            {
                found = &entry;
                break;
            }
        }
        if (!found)
            return nullptr;
        if (last)
            return found;
        folder = found;
        start = slash + 1;
    }
}

std::vector<uint8_t> cFileSAF::ReadFile(const sEntry& entry) const
{
    tFile file(std::fopen(m_diskPath.c_str(), "rb"));
    if (!file)
        KORVA_THROW(cExceptionOpeningFile, m_path);
    std::vector<uint8_t> data(entry.size);
    // The archive may have been replaced since it was mounted: a short read
    // is an error, never a read past what is there.
    if (entry.size > 0 && (std::fseek(file.get(), static_cast<long>(entry.offset), SEEK_SET) != 0 ||
                           std::fread(data.data(), 1, data.size(), file.get()) != data.size()))
        KORVA_THROW(cExceptionBadSAFFile, m_path);
    return data;
}

std::unique_ptr<cFileInput> cFileSAF::Open(const std::string& path, bool text) const
{
    const sEntry* entry = Find(path);
    if (!entry)
        return nullptr;
    return std::make_unique<cFileInputMemory>(path, ReadFile(*entry), text);
}

} // namespace Korva
