// tidewake-records-load: mixed traffic against a record server for a while, from many clients at
// once: table reads, course lists and run submissions of a real replay. Says how many runs were
// verified a second, how long table reads took while they were (p50, p99), and every status
// the server answered.
//   usage: tidewake-records-load URL REPLAY [--clients N] [--seconds S] [--submit-share PERCENT]
#include <httplib.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <map>
#include <mutex>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Tally {
    std::mutex mutex;
    std::vector<double> tableMs;
    std::vector<double> submitMs;
    std::map<std::string, int> statuses;  // "POST 201", "GET 200", ...
    int verified = 0;
};

struct Options {
    std::string url;
    std::string replay;
    int clients = 8;
    int seconds = 20;
    int submitShare = 50;  // percent of requests that are submissions
};

double Percentile(std::vector<double> values, double share) {
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    const size_t at = static_cast<size_t>(share * static_cast<double>(values.size() - 1));
    return values[at];
}

// A client of its own: a name and a token, keep-alive on one connection.
void Client(int number, const Options& options, const std::string& replay,
            const std::string& course, Clock::time_point end, Tally& tally) {
    httplib::Client client(options.url);
    client.set_keep_alive(true);
    client.set_tcp_nodelay(true);
    client.set_read_timeout(60, 0);
    char token[33];
    std::snprintf(token, sizeof token, "%032x", number + 1);
    const httplib::Headers headers = {{"X-Player-Name", "load-" + std::to_string(number)},
                                      {"X-Player-Token", token}};
    std::mt19937 random(static_cast<unsigned>(number));
    std::uniform_int_distribution<int> percent(0, 99);
    while (Clock::now() < end) {
        const int roll = percent(random);
        const auto start = Clock::now();
        std::string kind;
        int status = 0;
        if (roll < options.submitShare) {
            kind = "POST /api/runs";
            const auto result =
                client.Post("/api/runs", headers, replay, "application/octet-stream");
            status = result ? result->status : 0;
        } else if (roll < options.submitShare + (100 - options.submitShare) * 9 / 10) {
            kind = "GET runs";
            const auto result = client.Get("/api/courses/" + course + "/runs?limit=20");
            status = result ? result->status : 0;
        } else {
            kind = "GET /api/courses";
            const auto result = client.Get("/api/courses");
            status = result ? result->status : 0;
        }
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        std::lock_guard<std::mutex> lock(tally.mutex);
        tally.statuses[kind + " " + std::to_string(status)] += 1;
        if (kind == "GET runs") tally.tableMs.push_back(ms);
        if (kind == "POST /api/runs") {
            tally.submitMs.push_back(ms);
            if (status == 201) ++tally.verified;
        }
    }
}

bool ReadOptions(int argc, char** argv, Options& options) {
    if (argc < 3) return false;
    options.url = argv[1];
    options.replay = argv[2];
    for (int i = 3; i + 1 < argc; i += 2) {
        const std::string arg = argv[i];
        const int value = std::atoi(argv[i + 1]);
        if (value <= 0) return false;
        if (arg == "--clients") {
            options.clients = value;
        } else if (arg == "--seconds") {
            options.seconds = value;
        } else if (arg == "--submit-share" && value <= 100) {
            options.submitShare = value;
        } else {
            return false;
        }
    }
    return (argc - 3) % 2 == 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ReadOptions(argc, argv, options)) {
        std::fputs(
            "usage: tidewake-records-load URL REPLAY [--clients N] [--seconds S] "
            "[--submit-share PERCENT]\n",
            stderr);
        return 2;
    }
    std::ifstream file(options.replay, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    const std::string replay = bytes.str();
    const size_t at = replay.find("checksum ");
    if (!file || at == std::string::npos) {
        std::fprintf(stderr, "tidewake-records-load: %s is not a replay\n", options.replay.c_str());
        return 2;
    }
    const std::string course = replay.substr(at + 9, 16);

    Tally tally;
    const auto start = Clock::now();
    const auto end = start + std::chrono::seconds(options.seconds);
    std::vector<std::thread> clients;
    for (int i = 0; i < options.clients; ++i) {
        clients.emplace_back(Client, i, std::cref(options), std::cref(replay), std::cref(course),
                             end, std::ref(tally));
    }
    for (std::thread& client : clients) client.join();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();

    std::printf("clients %d, %.1f s\n", options.clients, seconds);
    std::printf("verified runs: %d, %.1f a second\n", tally.verified,
                static_cast<double>(tally.verified) / seconds);
    std::printf("table reads: %zu, p50 %.1f ms, p99 %.1f ms\n", tally.tableMs.size(),
                Percentile(tally.tableMs, 0.5), Percentile(tally.tableMs, 0.99));
    std::printf("submissions: %zu, p50 %.1f ms, p99 %.1f ms\n", tally.submitMs.size(),
                Percentile(tally.submitMs, 0.5), Percentile(tally.submitMs, 0.99));
    for (const auto& [kind, count] : tally.statuses)
        std::printf("  %-24s %d\n", kind.c_str(), count);
    return 0;
}
