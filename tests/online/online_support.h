// The main window started against a test web site on 127.0.0.1, with the opener and the clipboard read
// back.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/settings.h"
#include "online/online.h"
#include "platform/background.h"
#include "platform/clipboard.h"
#include "platform/control.h"
#include "platform/download.h"
#include "platform/opener.h"
#include "platform/progress.h"
#include "platform/runtime.h"
#include "tests/support/fakes.h"
#include "tests/support/http_server.h"

namespace online_testing {

// The French texts the online services show: the view button, the confirmation window, the version
// prompt.
inline const std::string kFrenchFile =
    "MSG\\Phase Finale\\1\r\n"
    "MSG\\Phase de Groupes\\2\r\n"
    "MSG\\Toutes vos saisies seront remplac\xE9"
    "es.\\4\r\n"
    "MSG\\Mettre \xE0 jour le fichier 2024 ?\\5\r\n"
    "MSG\\Une version plus r\xE9"
    "cente est disponible. La t\xE9l\xE9"
    "charger ?\\15\r\n"
    "MSG\\Oui\\16\r\n"
    "MSG\\Non\\17\r\n"
    "Label2\\Valmirade de football 2024\r\n";

// The author's copy of the current edition: real results in group A, a news link and message.
inline const std::string kServedEdition =
    "[CV]\r\n0=1.0\r\n"
    "[Lien]\r\n0=Les r\xE9sultats\r\n1=https://www.valmirade.example/resultats\r\n"
    "[Mess]\r\n0=R\xE9sultats du 20 juin\r\n1=Results of 20 June\r\n2=-\r\n"
    "[EquipA]\r\n1=Allemagne\r\n2=Ecosse\r\n3=Hongrie\r\n4=Suisse\r\n"
    "[ButA]\r\n0=5\r\n1=1\r\n";

// A 1 x 1 picture, and a second one told apart by its colour.
inline const std::string kGif1 = std::string(
    "GIF89a\x01\x00\x01\x00\x80\x00\x00\x00\x00\x00\xff\xff\xff!\xf9\x04\x01\x00\x00\x00\x00,\x00\x00\x00\x00"
    "\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00;",
    43);
inline const std::string kGif2 = std::string(
    "GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\x00\x00\xff\xff\xff!\xf9\x04\x01\x00\x00\x00\x00,\x00\x00\x00\x00"
    "\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00;",
    43);

class OnlineTest : public ::testing::Test {
  protected:
    void SetUp() override {
        zenkor::LangMessages().fill("");
        platform::SetEndHandler(nullptr);
        platform::SetErrorSink([this](const std::string& e) { errors.push_back(e); });
        platform::SetSiteHost(server.host());
        platform::SetOpener([this](const std::string& target) { opened.push_back(target); });
        platform::SetClipboard(nullptr);
        platform::DownloadLimits limits;
        limits.connect = std::chrono::milliseconds(2000);
        limits.idle = std::chrono::milliseconds(1000);
        platform::SetDownloadLimits(limits);
        platform::SetProgressDialogs(nullptr);
        platform::SetScreenPointer(platform::Pointer::Default);
        box.writeFile("langFr.txt", kFrenchFile);
        box.copyDataFile("Zenkor2024.ini");
    }
    void TearDown() override {
        // No handler of the online services may fail, whatever the site answered.
        for (const std::string& e : errors) ADD_FAILURE() << e;
        zenkor::ReleaseUpdateConfirmation();
        window.reset();
        platform::SetProgressDialogs(nullptr);
        platform::SetErrorSink([](const std::string& e) { std::fprintf(stderr, "Zenkor: %s\n", e.c_str()); });
        platform::SetSiteHost(kDefaultHost);
        platform::SetOpener(nullptr);
        platform::SetClipboard(nullptr);
        platform::SetDownloadLimits(platform::DownloadLimits{});
        zenkor::LangMessages().fill("");
    }

    // The main window, started as the program starts it.
    zenkor::Zenkor& start() {
        window = std::make_unique<zenkor::Zenkor>();
        window->show();
        return *window;
    }
    // Lets the downloads started so far hand their results back to the window.
    static void settle() { ASSERT_TRUE(platform::WaitForBackgroundTasks(std::chrono::seconds(20))); }
    static std::string setting(const std::string& key) { return zenkor::GetSetting(key, "<none>"); }
    bool exists(const std::string& name) const { return std::filesystem::exists(box.folder() / name); }
    std::string inFolder(const std::string& name) const { return (box.folder() / name).string(); }
    static std::string fileBytes(const std::string& path) {
        std::FILE* f = std::fopen(path.c_str(), "rb");
        if (!f) return "<missing>";
        std::string bytes;
        char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
        std::fclose(f);
        return bytes;
    }
    // The texts of the message boxes shown so far.
    std::vector<std::string> messages() const {
        std::vector<std::string> texts;
        for (const auto& m : box.dialogs->messages) texts.push_back(m.text);
        return texts;
    }
    std::string site(const std::string& path) const { return "http://" + server.host() + path; }

    static constexpr const char* kDefaultHost = "www.valmirade.example";

    testing_support::Sandbox box;
    HttpServer server;
    std::vector<std::string> opened;
    std::vector<std::string> errors;
    std::unique_ptr<zenkor::Zenkor> window;
};

}  // namespace online_testing
