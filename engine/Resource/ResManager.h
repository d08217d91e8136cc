#pragma once

#include "engine/Core/Event.h"
#include "engine/Resource/ResourceTypeHandler.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Korva
{

class cDataNode;
class cResource;

// Every named asset of the program, created from resource list files and
// handed out by alias or index. The manager keeps one reference to each
// registered resource; resources it created from a list also keep their
// creator's reference here until `ReleaseAll`. Pointers handed out stay
// valid while the resource is registered.
//
// One instance, created by `Get` on first use; it ends itself on the core's
// shutdown event.
class cResManager : public cEventListener
{
public:
    static cResManager& Get();
    // The instance if there is one; never creates it.
    static cResManager* GetIfExists();
    // Ends the instance: releases every resource and drops every handler.
    static void Destroy();

    ~cResManager() override;
    cResManager(const cResManager&) = delete;
    cResManager& operator=(const cResManager&) = delete;

    void OnEvent(const cEvent& event) override;

    // Handlers are asked from the last added to the first, so a later one can
    // take over a type from an earlier one.
    void AddTypeHandler(std::unique_ptr<cResourceTypeHandler> handler);

    // Reads a resource list through the file-system manager's current file
    // system and creates its resources. Opening or reading errors propagate;
    // entries that cannot be used are skipped.
    void LoadList(const std::string& path);
    // Creates the resources of a list's "ResourceList" node (groups to any
    // depth).
    void LoadListNode(const cDataNode& node);

    // Registers a resource and takes a reference, unless it is already here.
    void AddResource(cResource* resource);
    // Drops the list's reference to a registered resource and unregisters it.
    void RemoveResource(cResource* resource);

    int32_t GetCount() const { return static_cast<int32_t>(m_resources.size()); }
    // Raises cException "Invalid resource index." outside 0..count-1.
    cResource* GetResource(int32_t index) const;
    // The first resource registered under exactly this alias, or null.
    cResource* Find(const std::string& alias) const;
    // How many registered resources are of exactly this tier.
    int32_t CountAtLevel(int32_t level) const;

    // Unloads every resource whose tier is at least minLevel.
    void Unload(int32_t minLevel);
    // Unregisters every resource and gives up the references the manager
    // holds; what nobody else holds is destroyed.
    void ReleaseAll();

private:
    cResManager();
    // One "Resource" entry: the last handler that accepts its type makes it.
    void CreateFromNode(const cDataNode& node);

    std::vector<cResource*> m_resources;
    // Creator's references of the resources made from lists.
    std::vector<cResource*> m_created;
    std::vector<std::unique_ptr<cResourceTypeHandler>> m_handlers;
};

} // namespace Korva
