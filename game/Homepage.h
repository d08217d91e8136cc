#pragma once

#include <string>

namespace Korva
{
class cFileSystem;
}

// The address "visit homepage" opens: the "URL=" line of the link file
// "/Quillbee.url" in the program folder, or the maker's homepage when there is
// none. An address without a scheme names a file relative to the folder the
// link file is in (the player's manual beside the game's data) and becomes a
// file:// address, so the same link holds in a build folder and wherever the
// game is installed.
namespace Homepage
{

constexpr const char* kLinkFile = "/Quillbee.url";
constexpr const char* kBuiltInAddress = "https://quillbee.example/";

std::string ReadAddress(Korva::cFileSystem& programFolder);
// `address` resolved against the folder `base` (an absolute path).
std::string Resolve(const std::string& address, const std::string& base);

} // namespace Homepage
