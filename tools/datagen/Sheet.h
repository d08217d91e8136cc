#pragma once
// A sprite under construction: frames (pictures with hot spots) and
// animations. Writing it packs the frames into one sheet image, writes the
// image as TGA and the sprite description beside it, and registers both in the
// resource lists.
#include "tools/datagen/Image.h"
#include "tools/datagen/Output.h"

#include <string>
#include <utility>
#include <vector>

namespace DataGen
{

struct sAnim
{
    bool looping = false;
    std::vector<std::pair<int, double>> steps; // frame, seconds
};

class cSheet
{
public:
    // name without the "Spr" prefix: "Bricks" gives SprBricks and ImgSheetBricks.
    explicit cSheet(std::string name) : m_name(std::move(name)) {}

    int AddFrame(const sImage& image, int hotX, int hotY);
    // A further frame index showing the same picture as an existing one.
    int AddSameFrame(int frame);
    void AddAnim(const sAnim& anim) { m_anims.push_back(anim); }
    // Adds count frames from first with the same time each.
    void AddSimpleAnim(int first, int count, double time, bool looping);

    int FrameCount() const { return static_cast<int>(m_frames.size()); }
    const std::string& Name() const { return m_name; }

    void Write(cOutput& out, const std::string& group, int level = 0) const;

private:
    struct sFrame
    {
        int picture; // index into m_pictures
        int hotX, hotY;
    };
    std::string m_name;
    std::vector<sImage> m_pictures;
    std::vector<sFrame> m_frames;
    std::vector<sAnim> m_anims;
};

} // namespace DataGen
