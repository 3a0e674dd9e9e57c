// The window's assembly: every subsystem's part of the design, then every subsystem's handlers, in this
// order. The one place that knows all of them.
#include "app/main_window.h"
#include "assembly/startup.h"
#include "calendar/calendar.h"
#include "group_stage/group_stage.h"
#include "knockout/knockout.h"
#include "online/online.h"
#include "qualifiers/qualifiers.h"
#include "sheets/sheets.h"

namespace zenkor {

Zenkor::Zenkor() : Zenkor(Bare{}) {
    recalcAll = &RecalcAll;
    freshWindow = [] { return std::make_unique<Zenkor>(); };
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
