#pragma once
// The game's desktop icon: one piece of seven bricks (a centre and its six
// neighbours) drawn by the board's own brick art, on a transparent square.
#include <string>
#include <vector>

namespace DataGen
{

// The square sizes the freedesktop icon theme looks for under hicolor/.
const std::vector<int>& IconSizes();

// The icon as PNG bytes, `size` x `size` pixels.
std::string EncodeIconPNG(int size);

} // namespace DataGen
