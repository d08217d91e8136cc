#include "engine/File/FileOutputFile.h"

#include "engine/Core/Exception.h"

namespace Korva
{

cFileOutputFile::~cFileOutputFile()
{
    CloseFile();
}

bool cFileOutputFile::CloseFile()
{
    if (!m_file)
        return true;
    const bool ok = std::fclose(m_file) == 0;
    m_file = nullptr;
    return ok;
}

void cFileOutputFile::Write(const void* buffer, size_t count)
{
    if (count == 0)
        return;
    if (!m_file || std::fwrite(buffer, 1, count, m_file) != count)
        KORVA_THROW(cExceptionWhenWritingFile, GetName());
}

void cFileOutputFile::Flush()
{
    if (!m_file || std::fflush(m_file) != 0)
        KORVA_THROW(cExceptionWhenWritingFile, GetName());
}

} // namespace Korva
