#pragma once

#include "engine/File/FileOutput.h"

#include <vector>

namespace Korva
{

// Collects what is written in memory: for building archives and for tests.
class cFileOutputMemory : public cFileOutput
{
public:
    explicit cFileOutputMemory(std::string name = "memory") : cFileOutput(std::move(name)) {}

    void Write(const void* buffer, size_t count) override
    {
        const auto* bytes = static_cast<const uint8_t*>(buffer);
        m_data.insert(m_data.end(), bytes, bytes + count);
    }
    void Flush() override {}

    const std::vector<uint8_t>& GetData() const { return m_data; }
    std::string GetText() const { return std::string(m_data.begin(), m_data.end()); }

private:
    std::vector<uint8_t> m_data;
};

} // namespace Korva
