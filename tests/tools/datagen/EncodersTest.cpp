// The generator's file writers against the game's own readers, and the
// generator's determinism: a second run writes the same bytes.
#include "engine/Display/ImageLoaderPCX.h"
#include "engine/Display/ImageLoaderTGA.h"
#include "engine/File/DataTree.h"
#include "engine/File/FileInputMemory.h"
#include "tools/datagen/DataNode.h"
#include "tools/datagen/Image.h"
#include "tools/datagen/Synth.h"

#include <gtest/gtest.h>
#include <vorbis/vorbisfile.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace DataGen;
namespace fs = std::filesystem;

namespace
{

// A picture with long runs, single pixels, transparency and runs that cross
// row ends, so both packet kinds of the encoders are exercised.
sImage Pattern(int w, int h)
{
    sImage img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
        {
            uint8_t* p = img.At(x, y);
            const bool run = y % 3 == 0 || x > w / 2;
            p[0] = run ? 200 : static_cast<uint8_t>(x * 37 + y * 11);
            p[1] = run ? 10 : static_cast<uint8_t>(x * 5 + y * 91);
            p[2] = run ? 250 : static_cast<uint8_t>(x * y);
            p[3] = run ? 255 : static_cast<uint8_t>((x * 13) % 256);
        }
    return img;
}

std::span<const uint8_t> Bytes(const std::string& s)
{
    return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}

TEST(Encoders, TgaReadsBackThroughTheGamesLoaderPixelForPixel)
{
    for (auto [w, h] : {std::pair{1, 1}, {7, 5}, {130, 3}, {3, 130}})
    {
        const sImage img = Pattern(w, h);
        Korva::cImageLoaderTGA loader("x.tga");
        loader.Decode(Bytes(EncodeTGA(img)));
        ASSERT_EQ(loader.GetWidth(), w);
        ASSERT_EQ(loader.GetHeight(), h);
        EXPECT_EQ(std::vector<uint8_t>(loader.GetPixels(), loader.GetPixels() + w * h * 4),
                  img.rgba)
            << w << "x" << h;
    }
}

TEST(Encoders, PcxReadsBackOpaqueThroughTheGamesLoader)
{
    // Runs longer than the 63 a packet holds, values that need escaping,
    // and an odd width, whose plane lines carry a padding byte.
    for (const int w : {200, 13})
    {
        sImage img = Pattern(w, 4);
        img.At(5, 1)[0] = 0xC3;
        Korva::cImageLoaderPCX loader("x.pcx");
        loader.Decode(Bytes(EncodePCX(img)));
        ASSERT_EQ(loader.GetWidth(), w);
        ASSERT_EQ(loader.GetHeight(), 4);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < w; ++x)
            {
                const uint8_t* got = loader.GetPixels() + (y * w + x) * 4;
                const uint8_t* want = img.At(x, y);
                ASSERT_EQ(got[0], want[0]) << w << ": " << x << "," << y;
                ASSERT_EQ(got[1], want[1]);
                ASSERT_EQ(got[2], want[2]);
                ASSERT_EQ(got[3], 255);
            }
        const sImage back = DecodePCX(EncodePCX(img));
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < w; ++x)
                ASSERT_EQ(back.At(x, y)[1], img.At(x, y)[1]) << w << ": " << x << "," << y;
    }
}

TEST(Encoders, DataTreeTextReadsBackThroughTheGamesReader)
{
    cDataNode root("Root");
    cDataNode& sprite = root.Child("Sprite");
    sprite.Attr("ImageAlias", "ImgX").Attr("Time", 0.1).Attr("Text", "two\nlines");
    sprite.Child("Frames").Child("F").Attr("X", -3);
    std::string text;
    root.Write(text);
    Korva::cFileInputMemory in("mem", std::vector<uint8_t>(text.begin(), text.end()), true);
    Korva::cDataTree tree;
    tree.Read(in);
    const Korva::cDataNode* s = tree.GetRoot().FindChild("Sprite");
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->GetString("ImageAlias", ""), "ImgX");
    EXPECT_FLOAT_EQ(static_cast<float>(s->GetFloat("Time", 0)), 0.1f);
    EXPECT_EQ(s->GetString("Text", ""), "two\nlines");
    ASSERT_NE(s->FindChild("Frames"), nullptr);
    EXPECT_EQ(s->FindChild("Frames")->Child(0).GetInt("X", 0), -3);
}

