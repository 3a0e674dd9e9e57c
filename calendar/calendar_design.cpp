// The calendar's part of the window design: the channel logos and stadium pictures of the match panel,
// its outlines, and the knockout view's copy of the panel.
#include "app/design.h"
#include "app/main_names.h"
#include "calendar/calendar.h"
#include "calendar/calendar_detail.h"
#include "calendar/calendar_names.h"

namespace zenkor {

namespace {

using platform::kNavy;

Control& ensure(Zenkor& w, Kind kind, const char* name, int index, Control* container) {
    if (Control* c = w.find(name, index)) return *c;
    return w.add(kind, name, index, container);
}

Control& outline(Zenkor& w, const char* name, Control* container, int left, int top, int width, int height) {
    Control& c = ensure(w, Kind::Shape, name, -1, container);
    c.move(left, top, width, height);
    c.setBackStyle(platform::BackStyle::Transparent);
    c.setBorderColor(kNavy);
    c.setVisible(false);
    return c;
}

// The logos of one display set, in the order the panel tests the channels, one beside the other.
void channelLogos(Zenkor& w, const std::array<int, 5>& indexes, Control* container, int left, int top,
                  int width, int height, int pitch) {
    for (size_t j = 0; j < kChannels.size(); ++j) {
        const Channel& channel = kChannels[j];
        // The knockout set takes its pictures from the group set at start-up.
        const char* file = container == nullptr ? channel.file : "";
        Control& logo = AddPicture(w, "ImChaine", indexes[j], container, file,
                                   left + static_cast<int>(j) * pitch, top, width, height);
        logo.setVisible(false);
        logo.setToolTipText(channel.name);
    }
}

}  // namespace

// Group-view set, between the groups and the news line: city, date and time (already placed), then the
// logos and the stadium picture, inside Shape1. Knockout-view set in Frame16, in the lower left corner
// of the knockout view, beside the hidden edition picker and below the round of 16.
void BuildCalendarDesign(Zenkor& w) {
    // The day's lines come out in kick-off order.
    Control& day = ensure(w, Kind::ListBox, kDayMatchesList, -1, w.find(kDayMatchesFrame));
    day.setSorted(true);
    day.setVisible(false);

    // The stadium pictures are cards three times as wide as high: the drawing, the name and the city.
    channelLogos(w, {1, 2, 3, 0, 8}, nullptr, 6540, 8025, 400, 280, 420);
    for (const Venue& venue : kVenues) {
        Control& store = AddPicture(w, "Terrain", venue.store, nullptr, venue.file, 8700, 7965, 2430, 810);
        store.setVisible(false);
    }
    Control& field = AddPicture(w, "Terrain", 10, nullptr, "", 8700, 7965, 2430, 810);
    field.setToolTipText("");
    outline(w, kGroupMatchOutlineShape, nullptr, 150, 7935, 11040, 870);

    Control* panel = w.find(kKnockoutMatchFrame);
    if (panel == nullptr) {
        panel = &w.add(Kind::Frame, kKnockoutMatchFrame, -1, w.find(kKnockoutViewFrame));
        panel->setVisible(false);
    }
    panel->move(600, 6585, 4590, 1260);
    for (int i = 3; i <= 5; ++i) {
        Control& line = ensure(w, Kind::Label, "LabTer", i, panel);
        line.move(120, 210 + (i - 3) * 300, 2280, 255);
        line.setBackStyle(platform::BackStyle::Transparent);
        line.setBorderStyle(platform::BorderStyle::None);
    }
    AddPicture(w, "Terrain", 11, panel, "", 2460, 150, 2070, 690);
    channelLogos(w, {5, 6, 7, 4, 9}, panel, 2580, 900, 360, 270, 390);
    outline(w, kKnockoutMatchOutlineShape, panel, 60, 105, 4470, 1110);
}

}  // namespace zenkor
