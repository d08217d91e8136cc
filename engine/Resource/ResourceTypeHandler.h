#pragma once

#include <cstdint>
#include <string>

namespace Korva
{

class cDataNode;
class cResource;

// Creates resources of the types it knows from a resource list's entries.
class cResourceTypeHandler
{
public:
    virtual ~cResourceTypeHandler() = default;

    virtual bool Accepts(const std::string& typeName) const = 0;
    // Returns a new resource (registered with the manager by its constructor)
    // whose creator's reference passes to the caller. `node` is the list's
    // "Resource" node, for attributes only some types know.
    virtual cResource* Create(const std::string& typeName, const std::string& file,
                              const std::string& alias, int32_t level, const cDataNode& node) = 0;
};

} // namespace Korva
