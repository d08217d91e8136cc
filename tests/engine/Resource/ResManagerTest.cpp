#include "engine/Resource/ResManager.h"
#include "engine/Core/Exception.h"
#include "engine/Resource/Resource.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace Korva;

namespace
{
// Aliases of the test resources alive right now.
std::multiset<std::string>& Alive()
{
    static std::multiset<std::string> alive;
    return alive;
}

class cTestResource : public cResource
{
public:
    cTestResource(const std::string& alias, int32_t level, const std::string& file = "file")
        : cResource("Test", alias, level, file)
    {
        Alive().insert(alias);
    }
    void Load() override { m_loaded = true; }
    void Unload() override { m_loaded = false; }
    bool IsLoaded() const override { return m_loaded; }

protected:
    ~cTestResource() override { Alive().erase(Alive().find(GetAlias())); }

private:
    bool m_loaded = false;
};

class ResManager : public testing::Test
{
protected:
    void SetUp() override { Alive().clear(); }
    void TearDown() override { cResManager::Destroy(); }
};
} // namespace

TEST_F(ResManager, ReferencesFollowTheListAndTheHolders)
{
    auto* resource = new cTestResource("SprBricks", 0);
    EXPECT_EQ(resource->GetReferenceCount(), 2) << "creator and list";
    EXPECT_EQ(cResManager::Get().GetCount(), 1);
    EXPECT_EQ(cResManager::Get().Find("SprBricks"), resource);

    // Adding again takes no second reference.
    cResManager::Get().AddResource(resource);
    EXPECT_EQ(resource->GetReferenceCount(), 2);
    EXPECT_EQ(cResManager::Get().GetCount(), 1);

    // A second holder keeps it alive when the creator releases it.
    resource->AddReference();
    resource->Release();
    EXPECT_EQ(cResManager::Get().GetCount(), 0);
    EXPECT_EQ(cResManager::Get().Find("SprBricks"), nullptr);
    ASSERT_EQ(Alive().count("SprBricks"), 1u);
    EXPECT_EQ(resource->GetReferenceCount(), 1);
    resource->Release(); // not in the list any more: only the reference goes
    EXPECT_EQ(Alive().count("SprBricks"), 0u);
}

TEST_F(ResManager, LookupByAliasAndIndex)
{
    auto* first = new cTestResource("Same", 0, "a.tga");
    auto* second = new cTestResource("Same", 1, "b.tga");
    auto* other = new cTestResource("Other", 0);
    cResManager& manager = cResManager::Get();
    EXPECT_EQ(manager.Find("Same"), first);
    EXPECT_EQ(manager.Find("same"), nullptr) << "aliases are case-sensitive";
    EXPECT_EQ(manager.GetResource(1), second);
    EXPECT_EQ(manager.GetResource(2), other);
    EXPECT_EQ(manager.CountAtLevel(0), 2);

    try
    {
        manager.GetResource(3);
        FAIL() << "index past the end accepted";
    }
    catch (const cException& e)
    {
        EXPECT_EQ(e.GetMessage(), "Invalid resource index.");
    }
    EXPECT_THROW(manager.GetResource(-1), cException);

    // Once the first leaves, the alias finds the second.
    first->Release();
    EXPECT_EQ(manager.Find("Same"), second);
    second->Release();
    other->Release();
    EXPECT_TRUE(Alive().empty());
}

TEST_F(ResManager, UnloadByTierAndReleaseEverythingAtTheEnd)
{
    cResManager& manager = cResManager::Get();
    cResource* tiers[4];
    for (int level = 0; level < 4; ++level)
    {
        tiers[level] = new cTestResource("Tier" + std::to_string(level), level);
        tiers[level]->Load();
    }
    manager.Unload(2);
    EXPECT_TRUE(tiers[0]->IsLoaded());
    EXPECT_TRUE(tiers[1]->IsLoaded());
    EXPECT_FALSE(tiers[2]->IsLoaded());
    EXPECT_FALSE(tiers[3]->IsLoaded());
    manager.Unload(0);
    EXPECT_FALSE(tiers[0]->IsLoaded());

    // Drop the creators' references: the list alone keeps them.
    for (cResource* resource : tiers)
        resource->DropReference();
    EXPECT_EQ(Alive().size(), 4u);
    manager.ReleaseAll();
    EXPECT_EQ(manager.GetCount(), 0);
    EXPECT_TRUE(Alive().empty());
}

TEST_F(ResManager, EndingTheManagerLeavesHeldResourcesUsable)
{
    auto* held = new cTestResource("Held", 0);
    cResManager::Destroy();
    ASSERT_EQ(Alive().count("Held"), 1u);
    EXPECT_EQ(held->GetReferenceCount(), 1);
    // Releasing after the manager is gone does not bring it back.
    held->Release();
    EXPECT_EQ(cResManager::GetIfExists(), nullptr);
    EXPECT_TRUE(Alive().empty());
}
