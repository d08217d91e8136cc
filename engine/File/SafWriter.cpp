#include "engine/File/SafWriter.h"

#include "engine/Core/Exception.h"
#include "engine/File/FileOutput.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unordered_map>

namespace Korva
{

namespace
{
// Mounting rejects deeper archives as damaged.
constexpr size_t kMaxDepth = 64;

void PutU32(std::vector<uint8_t>& out, uint64_t value)
{
    if (value > UINT32_MAX)
        KORVA_THROW(cException, "Archive too large.");
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<uint8_t>(value >> shift));
}
} // namespace

cSafWriter::cSafWriter()
{
    m_root.folder = true;
}

cSafWriter::sNode& cSafWriter::Reach(const std::string& path, bool folder)
{
    sNode* node = &m_root;
    size_t start = 0;
    size_t depth = 0;
    while (true)
    {
        const size_t slash = path.find('/', start);
        const bool last = slash == std::string::npos;
        const std::string name = path.substr(start, last ? std::string::npos : slash - start);
        const bool wantFolder = !last || folder;
        if (name.empty() || name.find('\0') != std::string::npos || ++depth > kMaxDepth)
            KORVA_THROW(cException, "Invalid archive path: '" + path + "'.");
        auto it = std::find_if(node->children.begin(), node->children.end(),
                               [&](const sNode& child) { return child.name == name; });
        if (it == node->children.end())
        {
            node->children.push_back({name, wantFolder, {}, {}});
            it = node->children.end() - 1;
        }
        else if (it->folder != wantFolder)
            KORVA_THROW(cException, "Invalid archive path: '" + path + "'.");
        node = &*it;
        if (last)
            return *node;
        start = slash + 1;
    }
}

void cSafWriter::AddFile(const std::string& path, std::vector<uint8_t> data)
{
    Reach(path, false).data = std::move(data);
}

void cSafWriter::AddFolder(const std::string& path)
{
    Reach(path, true);
}

size_t cSafWriter::AddFolderFromDisk(const std::string& folder)
{
    namespace fs = std::filesystem;
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
    {
        if (entry.is_regular_file())
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    for (const auto& file : files)
    {
        std::ifstream in(file, std::ios::binary);
        std::vector<uint8_t> data((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
        if (!in.good() && !in.eof())
            KORVA_THROW(cExceptionOpeningFile, file.string());
        AddFile(fs::relative(file, folder).generic_string(), std::move(data));
    }
    return files.size();
}

std::vector<uint8_t> cSafWriter::Build() const
{
    // File data first, in tree order, so every offset is known before the
    // blocks are laid out.
    std::vector<const sNode*> files;
    std::vector<const sNode*> folders; // parent before children
    std::vector<const sNode*> pending{&m_root};
    while (!pending.empty())
    {
        const sNode* node = pending.back();
        pending.pop_back();
        folders.push_back(node);
        for (auto it = node->children.rbegin(); it != node->children.rend(); ++it)
        {
            if (it->folder)
                pending.push_back(&*it);
        }
        for (const auto& child : node->children)
        {
            if (!child.folder)
                files.push_back(&child);
        }
    }

    auto blockSize = [](const sNode& folder)
    {
        uint64_t size = 0;
        for (const auto& child : folder.children)
            size += 10 + child.name.size();
        return size;
    };

    uint64_t position = 12;
    std::unordered_map<const sNode*, uint64_t> offsets;
    auto offsetOf = [&](const sNode* node) { return offsets.at(node); };
    for (const sNode* file : files)
    {
        offsets.emplace(file, position);
        position += file->data.size();
    }
    for (const sNode* folder : folders)
    {
        offsets.emplace(folder, position);
        position += blockSize(*folder);
    }

    std::vector<uint8_t> out{'S', 'A', 'F', '1'};
    PutU32(out, offsetOf(&m_root));
    PutU32(out, blockSize(m_root));
    for (const sNode* file : files)
        out.insert(out.end(), file->data.begin(), file->data.end());
    for (const sNode* folder : folders)
    {
        for (const auto& child : folder->children)
        {
            out.push_back(child.folder ? 1 : 0);
            out.insert(out.end(), child.name.begin(), child.name.end());
            out.push_back(0);
            PutU32(out, offsetOf(&child));
            PutU32(out, child.folder ? blockSize(child) : child.data.size());
        }
    }
    return out;
}

void cSafWriter::Write(cFileOutput& out) const
{
    const std::vector<uint8_t> bytes = Build();
    out.Write(bytes.data(), bytes.size());
}

} // namespace Korva
