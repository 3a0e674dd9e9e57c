// The pictures the site draws with libgd: the contest's leaders for the program's picture boxes, and the
// site's banner.
#pragma once

#include <string>
#include <vector>

#include "site/server.h"

namespace site {

// The font the pictures are drawn in; checked at start-up.
inline constexpr const char* kPictureFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
inline constexpr const char* kPictureBoldFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
inline constexpr const char* kPictureNarrowFont = "/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed.ttf";

// A one-line GIF, 160 x 15 pixels (the program's picture box), naming the first players of a contest;
// "no players yet" when the ranking is empty. title names the contest.
std::string LeadersGif(const std::string& title, const std::vector<RankingRow>& rows);

// The 433 x 120 JPEG banner of the site, in a language (the program shows the French one).
std::string BannerJpeg(Lang lang = Lang::Fr);

// Prepares libgd's font cache before the server's threads start; false when the font is missing.
bool PreparePictures();
void ReleasePictures();

}  // namespace site
