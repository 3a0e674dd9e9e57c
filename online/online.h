// Online services: the update of the current edition file from the author's web site, the advertised
// pictures, the update-preparation panel with the sending of predictions, and the web links.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "app/main_window.h"
#include "platform/result.h"

namespace zenkor {

// Design of the online controls (the update-preparation panel's fields, the pictures, the links) and the
// binding of their handlers; called by the window's constructor.
void BuildOnlineDesign(Zenkor& w);
void WireOnline(Zenkor& w);

// Downloads URL into the file Filename (a full path), on the calling thread; true when the file is there
// afterwards.
bool DownloadPage(Zenkor& w, const std::string& URL, const std::string& Filename);
// The online update: replaces the current edition file with the author's copy and reloads it. The
// download runs off the window's thread under a progress window whose Cancel leaves everything as it
// was; the rest runs back on the window's thread, then `then`. RECUP returns at once: headless callers
// wait with platform::WaitForBackgroundTasks. Only a whole edition file replaces the user's, which
// then becomes the backup "Zenkor2024.BU" (an older backup keeps its date in its name).
void RECUP(Zenkor& w, std::function<void()> then = {});
// At start-up: a backup whose edition file is missing is put back; nothing when there was none to put
// back, else whether it was and why not. The user is told once the language is known.
std::optional<platform::Result> RecoverEditionBackup();
void TellEditionBackupRecovery(const platform::Result& recovery);
// Downloads the banner into Image6, in the background.
void ChargeBanniere(Zenkor& w);
// Downloads the two advertised pictures into Image13 and Image14, Image20 and Image21, in the
// background: they appear when they arrive.
void ChargeImage(Zenkor& w);
// Shows the update confirmation window FREC, modal; returns when it is closed.
void ShowUpdateConfirmation(Zenkor& w);

void Image13_Click(Zenkor& w);
void Image14_MouseDown(Zenkor& w, int Button, int Shift, float X, float Y);
void Image21_MouseDown(Zenkor& w, int Button, int Shift, float X, float Y);

// The update confirmation window.
class FREC : public platform::Form {
  public:
    explicit FREC(Zenkor& main);
    Zenkor* main;
    const unsigned serial;  // tells this window from a later one at the same address
};
// The confirmation window shown last (nullptr when none); it stays until the next one is shown or
// ReleaseUpdateConfirmation frees it.
FREC* CurrentUpdateConfirmation();
void ReleaseUpdateConfirmation();

// The update-preparation panel. The access code opens it filled.
inline constexpr const char* kAccessCode = "6rivu";
void Label2_MouseDown(Zenkor& w, int Button, int Shift, float X, float Y);
void Command16_Click(Zenkor& w);  // sends the current edition file
void Command17_Click(Zenkor& w);  // opens the edition file on display in its application
void Command18_Click(Zenkor& w);  // writes the news, link and version entries
void Command19_Click(Zenkor& w);  // closes the panel
void Command20_Click(Zenkor& w, int Index);

// Addresses outside the author's web site (configuration values; the site's own host is
// platform::SiteHost()).
struct WebLinks {
    std::string forumProgram;  // the forum thread about the program
    std::string forumUpdates;  // the forum thread about its updates
    std::string softwareSite;  // the software download site's home page
    std::string donation;      // the donation page of the payment site
};
WebLinks& OnlineLinks();

// The web links of the main window.
void Image2_Click(Zenkor& w);
void Image5_Click(Zenkor& w);
void Label6_Click(Zenkor& w, int Index);
void Label9_Click(Zenkor& w);
void Label3_Click(Zenkor& w);
void Label4_Click(Zenkor& w, int Index);
void Label8_Click(Zenkor& w);
void Image3_Click(Zenkor& w);
void Image18_Click(Zenkor& w, int Index);
void Label22_Click(Zenkor& w, int Index);
void Lablien_Click(Zenkor& w);
void Label25_Click(Zenkor& w);

}  // namespace zenkor
