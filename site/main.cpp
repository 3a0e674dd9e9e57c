// zenkor-site: the author's web site.
//   zenkor-site [--data DIR] [--listen HOST:PORT] [--trusted-proxy ADDR]... [--clock EPOCH]   serves
//   zenkor-site [--data DIR] publish FILE [--new-teams]   publishes an edition file
//   zenkor-site [--data DIR] messages                 prints the contact messages
//   zenkor-site [--data DIR] reset-password PSEUDO     gives a player a new password, printed
//   zenkor-site [--data DIR] remove-player PSEUDO      removes a player and all they sent
#include <signal.h>
#include <sodium.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/datetime.h"
#include "platform/ini.h"
#include "platform/runtime.h"
#include "site/client_address.h"
#include "site/contest/contest.h"
#include "site/contest/messages.h"
#include "site/contest/routes.h"
#include "site/contest/upload_reader.h"
#include "site/http_server.h"
#include "site/pictures.h"
#include "site/server.h"
#include "site/tournament.h"

namespace {

constexpr const char* kUsage =
    "usage: zenkor-site [--data DIR] [--listen HOST:PORT] [--trusted-proxy ADDR]... [--clock EPOCH]\n"
    "       zenkor-site [--data DIR] publish FILE [--new-teams]\n"
    "       zenkor-site [--data DIR] messages\n"
    "       zenkor-site [--data DIR] reset-password PSEUDO\n"
    "       zenkor-site [--data DIR] remove-player PSEUDO\n"
    "Serves the site on HOST:PORT (default 127.0.0.1:8080; port 0 picks a free port), keeping its data in "
    "DIR\n"
    "(default ${XDG_DATA_HOME:-~/.local/share}/zenkor-site). publish checks FILE and makes it the edition\n"
    "file the site serves, keeping the previous one; every match needs its kick-off, and the groups\n"
    "keep their teams unless --new-teams. messages prints the messages of the contact page.\n"
    "reset-password gives the player PSEUDO a new password, printed, and ends the player's sessions.\n"
    "remove-player removes the player PSEUDO with their sessions, files and predictions; the rankings\n"
    "go on without them.\n"
    "--trusted-proxy names the IP address of a reverse proxy in front of the site: its requests count\n"
    "as coming from the client it names last in X-Forwarded-For. --clock starts the contest's clock at\n"
    "EPOCH (UTC seconds), for rehearsing a tournament that is over.\n";

struct Arguments {
    std::filesystem::path data = site::DefaultDataFolder();
    std::string host = "127.0.0.1";
    int port = 8080;
    std::vector<std::string> trustedProxies;
    std::string publish;                // the file to publish, when publishing
    bool newTeams = false;              // the published file may name other teams
    bool messages = false;              // print the contact messages
    std::optional<std::string> reset;   // the player whose password to reset
    std::optional<std::string> remove;  // the player to remove
    std::optional<std::int64_t> clock;  // the contest's clock at start, UTC epoch seconds
};

bool parseListen(const std::string& value, Arguments& a) {
    const auto colon = value.rfind(':');
    if (colon == std::string::npos || colon == 0) return false;
    const std::string port = value.substr(colon + 1);
    if (port.empty() || port.size() > 5 || port.find_first_not_of("0123456789") != std::string::npos)
        return false;
    a.port = std::stoi(port);
    if (a.port > 65535) return false;
    a.host = value.substr(0, colon);
    if (a.host.size() > 2 && a.host.front() == '[' && a.host.back() == ']')
        a.host = a.host.substr(1, a.host.size() - 2);
    return true;
}

bool parse(int argc, char** argv, Arguments& a) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--data" && i + 1 < argc) {
            a.data = argv[++i];
        } else if (arg == "--listen" && i + 1 < argc) {
            if (!parseListen(argv[++i], a)) return false;
        } else if (arg == "--trusted-proxy" && i + 1 < argc) {
            a.trustedProxies.push_back(argv[++i]);
        } else if (arg == "--clock" && i + 1 < argc) {
            const std::string value = argv[++i];
            if (value.empty() || value.size() > 12 ||
                value.find_first_not_of("0123456789") != std::string::npos)
                return false;
            a.clock = std::stoll(value);
        } else if (arg == "publish" && i + 1 < argc && a.publish.empty()) {
            a.publish = argv[++i];
        } else if (arg == "--new-teams") {
            a.newTeams = true;
        } else if (arg == "messages") {
            a.messages = true;
        } else if (arg == "reset-password" && i + 1 < argc && !a.reset) {
            a.reset = argv[++i];
        } else if (arg == "remove-player" && i + 1 < argc && !a.remove) {
            a.remove = argv[++i];
        } else {
            return false;
        }
    }
    const int commands = !a.publish.empty() + a.messages + a.reset.has_value() + a.remove.has_value();
    return !a.data.empty() && commands <= 1 && (!a.newTeams || !a.publish.empty()) &&
           (commands == 0 || !a.clock) && site::SetTrustedProxies(a.trustedProxies);
}

