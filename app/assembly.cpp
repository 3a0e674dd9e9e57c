// The window's assembly: every subsystem's part of the design, then every subsystem's handlers, in this
// order. The one place that knows all of them.
#include "app/main_window.h"
#include "app/startup.h"
#include "calendar/calendar.h"
#include "group_stage/group_stage.h"
#include "knockout/knockout.h"
#include "online/online.h"
#include "qualifiers/qualifiers.h"
#include "sheets/sheets.h"

namespace zenkor {

Zenkor::Zenkor() : platform::Form("Zenkor") {
    recalcAll = &RecalcAll;
    freshWindow = [] { return std::make_unique<Zenkor>(); };
    for (int g = 0; g < 6; ++g) {
        for (int i = 1; i <= 4; ++i) places_[g][i] = i;
    }
    BuildMainDesign(*this);
    BuildGroupDesign(*this);
    BuildKnockoutDesign(*this);
    BuildEditionDesign(*this);
    BuildCalendarDesign(*this);
    BuildOnlineDesign(*this);
    BuildQualifierDesign(*this);
    WireMainWindow(*this);
    WireEditionFiles(*this);
    WireGroupStage(*this);
    WireKnockout(*this);
    WireCalendar(*this);
    WireSheets(*this);
    WireOnline(*this);
    WireQualifiers(*this);
}

}  // namespace zenkor
