// The generated program folder read through the game's own loaders: every
// resource list, every resource in it, and every alias the program asks for,
// with the frame and animation numbering the code relies on.
#include "engine/Core/Core.h"
#include "engine/Core/Exception.h"
#include "engine/Display/ImageLoader.h"
#include "engine/Display/Sprite.h"
#include "engine/File/DataTree.h"
#include "engine/File/FileSystemManager.h"
#include "engine/File/POSIX/FileSystemPOSIX.h"
#include "engine/Resource/BuiltIn/BuiltInResourceHandler.h"
#include "engine/Resource/ResManager.h"
#include "engine/Resource/Resource.h"
#include "engine/Resource/ResourceTypeHandler.h"
#include "engine/Sound/Ogg/SoundLoaderOgg.h"
#include "engine/Sound/Sound.h"
#include "engine/Sound/SoundFile.h"
#include "engine/Sound/SoundSystem.h"
#include "engine/Sound/Wav/SoundLoaderWav.h"
#include "game/Game/Campaign.h"
#include "game/Game/GameResourceHandler.h"
#include "game/Game/Level.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>

using namespace Korva;
namespace fs = std::filesystem;

namespace
{

const std::string kProgramDir = ZELTRA_TEST_PROGRAM_DIR;

struct sListed
{
    std::string list, type, file, alias;
    int32_t level = 0;
    std::map<std::string, std::string> attributes;
};

// Records what the resource manager's list reader creates, one entry per resource.
class cRecorded : public cResource
{
public:
    cRecorded(const std::string& type, const std::string& file, const std::string& alias,
              int32_t level)
        : cResource(type, alias, level, file)
    {
    }
};

class cRecorder : public cResourceTypeHandler
{
public:
    explicit cRecorder(std::vector<sListed>& out) : m_out(out) {}
    std::string list;
    bool Accepts(const std::string&) const override { return true; }
    cResource* Create(const std::string& type, const std::string& file, const std::string& alias,
                      int32_t level, const cDataNode& node) override
    {
        sListed e{list, type, file, alias, level, {}};
        for (size_t i = 0; i < node.AttributeCount(); ++i)
            e.attributes[node.AttributeName(i)] = node.AttributeValue(i);
        m_out.push_back(e);
        return new cRecorded(type, file, alias, level);
    }

private:
    std::vector<sListed>& m_out;
};

class GeneratedData : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        // Lists are read exactly as the game reads them; the recorder stands in
        // for the type handlers so that every entry is seen.
        cFileSystem* any = cFileSystemManager::Get().CreateFileSystem(1);
        cFileSystemManager::Get().SetCurrent(*any);
        auto recorder = std::make_unique<cRecorder>(s_entries);
        cRecorder* r = recorder.get();
        cResManager::Get().AddTypeHandler(std::move(recorder));
        for (const char* list : {"Images", "Sprites", "Sounds", "Campaigns", "Levels"})
        {
            r->list = list;
            cResManager::Get().LoadList(kProgramDir + "/Resources/" + list + ".res");
        }
        cResManager::Destroy();
        cFileSystemManager::Get().RemoveFileSystem(any);
    }

    static const sListed* Find(const std::string& alias)
    {
        for (const auto& e : s_entries)
            if (e.alias == alias)
                return &e;
        return nullptr;
    }

    // The sprite of an alias, loaded from its file with its image's real size
    // known, so a frame outside the image fails the load.
    std::unique_ptr<cSprite> LoadSprite(const std::string& alias)
    {
        const sListed* e = Find(alias);
        if (!e)
            return nullptr;
        return std::make_unique<cSprite>(e->file, m_programFolder,
                                         [](const std::string&)
                                         { return static_cast<cImageSource*>(nullptr); });
    }

    cFileSystemPOSIX m_programFolder{kProgramDir};
    static std::vector<sListed> s_entries;
};

std::vector<sListed> GeneratedData::s_entries;

