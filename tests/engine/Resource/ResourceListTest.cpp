#include "engine/Core/Exception.h"
#include "engine/File/DataTree.h"
#include "engine/File/FileSystemManager.h"
#include "engine/Resource/ResManager.h"
#include "engine/Resource/Resource.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

using namespace Korva;

namespace
{
class cListedResource : public cResource
{
public:
    cListedResource(const std::string& type, const std::string& file, const std::string& alias,
                    int32_t level, std::string handler, std::string extra)
        : cResource(type, alias, level, file), handler(std::move(handler)), extra(std::move(extra))
    {
    }
    std::string handler;
    std::string extra;
};

// Accepts the listed types; tags what it makes with its own name.
class cTestHandler : public cResourceTypeHandler
{
public:
    cTestHandler(std::string name, std::vector<std::string> types)
        : m_name(std::move(name)), m_types(std::move(types))
    {
    }
    bool Accepts(const std::string& typeName) const override
    {
        return std::find(m_types.begin(), m_types.end(), typeName) != m_types.end();
    }
    cResource* Create(const std::string& typeName, const std::string& file,
                      const std::string& alias, int32_t level, const cDataNode& node) override
    {
        return new cListedResource(typeName, file, alias, level, m_name,
                                   node.GetString("Looping", ""));
    }

private:
    std::string m_name;
    std::vector<std::string> m_types;
};

class ResourceList : public testing::Test
{
protected:
    void SetUp() override
    {
        m_folder = std::filesystem::temp_directory_path() /
                   ("korva_reslist_" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_folder);
        // A file system with an empty root takes the test's absolute paths.
        m_fileSystem = cFileSystemManager::Get().CreateFileSystem(1);
        cFileSystemManager::Get().SetCurrent(*m_fileSystem);
        cResManager::Get().AddTypeHandler(
            std::make_unique<cTestHandler>("engine", std::vector<std::string>{"Image", "Sound"}));
        cResManager::Get().AddTypeHandler(
            std::make_unique<cTestHandler>("game", std::vector<std::string>{"Level", "Sound"}));
    }
    void TearDown() override
    {
        cResManager::Destroy();
        cFileSystemManager::Get().RemoveFileSystem(m_fileSystem);
        std::filesystem::remove_all(m_folder);
    }

    std::string WriteList(const std::string& name, const std::string& text)
    {
        const auto path = m_folder / name;
        std::ofstream(path, std::ios::binary) << text;
        return path.string();
    }

    static const cListedResource* Listed(const std::string& alias)
    {
        return dynamic_cast<const cListedResource*>(cResManager::Get().Find(alias));
    }

    std::filesystem::path m_folder;
    cFileSystem* m_fileSystem = nullptr;
};
} // namespace

TEST_F(ResourceList, GroupsNestToAnyDepthAndEntriesKeepFileOrder)
{
    const std::string path = WriteList("Images.res", R"(ResourceList=
{
	Resource=
	{
		Type="Image"
		File="/Images/Top.tga"
		Alias="ImgTop"
	}
	Menu=
	{
		Buttons=
		{
			Small=
			{
				Resource=
				{
					Type="Image"
					File="/Images/Deep.tga"
					Alias="ImgDeep"
					Level="2"
				}
			}
		}
		Resource=
		{
			Type="Image"
			File="/Images/NoAlias.tga"
			Level="abc"
		}
	}
}
)");
    cResManager& manager = cResManager::Get();
    manager.LoadList(path);
    ASSERT_EQ(manager.GetCount(), 3);
    EXPECT_EQ(manager.GetResource(0)->GetAlias(), "ImgTop");
    EXPECT_EQ(manager.GetResource(1)->GetAlias(), "ImgDeep");
    EXPECT_EQ(manager.GetResource(1)->GetLevel(), 2);
    EXPECT_EQ(manager.GetResource(1)->GetFile(), "/Images/Deep.tga");
    EXPECT_EQ(manager.Find("ImgDeep"), manager.GetResource(1));
    // Without an alias the file names it; an unreadable tier is tier 0.
    const cResource* noAlias = manager.Find("/Images/NoAlias.tga");
    ASSERT_NE(noAlias, nullptr);
    EXPECT_EQ(noAlias->GetLevel(), 0);
    EXPECT_EQ(noAlias->GetTypeName(), "Image");
    EXPECT_EQ(noAlias->GetReferenceCount(), 2);
}

TEST_F(ResourceList, LastHandlerWinsAndUnusableEntriesAreSkipped)
{
    const std::string path = WriteList("Mixed.res", R"(ResourceList=
{
	Resource=
	{
		Type="Sound"
		File="/Sounds/Click.wav"
		Alias="SndClick"
		Looping="True"
	}
	Resource=
	{
		File="/Sounds/NoType.wav"
		Alias="SndNoType"
	}
	Resource=
	{
		Type="Image"
		Alias="ImgNoFile"
	}
	Resource=
	{
		Type="Music"
		File="/Sounds/Unknown.ogg"
		Alias="SndUnknown"
	}
	Resource=
	{
		Type="Image"
		File="/Images/A.tga"
		Alias="ImgA"
	}
}
)");
    cResManager::Get().LoadList(path);
    EXPECT_EQ(cResManager::Get().GetCount(), 2);
    ASSERT_NE(Listed("SndClick"), nullptr);
    EXPECT_EQ(Listed("SndClick")->handler, "game");
    EXPECT_EQ(Listed("SndClick")->extra, "True") << "the handler sees the whole node";
    ASSERT_NE(Listed("ImgA"), nullptr);
    EXPECT_EQ(Listed("ImgA")->handler, "engine");
    EXPECT_EQ(cResManager::Get().Find("SndNoType"), nullptr);
    EXPECT_EQ(cResManager::Get().Find("SndUnknown"), nullptr);
}

TEST_F(ResourceList, MissingListNodeIsEmptyAndMissingFileRaises)
{
    cResManager::Get().LoadList(WriteList("Other.res", "Something=\n{\n}\n"));
    EXPECT_EQ(cResManager::Get().GetCount(), 0);
    EXPECT_THROW(cResManager::Get().LoadList((m_folder / "Missing.res").string()),
                 cExceptionOpeningFile);
}

TEST_F(ResourceList, DeeplyNestedGroupsDoNotExhaustTheStack)
{
    std::string text = "ResourceList=\n{\n";
    const int depth = 100000;
    for (int i = 0; i < depth; ++i)
        text += "G=\n{\n";
    text += "Resource=\n{\nType=\"Image\"\nFile=\"deep.tga\"\n}\n";
    for (int i = 0; i < depth; ++i)
        text += "}\n";
    text += "}\n";
    cResManager::Get().LoadList(WriteList("Deep.res", text));
    EXPECT_NE(cResManager::Get().Find("deep.tga"), nullptr);
}
