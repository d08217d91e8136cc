// TGA and PCX files written by the tests themselves, good and hostile.
#include "engine/Display/ImageLoader.h"
#include "engine/Core/Exception.h"
#include "engine/Display/Image.h"
#include "engine/Display/ImageLoaderPCX.h"
#include "engine/Display/ImageLoaderTGA.h"
#include "engine/Display/ImageWriter.h"
#include "engine/File/POSIX/FileSystemPOSIX.h"
#include "engine/File/TempFolder.h"

#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <string>
#include <vector>

namespace Korva
{
namespace
{

using tBytes = std::vector<uint8_t>;

tBytes TGAHeader(uint8_t type, int16_t width, int16_t height, uint8_t bits, uint8_t idLength = 0)
{
    tBytes b(18, 0);
    b[0] = idLength;
    b[2] = type;
    b[12] = static_cast<uint8_t>(width & 255);
    b[13] = static_cast<uint8_t>((width >> 8) & 255);
    b[14] = static_cast<uint8_t>(height & 255);
    b[15] = static_cast<uint8_t>((height >> 8) & 255);
    b[16] = bits;
    b.resize(b.size() + idLength, 0xEE);
    return b;
}

void Append(tBytes& bytes, std::initializer_list<int> values)
{
    for (int v : values)
        bytes.push_back(static_cast<uint8_t>(v));
}

std::vector<int> PixelAt(const cImageLoader& loader, int32_t x, int32_t y)
{
    const uint8_t* p = loader.GetPixels() + (static_cast<size_t>(y) * loader.GetWidth() + x) * 4;
    return {p[0], p[1], p[2], p[3]};
}

// The exception's message, or "" when decoding succeeded.
template <class Loader>
std::string DecodeError(const tBytes& bytes, const std::string& path = "/Images/x")
{
    Loader loader(path);
    try
    {
        loader.Decode(bytes);
    }
    catch (const cException& e)
    {
        return e.GetMessage();
    }
    return "";
}

TEST(TGALoaderTest, ReadsRowsBottomFirstAfterTheIdentificationField)
{
    tBytes file = TGAHeader(2, 3, 2, 32, 5);
    ASSERT_EQ(file.size(), 23u); // pixels start at 18 + 5
    // File rows: first the bottom row, then the top row; bytes B, G, R, A.
    Append(file, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    Append(file, {13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24});
    cImageLoaderTGA loader("/Images/a.tga");
    loader.Decode(file);
    ASSERT_EQ(loader.GetWidth(), 3);
    ASSERT_EQ(loader.GetHeight(), 2);
    EXPECT_EQ(PixelAt(loader, 0, 1), (std::vector<int>{3, 2, 1, 4}));
    EXPECT_EQ(PixelAt(loader, 2, 1), (std::vector<int>{11, 10, 9, 12}));
    EXPECT_EQ(PixelAt(loader, 0, 0), (std::vector<int>{15, 14, 13, 16}));
}

TEST(TGALoaderTest, SixteenAndTwentyFourBitPixels)
{
    tBytes file = TGAHeader(2, 2, 1, 16);
    Append(file, {0xFF, 0x7F, 0x1F, 0x00}); // 0x7FFF and pure blue 0x001F
    cImageLoaderTGA loader16("a.tga");
    loader16.Decode(file);
    EXPECT_EQ(PixelAt(loader16, 0, 0), (std::vector<int>{248, 248, 248, 255}));
    EXPECT_EQ(PixelAt(loader16, 1, 0), (std::vector<int>{0, 0, 248, 255}));

    file = TGAHeader(2, 1, 1, 24);
    Append(file, {10, 20, 30});
    cImageLoaderTGA loader24("a.tga");
    loader24.Decode(file);
    EXPECT_EQ(PixelAt(loader24, 0, 0), (std::vector<int>{30, 20, 10, 255}));
}

TEST(TGALoaderTest, RunLengthPacketsMayCrossRows)
{
    tBytes file = TGAHeader(10, 2, 2, 24);
    Append(file, {0x82, 1, 2, 3}); // run of 3: bottom row and the first top pixel
    Append(file, {0x00, 7, 8, 9}); // one raw pixel
    cImageLoaderTGA loader("a.tga");
    loader.Decode(file);
    EXPECT_EQ(PixelAt(loader, 0, 1), (std::vector<int>{3, 2, 1, 255}));
    EXPECT_EQ(PixelAt(loader, 1, 1), (std::vector<int>{3, 2, 1, 255}));
    EXPECT_EQ(PixelAt(loader, 0, 0), (std::vector<int>{3, 2, 1, 255}));
    EXPECT_EQ(PixelAt(loader, 1, 0), (std::vector<int>{9, 8, 7, 255}));
}

TEST(TGALoaderTest, BrokenFilesRaiseTheErrorWithThePath)
{
    const std::string error = "Error loading TGA image: '/Images/x'.";
    tBytes colourMapped = TGAHeader(2, 1, 1, 24);
    colourMapped[1] = 1;
    Append(colourMapped, {1, 2, 3});
    EXPECT_EQ(DecodeError<cImageLoaderTGA>(colourMapped), error);
    tBytes paletted = TGAHeader(1, 1, 1, 8);
    Append(paletted, {1});
    EXPECT_EQ(DecodeError<cImageLoaderTGA>(paletted), error);
    tBytes eightBits = TGAHeader(2, 1, 1, 8);
    Append(eightBits, {1});
    EXPECT_EQ(DecodeError<cImageLoaderTGA>(eightBits), error);
    EXPECT_EQ(DecodeError<cImageLoaderTGA>(tBytes{0, 0, 2}), error);
    // Pixels missing at the end.
    tBytes truncated = TGAHeader(2, 2, 2, 24);
    Append(truncated, {1, 2, 3, 4, 5, 6});
    EXPECT_EQ(DecodeError<cImageLoaderTGA>(truncated), error);
    // A run past the last pixel, and a packet cut off.
    tBytes overrun = TGAHeader(10, 2, 1, 24);
    Append(overrun, {0x85, 1, 2, 3});
    EXPECT_EQ(DecodeError<cImageLoaderTGA>(overrun), error);
    tBytes cut = TGAHeader(10, 2, 1, 24);
    Append(cut, {0x01, 1, 2, 3});
    EXPECT_EQ(DecodeError<cImageLoaderTGA>(cut), error);
    // Sizes that claim more than the file holds, or are negative.
    tBytes huge = TGAHeader(10, 32767, 32767, 32);
    Append(huge, {0xFF, 1, 2, 3, 4});
    EXPECT_EQ(DecodeError<cImageLoaderTGA>(huge), error);
    tBytes negative = TGAHeader(2, -4, 1, 24);
    Append(negative, {1, 2, 3});
    EXPECT_EQ(DecodeError<cImageLoaderTGA>(negative), error);
}

tBytes PCXHeader(int planes, int16_t width, int16_t height, int version = 5, int bits = 8)
{
    tBytes b(128, 0);
    b[0] = 10;
    b[1] = static_cast<uint8_t>(version);
    b[2] = 1;
    b[3] = static_cast<uint8_t>(bits);
    b[8] = static_cast<uint8_t>((width - 1) & 255);
    b[9] = static_cast<uint8_t>(((width - 1) >> 8) & 255);
    b[10] = static_cast<uint8_t>((height - 1) & 255);
    b[11] = static_cast<uint8_t>(((height - 1) >> 8) & 255);
    b[65] = static_cast<uint8_t>(planes);
    return b;
}

void AppendPalette(tBytes& file)
{
    file.push_back(12);
    for (int i = 0; i < 256; ++i)
        Append(file, {i, 255 - i, i / 2});
}

TEST(PCXLoaderTest, PalettedRowsDecodeRunsAndCutThemAtTheRowEnd)
{
    tBytes file = PCXHeader(1, 3, 2);
    Append(file, {0xC3, 7}); // three pixels of index 7
    Append(file, {0xC5, 9}); // a run of 5 in a row of 3: cut at the row's end
    AppendPalette(file);
    cImageLoaderPCX loader("a.pcx");
    loader.Decode(file);
    ASSERT_EQ(loader.GetWidth(), 3);
    EXPECT_EQ(PixelAt(loader, 0, 0), (std::vector<int>{7, 248, 3, 255}));
    EXPECT_EQ(PixelAt(loader, 2, 0), (std::vector<int>{7, 248, 3, 255}));
    EXPECT_EQ(PixelAt(loader, 2, 1), (std::vector<int>{9, 246, 4, 255}));
}

TEST(PCXLoaderTest, ThreePlanesAreRedGreenBlueWithinEachRow)
{
    tBytes file = PCXHeader(3, 2, 1);
    Append(file,
           {10, 0xC3, 20, 30}); // red 10, 20 | green 20, 20 (the run crosses planes) | blue 30 ...
    Append(file, {40});
    cImageLoaderPCX loader("a.pcx");
    loader.Decode(file);
    EXPECT_EQ(PixelAt(loader, 0, 0), (std::vector<int>{10, 20, 30, 255}));
    EXPECT_EQ(PixelAt(loader, 1, 0), (std::vector<int>{20, 20, 40, 255}));
}

TEST(PCXLoaderTest, BrokenFilesRaiseTheErrorWithThePath)
{
    const std::string error = "Error loading PCX image: '/Images/x'.";
    for (const tBytes& header :
         {PCXHeader(4, 2, 2), PCXHeader(1, 2, 2, 3), PCXHeader(1, 2, 2, 5, 1)})
    {
        tBytes file = header;
        Append(file, {0xC4, 1});
        AppendPalette(file);
        EXPECT_EQ(DecodeError<cImageLoaderPCX>(file), error);
    }
    tBytes noMarker = PCXHeader(1, 2, 1);
    Append(noMarker, {1, 2});
    AppendPalette(noMarker);
    noMarker[noMarker.size() - 769] = 11;
    EXPECT_EQ(DecodeError<cImageLoaderPCX>(noMarker), error);
    tBytes shortPalette = PCXHeader(1, 2, 1);
    Append(shortPalette, {1, 2, 12, 0, 0});
    EXPECT_EQ(DecodeError<cImageLoaderPCX>(shortPalette), error);
    tBytes truncated = PCXHeader(3, 4, 4);
    Append(truncated, {0xC4, 1});
    EXPECT_EQ(DecodeError<cImageLoaderPCX>(truncated), error);
    tBytes huge = PCXHeader(3, 32000, 32000);
    Append(huge, {0xFF, 1});
    EXPECT_EQ(DecodeError<cImageLoaderPCX>(huge), error);
    EXPECT_EQ(DecodeError<cImageLoaderPCX>(tBytes(20, 10)), error);
}

TEST(ImageLoaderFactoryTest, ChoosesByTheExactLowerCaseExtension)
{
    EXPECT_NE(dynamic_cast<cImageLoaderTGA*>(CreateImageLoader("/a.b/pic.tga").get()), nullptr);
    EXPECT_NE(dynamic_cast<cImageLoaderPCX*>(CreateImageLoader("pic.pcx").get()), nullptr);
    for (const char* path : {"pic.TGA", "pic", "pic.png", "tga"})
    {
        try
        {
            CreateImageLoader(path);
            ADD_FAILURE() << path;
        }
        catch (const cException& e)
        {
            EXPECT_EQ(e.GetMessage(), "Unknown image format.");
        }
    }
}

TEST(ImageFileTest, WrittenFramesReadBackAndImagesLoadThroughAFileSystem)
{
    cPixelBuffer picture(3, 2);
    for (int32_t y = 0; y < 2; ++y)
        for (int32_t x = 0; x < 3; ++x)
            picture.SetPixel(x, y, static_cast<uint8_t>(x * 80), static_cast<uint8_t>(y * 100), 7,
                             static_cast<uint8_t>(100 + x));
    cTempFolder folder;
    SaveImage(picture, folder.Path() + "/shot.tga");
    cFileSystemPOSIX fileSystem(folder.Path());
    cImage image("/shot.tga", fileSystem);
    ASSERT_EQ(image.GetWidth(), 3);
    ASSERT_EQ(image.GetHeight(), 2);
    for (int32_t y = 0; y < 2; ++y)
        for (int32_t x = 0; x < 3; ++x)
            for (int c = 0; c < 4; ++c)
                EXPECT_EQ(image.GetPixels().At(x, y)[c], picture.At(x, y)[c]);
    EXPECT_THROW(cImage("/missing.tga", fileSystem), cExceptionOpeningFile);
    EXPECT_THROW(SaveImage(picture, folder.Path() + "/no/such/folder/shot.tga"),
                 cExceptionCreatingFile);
}

TEST(ImageFileTest, PNGFramesKeepEveryPixel)
{
    cPixelBuffer picture(5, 3);
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 0; x < 5; ++x)
            picture.SetPixel(x, y, static_cast<uint8_t>(x * 50), static_cast<uint8_t>(y * 90), 200,
                             static_cast<uint8_t>(255 - x));
    cTempFolder folder;
    SaveImage(picture, folder.Path() + "/shot.png");
    const std::string file = folder.ReadFile("shot.png");
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_memory(&png, file.data(), file.size()));
    png.format = PNG_FORMAT_RGBA;
    ASSERT_EQ(png.width, 5u);
    ASSERT_EQ(png.height, 3u);
    std::vector<uint8_t> pixels(PNG_IMAGE_SIZE(png));
    ASSERT_TRUE(png_image_finish_read(&png, nullptr, pixels.data(), 0, nullptr));
    EXPECT_TRUE(std::equal(pixels.begin(), pixels.end(), picture.GetPixels()));
}

TEST(PixelBufferTest, ResizeKeepsTheTopLeftPart)
{
    cPixelBuffer pixels(2, 2);
    pixels.SetPixel(1, 1, 9, 8, 7, 6);
    pixels.Resize(4, 3);
    EXPECT_EQ(pixels.GetWidth(), 4);
    EXPECT_EQ(pixels.At(1, 1)[0], 9);
    EXPECT_EQ(pixels.At(1, 1)[3], 6);
    pixels.Resize(0, 5);
    EXPECT_TRUE(pixels.IsEmpty());
    EXPECT_EQ(pixels.GetHeight(), 0);
}

} // namespace
} // namespace Korva