TEST_F(GeneratedData, EveryListedResourceLoadsThroughTheGamesLoaders)
{
    std::map<std::string, int> perType;
    std::set<std::string> aliases;
    for (const auto& e : s_entries)
    {
        SCOPED_TRACE(e.alias + " " + e.file);
        EXPECT_TRUE(aliases.insert(e.alias).second) << "alias listed twice";
        ++perType[e.type];
        try
        {
            if (e.type == "Image")
            {
                auto loader = CreateImageLoader(e.file);
                loader->Load(m_programFolder);
                EXPECT_GT(loader->GetWidth(), 0);
                EXPECT_LE(loader->GetWidth(), 2048);
                EXPECT_LE(loader->GetHeight(), 2048);
            }
            else if (e.type == "Sprite")
            {
                cSprite sprite(e.file, m_programFolder,
                               [](const std::string&)
                               { return static_cast<cImageSource*>(nullptr); });
                ASSERT_GT(sprite.GetFrameCount(), 0);
                // Every frame lies inside its sheet image.
                const sListed* image = Find(sprite.GetImageAlias());
                ASSERT_NE(image, nullptr) << sprite.GetImageAlias();
                auto loader = CreateImageLoader(image->file);
                loader->Load(m_programFolder);
                for (int32_t f = 0; f < sprite.GetFrameCount(); ++f)
                {
                    EXPECT_LE(sprite.GetFrameX(f) + sprite.GetFrameWidth(f), loader->GetWidth());
                    EXPECT_LE(sprite.GetFrameY(f) + sprite.GetFrameHeight(f), loader->GetHeight());
                }
                for (int32_t a = 0; a < sprite.GetAnimCount(); ++a)
                    for (int32_t s = 0; s < sprite.GetAnimStepCount(a); ++s)
                    {
                        EXPECT_LT(sprite.GetAnimStepFrame(a, s), sprite.GetFrameCount());
                        EXPECT_GT(sprite.GetAnimStepTime(a, s), 0.0f);
                    }
            }
            else if (e.type == "Sound")
            {
                const bool streaming =
                    e.attributes.count("Streaming") && e.attributes.at("Streaming") == "True";
                std::ifstream in(kProgramDir + e.file, std::ios::binary);
                const cSoundBytes bytes = std::make_shared<const std::vector<uint8_t>>(
                    std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
                std::unique_ptr<cSound> sound =
                    e.file.ends_with(".ogg") ? cSoundLoaderOgg::CreateFromMemory(bytes, streaming)
                                             : cSoundLoaderWav::CreateFromMemory(bytes, streaming);
                ASSERT_NE(sound, nullptr);
                EXPECT_EQ(sound->GetNativeRate(), 44100u);
            }
            else if (e.type == "Campaign")
            {
                cCampaign campaign;
                campaign.Load(m_programFolder, e.file);
                EXPECT_GT(campaign.GetLevelCount(), 0);
            }
            else if (e.type == "Level")
            {
                cLevel level;
                level.Load(m_programFolder, e.file);
                EXPECT_GT(level.GetWidth(), 0);
                EXPECT_GT(level.GetPieceCount(), 0);
            }
            else
                ADD_FAILURE() << "unknown type " << e.type;
        }
        catch (const cException& ex)
        {
            ADD_FAILURE() << ex.GetMessage();
        }
    }
    EXPECT_GT(perType["Image"], 40);
    EXPECT_GT(perType["Sprite"], 40);
    EXPECT_EQ(perType["Sound"], 15);
    EXPECT_EQ(perType["Campaign"], 1);
    EXPECT_GE(perType["Level"], 5);
}

TEST_F(GeneratedData, ListsPutEachResourceInItsOwnListAndTier)
{
    for (const auto& e : s_entries)
    {
        SCOPED_TRACE(e.alias);
        const std::string expected = e.type == "Image"      ? "Images"
                                     : e.type == "Sprite"   ? "Sprites"
                                     : e.type == "Sound"    ? "Sounds"
                                     : e.type == "Campaign" ? "Campaigns"
                                                            : "Levels";
        EXPECT_EQ(e.list, expected);
        // The intro loads tier 0 behind its progress bar; levels load on demand.
        EXPECT_EQ(e.level, e.type == "Level" ? 1 : 0);
        if (e.type == "Sound")
        {
            const bool music = e.file.ends_with(".ogg");
            EXPECT_EQ(e.attributes.at("Group"), music ? "Music" : "Sound");
            EXPECT_EQ(e.attributes.count("Streaming") > 0, music);
            EXPECT_EQ(e.attributes.count("Looping") > 0, music);
        }
    }
    EXPECT_TRUE(fs::is_regular_file(kProgramDir + "/Images/Loading.tga"));
}

struct sNeed
{
    const char* alias;
    int frames;
    int anims;
};

// What the screens and the board index: frame and animation counts.
const sNeed kNeeds[] = {
    {"SprCells", 1, 15},
    {"SprBricks", 25, 0},
    {"SprBricksShadow", 25, 0},
    {"SprBricksSmall", 25, 0},
    {"SprBrickMulti", 112, 0},
    {"SprBrickMultiShadow", 112, 0},
    {"SprBrickMultiSmall", 112, 0},
    {"SprBrickStar", 1, 0},
    {"SprBrickStarShadow", 1, 0},
    {"SprBrickStarSmall", 1, 0},
    {"SprBrickBlocker", 1, 0},
    {"SprBrickBlockerShadow", 1, 0},
    {"SprBrickBlockerSmall", 1, 0},
    {"SprBrickBomb", 1, 1},
    {"SprBrickBombShadow", 1, 3},
    {"SprBrickBombSmall", 1, 1},
    {"SprBrickPlasma", 1, 1},
    {"SprBrickPlasmaShadow", 1, 1},
    {"SprBrickPlasmaSmall", 1, 1},
    {"SprExplosion", 1, 1},
    {"SprInvalidCell", 1, 0},
    {"SprItemCells", 7, 0},
    {"SprItemArrows", 1, 8},
    {"SprItems", 12, 0},
    {"SprGamePanels", 42, 0},
    {"SprLevelCompleted", 1, 0},
    {"SprQuillbee", 2, 0},
    {"SprPopupPanels", 25, 0},
    {"SprMenuPanels", 10, 0},
    {"SprOptionsPanels", 46, 0},
    {"SprResetLevelsPanels", 7, 0},
    {"SprInstructionsPanels", 9, 0},
    {"SprCredits", 10, 0},
    {"SprLevelSelectorPanels", 18, 0},
    {"SprLevelSelectorIcons", 1, 0},
    {"SprScrollbarBig", 18, 0},
    {"SprScrollbarSmall", 18, 0},
    {"SprEditorPanels", 44, 0},
    {"SprResizeButtons", 12, 0},
    {"SprPiecesPanels", 2, 0},
    {"SprItemSquares", 2, 0},
    {"SprColorSquares", 2, 0},
    {"SprMouse", 8, 8},
    {"SprIntro", 15, 0},
    {"SprFontArial", 256, 0},
    {"SprFontHeadline", 65, 0},
};

TEST_F(GeneratedData, SpritesHaveTheFramesAndAnimationsTheCodeIndexes)
{
    for (const sNeed& need : kNeeds)
    {
        SCOPED_TRACE(need.alias);
        auto sprite = LoadSprite(need.alias);
        ASSERT_NE(sprite, nullptr) << "missing";
        EXPECT_GE(sprite->GetFrameCount(), need.frames);
        EXPECT_GE(sprite->GetAnimCount(), need.anims);
    }
    for (const char* alias : {"ImgPlasmaBolt",
                              "ImgMenuBackground",
                              "ImgZeltra",
                              "ImgInstructionsPage1",
                              "ImgInstructionsPage2",
                              "ImgInstructionsPage3",
                              "SndMusic",
                              "SndIntro",
                              "SndButtonHover",
                              "SndButtonPressed",
                              "SndRotatePiece",
                              "SndPutPiece",
                              "SndInvalid",
                              "SndBricksRemoved",
                              "SndCollision",
                              "SndVortex",
                              "SndExplosion",
                              "SndPlasmaBolt",
                              "SndLevelCompleted",
                              "SndMenuMusic",
                              "SndGameMusic",
                              "CmpZeltra"})
        EXPECT_NE(Find(alias), nullptr) << alias;
}

TEST_F(GeneratedData, BoardSpritesFollowTheBoardGeometry)
{
    // All cells share frame 0's size, the board's cell size; the cells are
    // drawn from their top-left corner.
    auto cells = LoadSprite("SprCells");
    ASSERT_NE(cells, nullptr);
    for (int32_t f = 0; f < cells->GetFrameCount(); ++f)
    {
        EXPECT_EQ(cells->GetFrameWidth(f), cells->GetFrameWidth(0));
        EXPECT_EQ(cells->GetFrameHeight(f), cells->GetFrameHeight(0));
        EXPECT_EQ(cells->GetFrameHotSpotX(f), 0);
    }
    // The crumble animations end, so their end can turn the cells into broken ones.
    EXPECT_FALSE(cells->IsAnimLooping(13));
    EXPECT_FALSE(cells->IsAnimLooping(14));
    // The bomb's fuse and blast play once and take time; idle loops.
    auto bomb = LoadSprite("SprBrickBombShadow");
    ASSERT_NE(bomb, nullptr);
    EXPECT_TRUE(bomb->IsAnimLooping(0));
    EXPECT_FALSE(bomb->IsAnimLooping(1));
    EXPECT_FALSE(bomb->IsAnimLooping(2));
    EXPECT_GT(bomb->GetAnimLength(1), 0.5f);
    EXPECT_GT(bomb->GetAnimLength(2), 0.1f);
    // Bricks are drawn centred on a cell: the hot spot sits inside the frame.
    for (const char* alias : {"SprBricks", "SprBricksShadow", "SprBricksSmall", "SprBrickStar"})
    {
        auto s = LoadSprite(alias);
        ASSERT_NE(s, nullptr);
        for (int32_t f = 0; f < s->GetFrameCount(); ++f)
        {
            EXPECT_GT(s->GetFrameHotSpotX(f), s->GetFrameWidth(f) / 3) << alias << " " << f;
            EXPECT_LT(s->GetFrameHotSpotX(f), s->GetFrameWidth(f) * 2 / 3) << alias << " " << f;
        }
    }
}

TEST_F(GeneratedData, FontsCoverTheTextsCharacters)
{
    auto arial = LoadSprite("SprFontArial");
    ASSERT_NE(arial, nullptr);
    // Printable ASCII and the Latin-1 letters have glyphs with an advance.
    for (int c = 33; c < 127; ++c)
        EXPECT_GT(arial->GetFrameWidth(c), 0) << c;
    for (int c = 192; c < 256; ++c)
        EXPECT_GT(arial->GetFrameWidth(c), 0) << c;
    EXPECT_EQ(arial->GetFrameWidth(10), 0);
    auto headline = LoadSprite("SprFontHeadline");
    ASSERT_NE(headline, nullptr);
    for (int32_t f = 0; f < headline->GetFrameCount(); ++f)
        EXPECT_LE(headline->GetFrameHeight(f) - headline->GetFrameHotSpotY(f), 16) << f;
}

TEST_F(GeneratedData, CampaignNamesListedLevelsAndHasAnIconForEach)
{
    const sListed* entry = Find("CmpZeltra");
    ASSERT_NE(entry, nullptr);
    cCampaign campaign;
    campaign.Load(m_programFolder, entry->file);
    auto icons = LoadSprite(campaign.GetIconSpriteAlias());
    ASSERT_NE(icons, nullptr);
    EXPECT_GE(icons->GetFrameCount(), campaign.GetLevelCount());
    for (int32_t i = 0; i < campaign.GetLevelCount(); ++i)
    {
        const sListed* level = Find(campaign.GetLevelAlias(i));
        ASSERT_NE(level, nullptr) << campaign.GetLevelAlias(i);
        EXPECT_EQ(level->type, "Level");
        EXPECT_EQ(icons->GetFrameWidth(i), 100);
        EXPECT_EQ(icons->GetFrameHeight(i), 80);
    }
}

// Every alias the program's sources ask for by a string literal must exist.
TEST_F(GeneratedData, EveryAliasUsedInTheCodeExists)
{
    const std::regex literal("\"((Spr|Img|Snd|Cmp|Lvl)[A-Z][A-Za-z0-9]*)\"");
    std::set<std::string> missing;
    size_t seen = 0;
    for (const char* root : {"engine", "game"})
    {
        const fs::path dir = fs::path(ZELTRA_TEST_SOURCE_DIR) / root;
        if (!fs::exists(dir))
            continue;
        for (const auto& file : fs::recursive_directory_iterator(dir))
        {
            const auto ext = file.path().extension();
            if (ext != ".cpp" && ext != ".h")
                continue;
            std::ifstream in(file.path());
            const std::string text((std::istreambuf_iterator<char>(in)), {});
            for (std::sregex_iterator it(text.begin(), text.end(), literal), end; it != end; ++it)
            {
                ++seen;
                if (!Find((*it)[1]))
                    missing.insert((*it)[1].str() + " (" + file.path().filename().string() + ")");
            }
        }
    }
    std::string list;
    for (const auto& m : missing)
        list += m + "\n";
    EXPECT_TRUE(missing.empty()) << list;
    EXPECT_GT(seen, 0u);
}

// The start-up path of the game: the program folder as the default file
// system, the engine's and the game's resource handlers, the five lists, and
// then every resource loaded by the resource manager, as the intro does.
TEST(GeneratedDataStartUp, EveryResourceLoadsThroughTheResourceManager)
{
    cCore::Get().SetWorkingDirectory(kProgramDir);
    cFileSystemManager::Destroy();
    ASSERT_EQ(cFileSystemManager::Get().GetCurrent().GetRoot(), kProgramDir);
    cSoundSystem::Get().AddLoader(std::make_unique<cSoundLoaderWav>());
    cSoundSystem::Get().AddLoader(std::make_unique<cSoundLoaderOgg>());
    cResManager::Get().AddTypeHandler(std::make_unique<cBuiltInResourceHandler>());
    cResManager::Get().AddTypeHandler(std::make_unique<cGameResourceHandler>());
    for (const char* list : {"Images", "Sprites", "Sounds", "Campaigns", "Levels"})
        cResManager::Get().LoadList(std::string("/Resources/") + list + ".res");
    ASSERT_GT(cResManager::Get().GetCount(), 100);
    std::map<std::string, int> loaded;
    for (int32_t i = 0; i < cResManager::Get().GetCount(); ++i)
    {
        cResource* r = cResManager::Get().GetResource(i);
        try
        {
            r->Load();
        }
        catch (const cException& e)
        {
            ADD_FAILURE() << r->GetAlias() << ": " << e.GetMessage();
        }
        EXPECT_TRUE(r->IsLoaded()) << r->GetAlias();
        loaded[r->GetTypeName()] += r->IsLoaded() ? 1 : 0;
    }
    EXPECT_EQ(loaded["Sound"], 15);
    EXPECT_EQ(loaded["Campaign"], 1);
    cResManager::Get().Unload(0);
    cResManager::Destroy();
    cFileSystemManager::Destroy();
}

} // namespace
