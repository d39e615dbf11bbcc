#include "records/client.h"

#include <httplib.h>
#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "platform/common/player_folders.h"
#include "platform/platform.h"
#include "records/secrets.h"

namespace records {
namespace {

using nlohmann::json;

constexpr int kFailed = 1;

// "http://host:port/prefix" as the client's server and the prefix the API sits under.
struct Server {
    std::string origin;
    std::string prefix;
};

bool ServerOf(const std::string& url, Server& server) {
    const size_t scheme = url.find("://");
    if (scheme == std::string::npos) return false;
    const std::string kind = url.substr(0, scheme);
    if (kind != "http" && kind != "https") return false;
    const size_t path = url.find('/', scheme + 3);
    server.origin = url.substr(0, path);
    server.prefix = path == std::string::npos ? "" : url.substr(path);
    while (!server.prefix.empty() && server.prefix.back() == '/') server.prefix.pop_back();
    return server.origin.size() > scheme + 3;
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "tidewake-records: %s\n", message.c_str());
    return kFailed;
}

bool ReadFile(const std::string& path, std::string& bytes) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    std::ostringstream text;
    text << file.rdbuf();
    bytes = text.str();
    return static_cast<bool>(file) || file.eof();
}

// The server's words for a refusal: its {"error": ...}, else the status.
std::string Refusal(const httplib::Result& result) {
    if (!result)
        return "no record server answers there (" + httplib::to_string(result.error()) + ")";
    const json body = json::parse(result->body, nullptr, false);
    if (body.is_object() && body.contains("error") && body["error"].is_string()) {
        return body["error"].get<std::string>() + " (" + std::to_string(result->status) + ")";
    }
    return "the server answered " + std::to_string(result->status);
}

httplib::Client ClientFor(const Server& server) {
    httplib::Client client(server.origin);
    client.set_connection_timeout(5, 0);
    client.set_tcp_nodelay(true);
    client.set_read_timeout(30, 0);
    client.set_write_timeout(30, 0);
    return client;
}

std::string BaseName(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The player's token for every server: made on first use, readable by the player alone.
bool PlayerToken(std::string& token, std::string& error) {
    const std::string folder = platform::MadeSettingsFolder();
    if (folder.empty()) {
        error = "there is no config folder to keep the player's token in";
        return false;
    }
    const std::string path = folder + "records-token";
    if (ReadFile(path, token)) {
        while (!token.empty() && (token.back() == '\n' || token.back() == '\r')) token.pop_back();
        if (WellFormedToken(token)) return true;
        error = path + " does not hold a token (32 hex digits); remove it to make a new one";
        return false;
    }
    token = NewToken();
    if (token.empty()) {
        error = "the system gave no random bytes for a token";
        return false;
    }
    const std::string text = token + "\n";
    bool existed = false;
    // Made readable by the player alone before a byte of it is written.
    const mode_t before = umask(077);
    const bool written =
        platform::WriteNewFile(path.c_str(), text.data(), text.size(), existed, error);
    umask(before);
    if (!written) {
        error = path + ": " + error;
        return false;
    }
    chmod(path.c_str(), 0600);
    return true;
}

}  // namespace

int SubmitRun(const std::string& url, const std::string& replayPath, const std::string& name) {
    Server server;
    if (!ServerOf(url, server)) return Fail("'" + url + "' is not an http:// or https:// address");
    std::string replay;
    if (!ReadFile(replayPath, replay)) return Fail("cannot read " + replayPath);
    std::string token;
    std::string error;
    if (!PlayerToken(token, error)) return Fail(error);
    httplib::Client client = ClientFor(server);
    const httplib::Headers headers = {
        {"X-Player-Name", name}, {"X-Player-Token", token}, {"X-File-Name", BaseName(replayPath)}};
    const httplib::Result result =
        client.Post(server.prefix + "/api/runs", headers, replay, "application/octet-stream");
    if (!result || result->status != 201) return Fail(Refusal(result));
    const json body = json::parse(result->body, nullptr, false);
    if (!body.is_object()) return Fail("the server's answer is not JSON");
    std::printf("run %lld: rank %lld, total %.2f, place %lld\n",
                static_cast<long long>(body.value("run", int64_t{0})),
                static_cast<long long>(body.value("rank", int64_t{0})), body.value("total", 0.0),
                static_cast<long long>(body.value("place", int64_t{0})));
    return 0;
}

int UploadCourse(const std::string& url, const std::string& coursePath) {
    Server server;
    if (!ServerOf(url, server)) return Fail("'" + url + "' is not an http:// or https:// address");
    std::string file;
    if (!ReadFile(coursePath, file)) return Fail("cannot read " + coursePath);
    httplib::Client client = ClientFor(server);
    const httplib::Headers headers = {{"X-File-Name", BaseName(coursePath)}};
    const httplib::Result result =
        client.Post(server.prefix + "/api/courses", headers, file, "application/octet-stream");
    if (!result || (result->status != 201 && result->status != 200)) return Fail(Refusal(result));
    const json body = json::parse(result->body, nullptr, false);
    if (!body.is_object()) return Fail("the server's answer is not JSON");
    std::printf("course %s: %s (%s)\n", body.value("course", "").c_str(),
                body.value("name", "").c_str(),
                result->status == 201 ? "shared" : "kept there already");
    return 0;
}

int FetchReplay(const std::string& url, const std::string& checksum, int rank,
                const std::string& outPath) {
    Server server;
    if (!ServerOf(url, server)) return Fail("'" + url + "' is not an http:// or https:// address");
    if (rank < 1 || rank > 1000) return Fail("--rank is 1 to 1000");
    httplib::Client client = ClientFor(server);
    const httplib::Result table = client.Get(server.prefix + "/api/courses/" + checksum +
                                             "/runs?limit=" + std::to_string(rank));
    if (!table || table->status != 200) return Fail(Refusal(table));
    const json runs = json::parse(table->body, nullptr, false);
    if (!runs.is_array()) return Fail("the server's table is not JSON");
    if (static_cast<int>(runs.size()) < rank) {
        return Fail("the course's table has " + std::to_string(runs.size()) + " runs, no rank " +
                    std::to_string(rank));
    }
    const json& run = runs[static_cast<size_t>(rank - 1)];
    const int64_t id = run.value("run", int64_t{0});
    const httplib::Result replay =
        client.Get(server.prefix + "/api/runs/" + std::to_string(id) + "/replay");
    if (!replay || replay->status != 200) return Fail(Refusal(replay));
    std::string error;
    bool existed = false;
    if (!platform::WriteNewFile(outPath.c_str(), replay->body.data(), replay->body.size(), existed,
                                error) &&
        !(existed && platform::ReplaceFileContents(outPath.c_str(), replay->body.data(),
                                                   replay->body.size(), error))) {
        return Fail(outPath + ": " + error);
    }
    std::printf("%s: the run of %s, rank %d, total %.2f\n", outPath.c_str(),
                run.value("name", "").c_str(), rank, run.value("total", 0.0));
    return 0;
}

}  // namespace records