std::string dateText(std::int64_t utc) {
    const platform::DateTime t{utc};
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d UTC", platform::Year(t), platform::Month(t),
                  platform::Day(t), platform::Hour(t), platform::Minute(t));
    return text;
}

int messages(const Arguments& a) {
    try {
        const auto all = contest::ReadContactMessages(a.data);
        if (all.empty()) std::printf("No contact message in %s.\n", a.data.c_str());
        // A visitor's words never reach the terminal as commands.
        const auto line = [](const std::string& text) { return contest::Printable(text, false); };
        for (const contest::StoredMessage& m : all) {
            std::printf("Message %lld, %s, from %s\nSubject: %s\nName: %s\nAddress: %s\n\n%s\n-----\n",
                        static_cast<long long>(m.id), dateText(m.receivedAt).c_str(), line(m.address).c_str(),
                        line(m.subject).c_str(), line(m.name).c_str(), line(m.email).c_str(),
                        contest::Printable(m.message, true).c_str());
        }
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "zenkor-site: %s\n", e.what());
        return 1;
    }
}

int resetPassword(const Arguments& a) {
    try {
        contest::ContestOptions options;
        options.dataFolder = a.data;
        const auto password = contest::ResetPassword(options, *a.reset);
        if (!password) {
            std::fprintf(stderr, "zenkor-site: no player is called %s\n", a.reset->c_str());
            return 1;
        }
        std::printf("New password for %s: %s\n", a.reset->c_str(), password->c_str());
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "zenkor-site: %s\n", e.what());
        return 1;
    }
}

int removePlayer(const Arguments& a) {
    const std::string who = contest::Printable(*a.remove, false);
    try {
        const auto removed = contest::RemovePlayer(a.data, *a.remove);
        if (!removed) {
            std::fprintf(stderr, "zenkor-site: no player is called %s\n", who.c_str());
            return 1;
        }
        std::printf("Removed %s with %d file(s)\n", contest::Printable(removed->pseudonym, false).c_str(),
                    removed->files);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "zenkor-site: %s\n", e.what());
        return 1;
    }
}

int publish(const Arguments& a) {
    platform::RemoveLeftoverTemporaries(a.data);
    const auto bytes = platform::ReadFileBytes(a.publish);
    if (!bytes) {
        std::fprintf(stderr, "zenkor-site: cannot read %s\n", a.publish.c_str());
        return 1;
    }
    const std::string current = platform::ReadFileBytes(a.data / site::kPublishedName).value_or("");
    std::string problem = site::CheckEditionFile(*bytes).reason();
    if (problem.empty()) problem = contest::PublishProblem(current, *bytes, a.newTeams);
    if (!problem.empty()) {
        std::fprintf(stderr, "zenkor-site: %s not published: %s\n", a.publish.c_str(), problem.c_str());
        return 1;
    }
    if (platform::Result done = site::PublishEditionFile(a.data, *bytes); !done) {
        std::fprintf(stderr, "zenkor-site: %s not published: %s\n", a.publish.c_str(), done.reason().c_str());
        return 1;
    }
    std::printf("Published %s as %s\n", a.publish.c_str(), (a.data / site::kPublishedName).c_str());
    return 0;
}

contest::ContestOptions contestOptions(const Arguments& a) {
    contest::ContestOptions options;
    options.dataFolder = a.data;
    options.shippedQualifiers = platform::ProgramFolder() / "Elim2024.ini";
    if (a.clock) {
        options.clock = [start = *a.clock, started = std::chrono::steady_clock::now()] {
            return start + std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() -
                                                                            started)
                               .count();
        };
    }
    return options;
}

