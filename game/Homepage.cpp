#include "game/Homepage.h"

#include "engine/Core/Exception.h"
#include "engine/File/FileInput.h"
#include "engine/File/FileSystem.h"

#include <cctype>
#include <cstdio>

using namespace Korva;

namespace Homepage
{

namespace
{

// RFC 3986: letters, digits, '+', '-', '.' after a first letter, then ':'.
bool HasScheme(const std::string& address)
{
    const size_t colon = address.find(':');
    if (colon == std::string::npos || colon == 0 ||
        !std::isalpha(static_cast<unsigned char>(address[0])))
        return false;
    for (size_t i = 1; i < colon; ++i)
    {
        const unsigned char c = static_cast<unsigned char>(address[i]);
        if (!std::isalnum(c) && c != '+' && c != '-' && c != '.')
            return false;
    }
    return true;
}

// A path as the path part of a file:// address: everything but the
// unreserved characters and '/' percent-encoded.
std::string EncodePath(const std::string& path)
{
    std::string out;
    for (const char ch : path)
    {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (std::isalnum(c) || c == '/' || c == '-' || c == '.' || c == '_' || c == '~')
            out += ch;
        else
        {
            char hex[4];
            std::snprintf(hex, sizeof(hex), "%%%02X", c);
            out += hex;
        }
    }
    return out;
}

} // namespace

std::string Resolve(const std::string& address, const std::string& base)
{
    if (address.empty() || HasScheme(address))
        return address;
    std::string path = address;
    if (path.front() != '/')
        path = (base.empty() || base.back() != '/' ? base + "/" : base) + path;
    return "file://" + EncodePath(path);
}

std::string ReadAddress(cFileSystem& programFolder)
{
    std::string address;
    try
    {
        cScopedInput input(programFolder, programFolder.OpenInput(kLinkFile, true, false));
        while (!input->IsEOF())
        {
            std::string line;
            input->ReadLine(line, false);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (line.rfind("URL=", 0) == 0)
            {
                address = line.substr(4);
                break;
            }
        }
    }
    catch (const cException&)
    {
        // No link file: the built-in address.
    }
    if (address.empty())
        return kBuiltInAddress;
    return Resolve(address, programFolder.GetRoot());
}

} // namespace Homepage
