// libFuzzer target for the contest's upload reader: any bytes, read as a player's file of either contest
// against the files the site publishes, must give predictions or a refusal, never a crash or a hang.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/ini.h"
#include "site/contest/upload_reader.h"
#include "site/tournament.h"

namespace {

contest::Results published(contest::Kind kind) {
    const char* name = kind == contest::Kind::Tournament ? "/site/Zenkor2024.ini" : "/Elim2024.ini";
    const std::string bytes = platform::ReadFileBytes(std::string(ZENKOR_DATA_DIR) + name).value_or("");
    return kind == contest::Kind::Tournament ? contest::ReadEditionResults(bytes)
                                             : contest::ReadQualifierResults(bytes);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool ready = [] {
        site::InstallHeadlessServices();
        return true;
    }();
    static const contest::Results tournament = published(contest::Kind::Tournament);
    static const contest::Results qualifiers = published(contest::Kind::Qualifiers);
    (void)ready;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    (void)contest::ReadUpload(contest::Kind::Tournament, bytes, tournament);
    (void)contest::ReadUpload(contest::Kind::Qualifiers, bytes, qualifiers);
    return 0;
}
