// Pictures and labels that open a web page in the user's browser.
#include <string>

#include "app/edition_files.h"
#include "online/online.h"
#include "platform/opener.h"
#include "platform/text.h"

namespace zenkor {

namespace {

void openSitePage(const std::string& path) {
    platform::OpenWebAddress(platform::SiteAddress(path));
}

}  // namespace

WebLinks& OnlineLinks() {
    static WebLinks links{
        "http://forum.valmirade.example/viewtopic.php?t=2024",
        "http://forum.valmirade.example/viewtopic.php?t=2025",
        "http://www.logiciels.example/",
        "https://www.paiement.example/cgi-bin/webscr?cmd=_donations&business=dastinor%40valmirade.example"
        "&lc=FR&item_name=Valmirade%202024&currency_code=EUR&bn=PP-DonationsBF",
    };
    return links;
}

void Image2_Click(Zenkor&) {
    openSitePage("/");
}

void Image5_Click(Zenkor&) {
    openSitePage("/");
}

void Label6_Click(Zenkor&, int Index) {
    if (Index == 4) openSitePage("/");
}

void Label9_Click(Zenkor&) {
    openSitePage("/zenkor.php");
}

void Label3_Click(Zenkor&) {
    openSitePage("/contacter.php?sub=Zenkor V" + platform::NumText(kProgramMajorVersion) + "." +
                 platform::NumText(kProgramMinorVersion));
}

void Label4_Click(Zenkor&, int Index) {
    if (Index == 0) platform::OpenWebAddress(OnlineLinks().forumProgram);
    if (Index == 1) platform::OpenWebAddress(OnlineLinks().forumUpdates);
}

void Label8_Click(Zenkor&) {
    platform::OpenWebAddress(OnlineLinks().forumProgram);
}

void Image3_Click(Zenkor&) {
    platform::OpenWebAddress(OnlineLinks().softwareSite);
}

void Image18_Click(Zenkor&, int) {
    platform::OpenWebAddress(OnlineLinks().donation);
}

void Label22_Click(Zenkor& w, int) {
    Image18_Click(w, 1);
}

// The news link's address comes from the edition file: only a web address is opened.
void Lablien_Click(Zenkor& w) {
    platform::OpenWebAddress(w("Lablien").Tag());
}

void Label25_Click(Zenkor&) {}

}  // namespace zenkor