// The music loops: decoded, the end leads into the start without a jump.
TEST(Encoders, MusicDecodesToTheWholeLoopWithoutAJumpAtTheSeam)
{
    const size_t frames = kRate * 2;
    std::vector<double> l(frames), r(frames);
    for (size_t i = 0; i < frames; ++i)
    {
        // Whole cycles in the loop, as the music renders them.
        l[i] = 0.5 * std::sin(2 * M_PI * 441.0 * i / kRate);
        r[i] = 0.5 * std::sin(2 * M_PI * 220.5 * i / kRate);
    }
    const std::string ogg = EncodeOggStereo(l, r, 0.3f);
    EXPECT_EQ(ogg, EncodeOggStereo(l, r, 0.3f)); // same bytes every time
    const fs::path file = fs::temp_directory_path() / ("zeltra_ogg_" + std::to_string(getpid()));
    std::ofstream(file, std::ios::binary) << ogg;
    OggVorbis_File vf;
    ASSERT_EQ(ov_fopen(file.c_str(), &vf), 0);
    EXPECT_EQ(ov_info(&vf, -1)->channels, 2);
    EXPECT_EQ(ov_pcm_total(&vf, -1), static_cast<ogg_int64_t>(frames));
    std::vector<float> left;
    for (;;)
    {
        float** pcm;
        int section;
        const long n = ov_read_float(&vf, &pcm, 4096, &section);
        if (n <= 0)
            break;
        left.insert(left.end(), pcm[0], pcm[0] + n);
    }
    ov_clear(&vf);
    fs::remove(file);
    ASSERT_EQ(left.size(), frames);
    EXPECT_LT(std::fabs(left.back() - left.front()), 0.1f);
}

// The two pieces of music as built: long enough to listen to for minutes in
// a loop, not silent, and the end flows into the start.
TEST(Encoders, BuiltMusicLoopsSmoothly)
{
    // Minutes of play before the game track repeats; the menu's for a while
    // in the options.
    const std::pair<const char*, int> tracks[] = {{"MenuMusic", 90}, {"GameMusic", 180}};
    for (const auto& [name, minimum] : tracks)
    {
        SCOPED_TRACE(name);
        const fs::path file =
            fs::path(ZELTRA_TEST_PROGRAM_DIR) / "Sounds" / (std::string(name) + ".ogg");
        OggVorbis_File vf;
        ASSERT_EQ(ov_fopen(file.c_str(), &vf), 0);
        ASSERT_EQ(ov_info(&vf, -1)->channels, 2);
        std::vector<float> left, right;
        for (;;)
        {
            float** pcm;
            int section;
            const long n = ov_read_float(&vf, &pcm, 4096, &section);
            if (n <= 0)
                break;
            left.insert(left.end(), pcm[0], pcm[0] + n);
            right.insert(right.end(), pcm[1], pcm[1] + n);
        }
        ov_clear(&vf);
        ASSERT_GE(left.size(), static_cast<size_t>(minimum * kRate));
        double energy = 0;
        for (float v : left)
            energy += v * v;
        EXPECT_GT(std::sqrt(energy / left.size()), 0.03);
        // The step across the seam is no bigger than steps inside the music.
        EXPECT_LT(std::fabs(left.back() - left.front()), 0.08f);
        EXPECT_LT(std::fabs(right.back() - right.front()), 0.08f);
    }
}

TEST(Encoders, WavHeaderIsPlain16BitMono)
{
    const std::string wav = EncodeWavMono({0.0, 1.0, -1.0, 2.0});
    ASSERT_EQ(wav.size(), 44u + 8u);
    EXPECT_EQ(wav.substr(0, 4), "RIFF");
    EXPECT_EQ(wav.substr(36, 4), "data");
    auto sample = [&](int i)
    {
        return static_cast<int16_t>((static_cast<uint8_t>(wav[45 + 2 * i]) << 8) |
                                    static_cast<uint8_t>(wav[44 + 2 * i]));
    };
    EXPECT_EQ(sample(1), 32767);
    EXPECT_EQ(sample(2), -32767);
    EXPECT_EQ(sample(3), 32767); // clipped, not wrapped
}

TEST(Generator, ASecondRunWritesTheSameBytes)
{
    const fs::path fresh =
        fs::temp_directory_path() / ("zeltra_datagen_" + std::to_string(getpid()));
    const std::string command = std::string(ZELTRA_DATAGEN) + " " + fresh.string() + " > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    size_t files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(fresh))
    {
        if (!entry.is_regular_file())
            continue;
        ++files;
        const fs::path rel = fs::relative(entry.path(), fresh);
        const fs::path built = fs::path(ZELTRA_TEST_PROGRAM_DIR) / rel;
        std::ifstream a(entry.path(), std::ios::binary), b(built, std::ios::binary);
        const std::string x((std::istreambuf_iterator<char>(a)), {});
        const std::string y((std::istreambuf_iterator<char>(b)), {});
        EXPECT_TRUE(x == y) << rel << " differs from the build's copy";
    }
    EXPECT_GT(files, 100u);
    fs::remove_all(fresh);
}

} // namespace
