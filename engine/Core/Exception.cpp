#include "engine/Core/Exception.h"

#include "engine/Core/Log.h"

namespace Korva
{

namespace
{
std::string BaseName(const char* path)
{
    const std::string full = path ? path : "";
    const auto slash = full.find_last_of("/\\");
    return slash == std::string::npos ? full : full.substr(slash + 1);
}
} // namespace

cException::cException(const std::string& message, const char* sourcePath, int line)
    : m_message(message), m_file(BaseName(sourcePath)), m_line(line)
{
    m_text = "Exception at line " + std::to_string(m_line) + " in '" + m_file + "'.\n" + m_message;
    cLog::Get().WriteDefault(m_text + "\n");
}

} // namespace Korva
