#include "app/main_window.h"

#include "online/online.h"
#include "qualifiers/qualifiers.h"

namespace zenkor {

Zenkor::Zenkor() : platform::Form("Zenkor") {
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

std::array<std::string, 101>& LangMessages() {
    static std::array<std::string, 101> messages;
    return messages;
}

std::string MessageOr(int index, const std::string& french) {
    const std::string& text = Message(index);
    return text.empty() ? french : text;
}

const std::string& Message(int index) {
    static const std::string empty;
    if (index < 0 || index > 100) return empty;
    return LangMessages()[static_cast<size_t>(index)];
}

}  // namespace zenkor
