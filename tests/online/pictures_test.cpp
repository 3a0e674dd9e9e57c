// The advertised pictures: fetched at start-up for a contest player, by the pictures' clicks and by the
// panel; a failed or unreadable download leaves the boxes as they were.
#include "tests/online/online_support.h"

namespace online_testing {
namespace {

class PicturesTest : public OnlineTest {
  protected:
    void servePictures() {
        server.answer("/imzenkor.php", kGif1);
        server.answer("/imelimzenkor.php", kGif2);
    }
    static std::string shown(zenkor::Zenkor& w, const char* box) { return fileBytes(w(box).Picture()); }
};

TEST_F(PicturesTest, BothPicturesAreFetchedIntoTheirBoxesAndKeptWhenTheFilesGo) {
    servePictures();
    zenkor::Zenkor& w = start();
    zenkor::ChargeImage(w);
    settle();
    EXPECT_EQ(server.requests(), (std::vector<std::string>{"/imzenkor.php", "/imelimzenkor.php"}));
    EXPECT_EQ(fileBytes(inFolder("imgtmp.gif")), kGif1);
    EXPECT_EQ(fileBytes(inFolder("imgtmpelim.gif")), kGif2);
    EXPECT_EQ(shown(w, "Image13"), kGif1);
    EXPECT_EQ(w("Image14").Picture(), w("Image13").Picture());
    EXPECT_EQ(shown(w, "Image20"), kGif2);
    EXPECT_EQ(w("Image21").Picture(), w("Image20").Picture());

    // The boxes show what was loaded even after the next download deleted the file.
    std::filesystem::remove(inFolder("imgtmp.gif"));
    EXPECT_EQ(shown(w, "Image14"), kGif1);
}

TEST_F(PicturesTest, AFailedFirstPictureSkipsTheSecondAndChangesNoBox) {
    servePictures();
    zenkor::Zenkor& w = start();
    zenkor::ChargeImage(w);
    settle();
    const std::string before13 = w("Image13").Picture(), before21 = w("Image21").Picture();

    server.forgetRequests();
    server.answer("/imzenkor.php", Answer{404});
    zenkor::ChargeImage(w);
    settle();
    EXPECT_EQ(server.requests(), std::vector<std::string>{"/imzenkor.php"});
    EXPECT_FALSE(exists("imgtmp.gif"));
    EXPECT_EQ(w("Image13").Picture(), before13);
    EXPECT_EQ(w("Image14").Picture(), before13);
    EXPECT_EQ(w("Image21").Picture(), before21);
    EXPECT_TRUE(box.dialogs->messages.empty());
}

TEST_F(PicturesTest, AFailedSecondPictureLeavesOnlyTheSecondPairAsItWas) {
    servePictures();
    zenkor::Zenkor& w = start();
    zenkor::ChargeImage(w);
    settle();
    const std::string before20 = w("Image20").Picture();
    server.answer("/imzenkor.php", kGif2);
    server.answer("/imelimzenkor.php", Answer{200, "", Answer::Mode::Truncated});
    zenkor::ChargeImage(w);
    settle();
    EXPECT_EQ(shown(w, "Image13"), kGif2);
    EXPECT_EQ(shown(w, "Image14"), kGif2);
    EXPECT_EQ(w("Image20").Picture(), before20);
    EXPECT_EQ(w("Image21").Picture(), before20);
}

TEST_F(PicturesTest, ATextPageIsNoPictureButTheSecondIsStillFetched) {
    box.copyDataFile("pictures");  // Image14's design picture
    server.answer("/imzenkor.php", "<html>Pas d'image</html>");
    server.answer("/imelimzenkor.php", kGif2);
    zenkor::Zenkor& w = start();
    EXPECT_FALSE(w("Image14").Picture().empty());
    zenkor::ChargeImage(w);
    settle();
    EXPECT_EQ(fileBytes(inFolder("imgtmp.gif")), "<html>Pas d'image</html>");
    // Image13 had no picture yet, so Image14 loses its own.
    EXPECT_EQ(w("Image13").Picture(), "");
    EXPECT_EQ(w("Image14").Picture(), "");
    EXPECT_EQ(shown(w, "Image20"), kGif2);
    EXPECT_EQ(shown(w, "Image21"), kGif2);
}

TEST_F(PicturesTest, StartUpFetchesThePicturesForAPlayerWhoDidNotTickTheBox) {
    servePictures();
    EXPECT_TRUE(zenkor::SaveSetting("pseudo", "Zidou"));
    EXPECT_TRUE(zenkor::SaveSetting("ChImage", "0"));
    zenkor::Zenkor& w = start();
    // The window is up before the pictures: they appear when they arrive.
    EXPECT_TRUE(w("Image14").Visible());
    EXPECT_EQ(w("Image13").Picture(), "");
    settle();
    EXPECT_EQ(server.requests(), (std::vector<std::string>{"/imzenkor.php", "/imelimzenkor.php"}));
    EXPECT_EQ(shown(w, "Image14"), kGif1);

    server.forgetRequests();
    EXPECT_TRUE(zenkor::SaveSetting("ChImage", "1"));
    zenkor::Zenkor& again = start();
    settle();
    EXPECT_TRUE(server.requests().empty());
    EXPECT_TRUE(again("Image14").Visible());
}

TEST_F(PicturesTest, PictureClicksFetchTwiceOnTheLeftAndOpenThePanelOnTheRight) {
    servePictures();
    zenkor::Zenkor& w = start();
    for (const char* picture : {"Image14", "Image21"}) {
        SCOPED_TRACE(picture);
        server.forgetRequests();
        w("Frame20").setVisible(false);
        w(picture).raiseMouseDown(1, 0, 10, 10);
        settle();
        EXPECT_EQ(server.count("/imzenkor.php"), 2);
        EXPECT_EQ(server.count("/imelimzenkor.php"), 2);
        EXPECT_FALSE(w("Frame20").Visible());

        server.forgetRequests();
        w(picture).raiseMouseDown(2, 0, 10, 10);
        settle();
        EXPECT_TRUE(server.requests().empty());
        EXPECT_TRUE(w("Frame20").Visible());
        EXPECT_EQ(w.controls().back(), &w("Command5"));  // "Quitter" stays above the panel
        EXPECT_EQ(w("Text2", 0).Text(), "");             // opened without the code: not filled
    }
    server.forgetRequests();
    w("Image13").raiseClick();
    settle();
    EXPECT_EQ(server.requests(), (std::vector<std::string>{"/imzenkor.php", "/imelimzenkor.php"}));
}

TEST_F(PicturesTest, TheBannerIsFetchedIntoImage6) {
    const std::string jpeg = std::string("\xFF\xD8\xFF\xE0", 4) + "banner";
    server.answer("/433x120.jpg", jpeg);
    zenkor::Zenkor& w = start();
    zenkor::ChargeBanniere(w);
    settle();
    EXPECT_EQ(shown(w, "Image6"), jpeg);
    const std::string before = w("Image6").Picture();
    server.answer("/433x120.jpg", Answer{404});
    zenkor::ChargeBanniere(w);
    settle();
    EXPECT_EQ(w("Image6").Picture(), before);
}

}  // namespace
}  // namespace online_testing
