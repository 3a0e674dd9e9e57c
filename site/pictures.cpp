#include "site/pictures.h"

#include <gd.h>

#include <filesystem>
#include <memory>
#include <stdexcept>

#include "site/catalogue.h"

namespace site {

namespace {

struct ImageDeleter {
    void operator()(gdImage* im) const { gdImageDestroy(im); }
};
using Image = std::unique_ptr<gdImage, ImageDeleter>;

Image create(int width, int height, bool trueColor) {
    Image im(trueColor ? gdImageCreateTrueColor(width, height) : gdImageCreate(width, height));
    if (!im) throw std::runtime_error("libgd could not create a picture");
    return im;
}

std::string take(void* data, int size) {
    if (!data) throw std::runtime_error("libgd could not encode a picture");
    std::string bytes(static_cast<const char*>(data), static_cast<size_t>(size));
    gdFree(data);
    return bytes;
}

// Width in pixels of text drawn at size points.
int textWidth(const char* font, double size, const std::string& text) {
    int box[8];
    if (gdImageStringFT(nullptr, box, 0, const_cast<char*>(font), size, 0.0, 0, 0,
                        const_cast<char*>(text.c_str()))) {
        return 0;
    }
    return box[2] - box[0];
}

void draw(gdImage* im, int color, const char* font, double size, int x, int y, const std::string& text) {
    int box[8];
    if (const char* error = gdImageStringFT(im, box, color, const_cast<char*>(font), size, 0.0, x, y,
                                            const_cast<char*>(text.c_str()))) {
        throw std::runtime_error(std::string("libgd could not draw text: ") + error);
    }
}

}  // namespace

bool PreparePictures() {
    std::error_code ec;
    for (const char* font : {kPictureFont, kPictureBoldFont, kPictureNarrowFont}) {
        if (!std::filesystem::is_regular_file(font, ec)) return false;
    }
    return gdFontCacheSetup() == 0;
}

void ReleasePictures() {
    gdFontCacheShutdown();
}

// At most max characters of a UTF-8 text, cut between characters, with an ellipsis when cut.
std::string shortened(const std::string& text, size_t max) {
    size_t chars = 0, i = 0;
    for (; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && chars++ == max) break;
    }
    return i < text.size() ? text.substr(0, i) + "…" : text;
}

std::string LeadersGif(const std::string& title, const std::vector<RankingRow>& rows) {
    constexpr int kWidth = 160, kHeight = 15;
    constexpr double kSize = 6.5;
    constexpr size_t kPseudonymMax = 8;
    Image im = create(kWidth, kHeight, false);
    gdImageColorAllocate(im.get(), 18, 48, 107);  // background: the site's blue
    const int white = gdImageColorAllocate(im.get(), 255, 255, 255);
    const int gold = gdImageColorAllocate(im.get(), 242, 183, 5);
    const int baseline = 11;
    int x = 2;
    draw(im.get(), gold, kPictureBoldFont, kSize, x, baseline, title);
    x += textWidth(kPictureBoldFont, kSize, title) + 4;
    if (rows.empty())
        draw(im.get(), white, kPictureNarrowFont, kSize, x, baseline, Tr(Lang::Fr, "leaders.nobody"));
    for (const RankingRow& row : rows) {
        const std::string rank = std::to_string(row.rank) + ".";
        const std::string entry = shortened(row.pseudonym, kPseudonymMax) + " " + std::to_string(row.points);
        const int rankWidth = textWidth(kPictureBoldFont, kSize, rank);
        const int width = rankWidth + 1 + textWidth(kPictureNarrowFont, kSize, entry);
        if (x + width > kWidth - 1) break;
        draw(im.get(), gold, kPictureBoldFont, kSize, x, baseline, rank);
        draw(im.get(), white, kPictureNarrowFont, kSize, x + rankWidth + 1, baseline, entry);
        x += width + 5;
    }
    int size = 0;
    void* data = gdImageGifPtr(im.get(), &size);
    return take(data, size);
}

std::string BannerJpeg(Lang lang) {
    constexpr int kWidth = 433, kHeight = 120;
    Image im = create(kWidth, kHeight, true);
    for (int y = 0; y < kHeight; ++y) {  // a vertical gradient from the site's blue to a deeper one
        const int shade = y * 40 / kHeight;
        gdImageLine(im.get(), 0, y, kWidth - 1, y, gdTrueColor(18 + shade / 4, 48 - shade / 2, 107 - shade));
    }
    const int gold = gdTrueColor(242, 183, 5);
    const int white = gdTrueColor(255, 255, 255);
    const int grass = gdTrueColor(28, 124, 60);
    gdImageFilledRectangle(im.get(), 0, kHeight - 8, kWidth - 1, kHeight - 1, grass);
    gdImageFilledRectangle(im.get(), 0, kHeight - 10, kWidth - 1, kHeight - 9, gold);
    // A ball: white disc with a darker pentagon-like patch.
    gdImageFilledEllipse(im.get(), 374, 52, 64, 64, white);
    gdImageFilledEllipse(im.get(), 374, 52, 20, 20, gdTrueColor(18, 48, 107));
    for (int k = 0; k < 5; ++k) {
        static constexpr int dx[5] = {0, 22, 14, -14, -22}, dy[5] = {-24, -7, 19, 19, -7};
        gdImageFilledEllipse(im.get(), 374 + dx[k], 52 + dy[k], 10, 10, gdTrueColor(18, 48, 107));
    }
    draw(im.get(), white, kPictureBoldFont, 30, 18, 58, "Valmirade");
    draw(im.get(), gold, kPictureBoldFont, 13, 20, 84, Tr(lang, "banner.title"));
    draw(im.get(), white, kPictureFont, 9.5, 20, 103, Tr(lang, "banner.tagline"));
    int size = 0;
    void* data = gdImageJpegPtr(im.get(), &size, 88);
    return take(data, size);
}

}  // namespace site