// The contest of the data folder, its first edition file published; none, said why, when it cannot start.
std::unique_ptr<contest::Contest> openContest(const Arguments& a) {
    // The database is checked first: a data folder that is not the site's is left as it was.
    try {
        std::filesystem::create_directories(a.data);
        contest::Database checked(a.data / "contest.sqlite");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "zenkor-site: cannot start: %s\n", e.what());
        return nullptr;
    }
    if (platform::Result first = site::EnsurePublished(a.data); !first) {
        std::fprintf(stderr, "zenkor-site: cannot set up %s: %s\n", a.data.c_str(), first.reason().c_str());
        return nullptr;
    }
    try {
        return std::make_unique<contest::Contest>(contestOptions(a));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "zenkor-site: cannot start: %s\n", e.what());
        return nullptr;
    }
}

// The site's pages ask the contest for its ranking and keep their contact messages in its database.
void connectContest(site::Site& state, contest::Contest& contest) {
    state.contest.ranking = [&contest](site::ContestKind kind, int limit) {
        std::vector<site::RankingRow> rows;
        const auto which =
            kind == site::ContestKind::Tournament ? contest::Kind::Tournament : contest::Kind::Qualifiers;
        for (const contest::RankRow& r : contest.Ranking(which, static_cast<size_t>(std::max(limit, 0)))) {
            rows.push_back({r.rank, r.pseudonym, r.points});
        }
        return rows;
    };
    state.contest.storeContact = [&contest](const site::ContactMessage& m) {
        try {
            const contest::ContactResult r =
                contest.StoreContact({m.subject, m.name, m.email, m.text, m.address}, contest.Now());
            if (r.stored == contest::ContactStored::Stored) return site::ContactStored::Stored;
            return r.limit == contest::LimitHit::AllMessages ? site::ContactStored::TooManyOnSite
                                                             : site::ContactStored::TooMany;
        } catch (const std::exception&) {
            return site::ContactStored::Failed;
        }
    };
}

// The engine's limits for this process: as many connections as its descriptors allow.
site::ServerLimits serverLimits() {
    site::ServerLimits limits;
    if (rlimit files{}; getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur != RLIM_INFINITY)
        limits.connections = site::ConnectionsFor(files.rlim_cur, limits.threads);
    return limits;
}

// Serves until SIGINT or SIGTERM, which this thread waits for (blocked in every other one).
int listenUntilStopped(const site::Routes& routes, const Arguments& a) {
    site::HttpServer server(routes, serverLimits());
    const int port = server.Start(a.host, a.port);
    if (port < 0) {
        std::fprintf(stderr, "zenkor-site: cannot listen on %s:%d\n", a.host.c_str(), a.port);
        return 1;
    }
    const bool v6 = a.host.find(':') != std::string::npos;
    std::printf("zenkor-site: listening on http://%s%s%s:%d/ (data in %s)\n", v6 ? "[" : "", a.host.c_str(),
                v6 ? "]" : "", port, a.data.c_str());
    std::fflush(stdout);

    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    int sig = 0;
    sigwait(&set, &sig);
    server.Stop();
    return 0;
}

int serve(const Arguments& a) {
    // What a site killed earlier left: the window model's folder, a publish's temporary file.
    site::RemoveLeftoverModelFolders();
    platform::RemoveLeftoverTemporaries(a.data);

    const std::unique_ptr<contest::Contest> contest = openContest(a);
    if (!contest) return 1;
    site::Site state(a.data);
    site::Routes routes;
    site::ConfigureServer(routes);
    site::AddSiteRoutes(routes, state);
    connectContest(state, *contest);
    contest::RegisterContestRoutes(routes, *contest);
    state.published.current();  // computes the tournament before the first visitor asks
    return listenUntilStopped(routes, a);
}

}  // namespace

int main(int argc, char** argv) {
    Arguments args;
    if (!parse(argc, argv, args)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (!args.publish.empty()) {
        site::InstallHeadlessServices();
        return publish(args);
    }
    if (args.messages) return messages(args);
    if (args.reset) return resetPassword(args);
    if (args.remove) return removePlayer(args);

    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    signal(SIGPIPE, SIG_IGN);

    if (sodium_init() < 0) {
        std::fputs("zenkor-site: libsodium could not start\n", stderr);
        return 1;
    }
    if (!site::PreparePictures()) {
        std::fprintf(stderr, "zenkor-site: the font %s is missing\n", site::kPictureFont);
        return 1;
    }
    site::InstallHeadlessServices();
    // Each waiting connection holds a descriptor.
    if (rlimit files{}; getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur < files.rlim_max) {
        files.rlim_cur = files.rlim_max;
        setrlimit(RLIMIT_NOFILE, &files);
    }
    const int rc = serve(args);
    site::ReleasePictures();
    return rc;
}
