#pragma once

#include <string>

namespace Korva
{

// Lists the entries of one folder that match a pattern. Indexes outside
// 0..GetCount()-1 raise cException "Invalid entry.".
class cDirectoryScanner
{
public:
    virtual ~cDirectoryScanner() = default;

    virtual void Scan(const std::string& path, const std::string& pattern) = 0;
    virtual void Scan(const std::string& path) { Scan(path, "*.*"); }
    virtual int GetCount() const = 0;
    virtual bool IsFolder(int index) const = 0;
    virtual const std::string& GetName(int index) const = 0;
};

} // namespace Korva
