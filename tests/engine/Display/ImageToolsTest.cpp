// TGA and PCX files written by real image tools, in every layout the loaders
// take, read by our loaders and compared pixel by pixel with ImageMagick's
// own reading of the same file. ImageMagick writes every TGA layout and
// unpadded PCX rows; Pillow writes PCX rows padded to an even length, as the
// format asks for odd widths. scripts/deps.sh installs both.
#include "engine/Core/Exception.h"
#include "engine/Display/ImageLoaderPCX.h"
#include "engine/Display/ImageLoaderTGA.h"
#include "engine/File/TempFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

extern char** environ;

namespace Korva
{
namespace
{

using tBytes = std::vector<uint8_t>;

// Odd in both directions, so PCX rows need their padding byte.
constexpr int kWidth = 37;
constexpr int kHeight = 23;

tBytes ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return tBytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const tBytes& bytes)
{
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

// Runs a program found on the PATH (or by its path) with its output going to
// `output` (nowhere when empty); the exit status, or -1 when it did not run.
int RunTool(const std::vector<std::string>& arguments, const std::string& output = "")
{
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, output.empty() ? "/dev/null" : output.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return -1;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

class ImageToolsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // Debian names ImageMagick 6's convert this way; "convert" may be a
        // stand-in or another program of that name.
        for (const char* candidate : {"convert-im6.q16", "magick", "convert"})
        {
            const std::string version = m_folder.Path() + "/version.txt";
            if (RunTool({candidate, "-version"}, version) == 0)
            {
                std::ifstream in(version);
                const std::string text((std::istreambuf_iterator<char>(in)),
                                       std::istreambuf_iterator<char>());
                if (text.find("ImageMagick") != std::string::npos)
                {
                    m_magick = candidate;
                    break;
                }
            }
        }
        for (const char* candidate : {"/usr/bin/python3", "python3"})
        {
            if (RunTool({candidate, "-c", "import PIL"}) == 0)
            {
                m_python = candidate;
                break;
            }
        }
        ASSERT_FALSE(m_magick.empty()) << "ImageMagick is needed (scripts/deps.sh installs it)";
        ASSERT_FALSE(m_python.empty()) << "Pillow is needed (scripts/deps.sh installs it)";

        // The picture: noise with some runs, and every kind of opacity.
        tBytes rgba(static_cast<size_t>(kWidth) * kHeight * 4);
        uint32_t seed = 20261207;
        for (size_t i = 0; i < rgba.size(); ++i)
        {
            seed = seed * 1664525u + 1013904223u;
            const size_t pixel = i / 4;
            const bool run = (pixel / kWidth) % 4 == 1 && (pixel % kWidth) < 30;
            rgba[i] =
                run ? static_cast<uint8_t>(40 * (i % 4) + 17) : static_cast<uint8_t>(seed >> 24);
            if (i % 4 == 3 && !run)
                rgba[i] = pixel % 5 == 0 ? 0 : pixel % 5 == 1 ? 255 : rgba[i];
        }
        m_source = Path("source.rgba");
        WriteBytes(m_source, rgba);
        tBytes rgb;
        for (size_t i = 0; i < rgba.size(); ++i)
            if (i % 4 != 3)
                rgb.push_back(rgba[i]);
        m_sourceRgb = Path("source.rgb");
        WriteBytes(m_sourceRgb, rgb);
    }

    std::string Path(const std::string& name) const { return m_folder.Path() + "/" + name; }

    // Writes the picture with ImageMagick and the given options.
    std::string WriteWithMagick(const std::string& name, const std::vector<std::string>& options)
    {
        std::vector<std::string> command = {
            m_magick, "-size", std::to_string(kWidth) + "x" + std::to_string(kHeight),
            "-depth", "8",     "rgba:" + m_source};
        command.insert(command.end(), options.begin(), options.end());
        command.push_back(Path(name));
        EXPECT_EQ(RunTool(command), 0) << name;
        return Path(name);
    }

    // ImageMagick's own reading: the picture as shown, 8-bit RGBA.
    tBytes ReadWithMagick(const std::string& file)
    {
        const std::string out = file + ".rgba";
        EXPECT_EQ(RunTool({m_magick, file, "-auto-orient", "-depth", "8", "rgba:" + out}), 0)
            << file;
        return ReadBytes(out);
    }

    template <class Loader> std::optional<tBytes> ReadWithLoader(const std::string& file)
    {
        Loader loader(file);
        try
        {
            loader.Decode(ReadBytes(file));
        }
        catch (const cException& e)
        {
            ADD_FAILURE() << file << ": " << e.GetText();
            return std::nullopt;
        }
        EXPECT_EQ(loader.GetWidth(), kWidth) << file;
        EXPECT_EQ(loader.GetHeight(), kHeight) << file;
        if (loader.GetWidth() != kWidth || loader.GetHeight() != kHeight)
            return std::nullopt;
        return tBytes(loader.GetPixels(), loader.GetPixels() + kWidth * kHeight * 4);
    }

    // Every pixel as ImageMagick reads it; `fiveBits`: the file holds 5 bits
    // per channel, which our loader widens by 8 and ImageMagick by 255 / 31.
    void ExpectSamePixels(const std::string& file, const tBytes& ours, bool fiveBits = false)
    {
        const tBytes theirs = ReadWithMagick(file);
        ASSERT_EQ(theirs.size(), ours.size()) << file;
        int differences = 0;
        for (size_t i = 0; i < ours.size() && differences < 5; ++i)
        {
            int expected = theirs[i];
            if (fiveBits && i % 4 != 3)
                expected = static_cast<int>(std::lround(theirs[i] * 31.0 / 255.0)) * 8;
            if (ours[i] != expected)
            {
                ++differences;
                ADD_FAILURE() << file << ": pixel (" << (i / 4) % kWidth << ", " << i / 4 / kWidth
                              << ") channel " << i % 4 << " is " << int(ours[i]) << ", not "
                              << expected;
            }
        }
    }

    cTempFolder m_folder;
    std::string m_magick;
    std::string m_python;
    std::string m_source;
    std::string m_sourceRgb;
};

TEST_F(ImageToolsTest, TGAFilesInEveryLayoutReadAsImageMagickReadsThem)
{
    const std::vector<std::pair<std::string, std::vector<std::string>>> depths = {
        {"32", {}}, {"24", {"-alpha", "off"}}, {"16", {"-alpha", "off", "-depth", "5"}}};
    int files = 0;
    for (const auto& [depth, depthOptions] : depths)
        for (const char* compression : {"None", "RLE"})
            for (const char* corner : {"BottomLeft", "TopLeft", "BottomRight", "TopRight"})
            {
                std::vector<std::string> options = depthOptions;
                options.insert(options.end(), {"-compress", compression, "-orient", corner});
                // One with an identification field before the pixels.
                if (files % 5 == 0)
                    options.insert(options.end(), {"-set", "comment", "Written for Zeltra"});
                const std::string file =
                    WriteWithMagick(depth + "-" + compression + "-" + corner + ".tga", options);
                const tBytes header = ReadBytes(file);
                ASSERT_GE(header.size(), 18u);
                EXPECT_EQ(header[2], std::string(compression) == "RLE" ? 10 : 2) << file;
                EXPECT_EQ(header[16], std::stoi(depth)) << file;
                if (const auto ours = ReadWithLoader<cImageLoaderTGA>(file))
                    ExpectSamePixels(file, *ours, depth == "16");
                ++files;
            }
    EXPECT_EQ(files, 24);
}

TEST_F(ImageToolsTest, PCXFilesWithAndWithoutRowPaddingReadAsImageMagickReadsThem)
{
    std::vector<std::string> files = {
        WriteWithMagick("magick-palette.pcx", {"-alpha", "off", "-type", "Palette"}),
        WriteWithMagick("magick-rgb.pcx", {"-alpha", "off", "-type", "TrueColor"})};
    const std::string pillow =
        "import sys\n"
        "from PIL import Image\n"
        "w, h, source, target, mode = sys.argv[1:]\n"
        "picture = Image.frombytes('RGB', (int(w), int(h)), open(source, 'rb').read())\n"
        "(picture if mode == 'RGB' else picture.convert('P')).save(target)\n";
    for (const char* mode : {"P", "RGB"})
    {
        const std::string file = Path(std::string("pillow-") + mode + ".pcx");
        ASSERT_EQ(RunTool({m_python, "-c", pillow, std::to_string(kWidth), std::to_string(kHeight),
                           m_sourceRgb, file, mode}),
                  0);
        files.push_back(file);
    }
    for (const std::string& file : files)
    {
        const tBytes bytes = ReadBytes(file);
        ASSERT_GE(bytes.size(), 128u);
        const int planes = bytes[65];
        const int lineBytes = bytes[66] | (bytes[67] << 8);
        EXPECT_EQ(planes,
                  file.find("palette") != std::string::npos || file.find("-P.") != std::string::npos
                      ? 1
                      : 3)
            << file;
        // ImageMagick stores the width, Pillow rounds it up to even.
        EXPECT_EQ(lineBytes, file.find("pillow") != std::string::npos ? kWidth + 1 : kWidth)
            << file;
        if (const auto ours = ReadWithLoader<cImageLoaderPCX>(file))
            ExpectSamePixels(file, *ours);
    }
}

} // namespace
} // namespace Korva
