#pragma once

#include <cstdint>
#include <string>

namespace Korva
{

// Base of every named asset (image, sprite, sound, campaign, level).
//
// A resource is reference counted and lives on the heap: it starts with one
// reference held by its creator, and the constructor registers it with the
// resource manager, which takes a second one. `Release` drops it from the
// manager and gives up the caller's reference; the last reference destroys
// it. The destructor is protected so nothing else can destroy it by accident.
//
// Loaded or not is independent of existence: the manager loads and unloads
// resources by tier (`GetLevel`) while they stay registered.
class cResource
{
public:
    cResource(std::string typeName, std::string alias, int32_t level, std::string file = {});
    cResource(const cResource&) = delete;
    cResource& operator=(const cResource&) = delete;

    // Leaves the manager (if still there), then drops the caller's reference.
    virtual void Release();
    virtual const std::string& GetFile() const { return m_file; }
    // Brings the resource's content into memory; does nothing when loaded.
    virtual void Load() {}
    // Frees the content; the resource stays registered and can load again.
    virtual void Unload() {}

    virtual bool IsLoaded() const { return false; }

    void AddReference() { ++m_referenceCount; }
    // Drops one reference; the last one destroys the resource.
    void DropReference();
    int32_t GetReferenceCount() const { return m_referenceCount; }

    const std::string& GetTypeName() const { return m_typeName; }
    const std::string& GetAlias() const { return m_alias; }
    int32_t GetLevel() const { return m_level; }

protected:
    virtual ~cResource() = default;

private:
    int32_t m_referenceCount = 1;
    std::string m_typeName;
    std::string m_alias;
    int32_t m_level;
    std::string m_file;
};

} // namespace Korva
