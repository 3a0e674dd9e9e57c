// The online controls of the main window: the rest of the update-preparation panel (news texts, link,
// buttons, pictures, captions), the advertised picture of the qualifiers panel, and the web links of the
// main window, the help panel and the knockout view.
#include <string>

#include "app/artwork.h"
#include "app/design.h"
#include "app/main_names.h"
#include "online/online.h"
#include "online/online_names.h"
#include "platform/opener.h"
#include "platform/runtime.h"

namespace zenkor {

namespace {

using platform::Color;

using platform::kLightOrange;
using platform::kPaleGrey;
constexpr Color kLinkBlue = platform::kDarkBlue;

Control& link(Zenkor& w, const char* name, int index, Control* container, const char* text, int left, int top,
              int width, int height) {
    Control& c = AddLabel(w, name, index, container, text, left, top, width, height);
    c.setForeColor(kLinkBlue);
    c.setFontUnderline(true);
    c.setMousePointer(platform::Pointer::Hand);
    return c;
}

Control& greyBack(Zenkor& w, const char* name, int index, Control* panel, int left, int top, int width,
                  int height) {
    Control& c = w.add(Kind::Shape, name, index, panel);
    c.move(left, top, width, height);
    c.setFillColor(kPaleGrey);
    c.setBorderColor(kPaleGrey);
    c.setBackStyle(platform::BackStyle::Opaque);
    return c;
}

// The update-preparation panel: the main design holds the password, pseudonym and version boxes, the
// check box and the send button; the rest is here. Left: the player's rows with their captions, the
// pictures and the commands; right: the news texts, the link and their save button.
void buildUpdatePanel(Zenkor& w) {
    Control* panel = w.find(kUpdatePanelFrame);
    if (!panel) return;
    // The grey backs are made first among this panel's new controls and the boxes they hold are brought
    // in front of them again.
    greyBack(w, kUpdateFieldsBackShape, -1, panel, 120, 390, 5760, 1785);
    greyBack(w, kNewsBackShapes, 0, panel, 8640, 390, 8640, 4560);
    greyBack(w, kNewsBackShapes, 1, panel, 8640, 5070, 8640, 1170);
    greyBack(w, kNewsBackShapes, 2, panel, 8640, 6360, 8640, 1110);
    for (int i = 0; i <= 3; ++i) w.bringToFront(w(kUpdateFieldTexts, i));

    static const char* const kRowCaptions[] = {"mot de passe", "Pseudo", "Version du programme",
                                               "Version disponible"};
    for (int i = 0; i <= 3; ++i)
        AddLabel(w, kUpdateFieldLabels, i, panel, kRowCaptions[i], 240, 510 + i * 420, 2400, 255);

    static const char* const kNewsCaptions[] = {"Texte Français", "Texte Anglais", "Texte Espagnol"};
    for (int k = 0; k <= 2; ++k) {
        AddLabel(w, kNewsCaptionLabels, k, panel, kNewsCaptions[k], 8760, 480 + k * 1470, 3000, 255);
        Control& text = AddTextBox(w, kNewsTexts, k, panel, 8760, 765 + k * 1470, 8400, 1050);
        text.setMultiLine(true);
    }
    AddLabel(w, kLinkCaptionLabel, -1, panel, "Lien", 8760, 5160, 3000, 255);
    AddTextBox(w, kLinkTexts, 0, panel, 8760, 5445, 3000, 315).setToolTipText("Texte du lien");
    AddTextBox(w, kLinkTexts, 1, panel, 11880, 5445, 5280, 315).setToolTipText("Adresse du lien");
    AddButton(w, kSaveChangesButton, -1, panel, "Enregistrer ces modifs", 8760, 6600, 3600, 555);
    AddLabel(w, kCompatibleLabel, -1, panel, "Compatible Elim & Valmirade !", 12600, 6750, 4560, 255);

    Control& image13 = AddPicture(w, kAdvertPreview, -1, panel, "", 240, 2760, 2235, 225);
    image13.setMousePointer(platform::Pointer::Hand);
    image13.setToolTipText("Recharger l'image");
    AddPicture(w, kQualifierAdvertPreview, -1, panel, "", 240, 3120, 2235, 225);
    AddButton(w, kPictureButtons, 0, panel, "Recharger l'image", 2760, 2715, 3000, 375);
    AddButton(w, kPictureButtons, 1, panel, "Envoyer Fichier Eliminatoires.", 300, 7620, 7920, 495)
        .setEnabled(false);
    AddButton(w, kEditFileButton, -1, panel, "Modifier le fichier manuellement. (Experts only)", 240, 3720,
              5520, 495);
    link(w, kForumLinkLabels, 1, panel, "Forum entre nous", 240, 4440, 3000, 255);
    AddButton(w, kUpdatePanelCloseButton, -1, panel, "Fermer", 13200, 7920, 1800, 495);
}

// The advertised picture of the qualifiers panel, when its owner has not placed it.
void buildQualifierPicture(Zenkor& w) {
    if (w.find(kQualifierAdvertPicture)) return;
    Control* qualifiers = w.find("FraElim");
    Control& image21 =
        AddPicture(w, kQualifierAdvertPicture, -1, qualifiers, artwork::kAdvert, 9150, 7230, 2235, 225);
    image21.setMousePointer(platform::Pointer::Hand);
    image21.setToolTipText("Clic droit = ouvre le module. Gauche = recharge");
}

// The links of the help panel, in its free right half below the navigation buttons.
void buildHelpLinks(Zenkor& w) {
    Control* help = w.find("Fraide");
    if (!help) return;
    link(w, kSiteLinkLabel, -1, help, platform::SiteHost().c_str(), 9000, 4860, 4200, 255);
    link(w, kContactLinkLabel, -1, help, "Me contacter...", 9000, 5220, 4200, 255);
    link(w, kForumLinkLabels, 0, help, "Participez sur le forum.", 9000, 5580, 4200, 255);
    link(w, kSoftwareForumLinkLabel, -1, help, "Le forum du logiciel", 9000, 5940, 4200, 255);
    Control& software =
        AddPicture(w, kSoftwareLinkPicture, -1, help, artwork::kLinkSoftware, 9000, 6360, 1800, 600);
    software.setToolTipText("Téléchargez des logiciels");
    Control& animated =
        AddPicture(w, kHomeLinkPicture, -1, help, artwork::kLinkHome, 13440, 2760, 1800, 1800);
    animated.setToolTipText(platform::SiteHost());
}

// The links beside the groups (site and donation) and in the knockout view (donation).
void buildWindowLinks(Zenkor& w) {
    Control& site = AddPicture(w, kSiteLinkPicture, -1, nullptr, artwork::kLinkSite, 15420, 6120, 1905, 600);
    site.setToolTipText(platform::SiteHost());
    site.setMousePointer(platform::Pointer::Hand);
    AddPicture(w, kDonatePictures, 0, nullptr, artwork::kLinkDonate, 15420, 6780, 1905, 420);
    link(w, kDonateLinkLabels, 0, nullptr, "Ce logiciel vous plait...", 15420, 7260, 1905, 255);

    Control* knockout = w.find(kKnockoutViewFrame);
    link(w, kDonateLinkLabels, 1, knockout, "Ce logiciel vous plait...", 15630, 2160, 1950, 255);
    link(w, kDonateLinkLabels, 2, knockout, "Faire un don", 15630, 2460, 1950, 255);
    AddPicture(w, kDonatePictures, 1, knockout, artwork::kLinkDonate, 15630, 2790, 1950, 420);
}

template <typename Handler>
void onClick(Zenkor& w, const char* name, int index, Handler handler) {
    if (Control* c = w.find(name, index)) c->Click = handler;
}

void onMouseDown(Zenkor& w, const char* name, void (*handler)(Zenkor&, int, int, float, float)) {
    if (Control* c = w.find(name)) {
        c->MouseDown = [&w, handler](int button, int shift, float x, float y) {
            handler(w, button, shift, x, y);
        };
    }
}

}  // namespace

void BuildOnlineDesign(Zenkor& w) {
    // "Mise à jour" stands out until an update has succeeded.
    Control& update = w(kUpdateButton);
    update.setFontBold(true);
    update.setBackColor(kLightOrange);
    w(kAdvertPicture).setToolTipText("Clic Gauche = recharge. Clic droit = ouvre le module. ");

    buildUpdatePanel(w);
    buildQualifierPicture(w);
    buildHelpLinks(w);
    buildWindowLinks(w);
}

void WireOnline(Zenkor& w) {
    onClick(w, kSendButton, -1, [&w] { Command16_Click(w); });
    onClick(w, kEditFileButton, -1, [&w] { Command17_Click(w); });
    onClick(w, kSaveChangesButton, -1, [&w] { Command18_Click(w); });
    onClick(w, kUpdatePanelCloseButton, -1, [&w] { Command19_Click(w); });
    for (int i : w.indexes(kPictureButtons))
        onClick(w, kPictureButtons, i, [&w, i] { Command20_Click(w, i); });
    onClick(w, kAdvertPreview, -1, [&w] { Image13_Click(w); });
    onMouseDown(w, kAdvertPicture, Image14_MouseDown);
    onMouseDown(w, kQualifierAdvertPicture, Image21_MouseDown);
    onMouseDown(w, kHelpTitleLabel, Label2_MouseDown);

    onClick(w, kSiteLinkPicture, -1, [&w] { Image2_Click(w); });
    onClick(w, kHomeLinkPicture, -1, [&w] { Image5_Click(w); });
    for (int i : w.indexes(kAboutLabels)) onClick(w, kAboutLabels, i, [&w, i] { Label6_Click(w, i); });
    onClick(w, kSiteLinkLabel, -1, [&w] { Label9_Click(w); });
    onClick(w, kContactLinkLabel, -1, [&w] { Label3_Click(w); });
    for (int i : w.indexes(kForumLinkLabels))
        onClick(w, kForumLinkLabels, i, [&w, i] { Label4_Click(w, i); });
    onClick(w, kSoftwareForumLinkLabel, -1, [&w] { Label8_Click(w); });
    onClick(w, kSoftwareLinkPicture, -1, [&w] { Image3_Click(w); });
    for (int i : w.indexes(kDonatePictures)) onClick(w, kDonatePictures, i, [&w, i] { Image18_Click(w, i); });
    for (int i : w.indexes(kDonateLinkLabels))
        onClick(w, kDonateLinkLabels, i, [&w, i] { Label22_Click(w, i); });
    onClick(w, "Lablien", -1, [&w] { Lablien_Click(w); });
    onClick(w, kBannerHoverLabel, -1, [&w] { Label25_Click(w); });
}

}  // namespace zenkor
