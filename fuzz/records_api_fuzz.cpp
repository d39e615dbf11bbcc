// The record server's handlers on arbitrary requests, without the network: a method byte, then
// the path (with its query), header lines and a blank line, then the body. Whatever comes, the
// answer is one the server may send: a known status, a body of the type it says (JSON answers
// parse), nosniff on every one, and an error with its message. A course and a run are kept at
// the start, so that requests for them reach the database and the game's code.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>
#include <string>

#include "records/api.h"
#include "records/frames.h"
#include "records/game_jobs.h"
#include "records/store.h"

namespace {

using namespace records;

// The game's code in this very process: a fuzzer runs one request at a time.
class InProcess : public Verifier {
  public:
    Verification Verify(const std::string& course, const std::string& replay) override {
        Verification v;
        nlohmann::json json;
        std::string bytes;
        if (!Answer(DoJob(VerifyRequest(course, replay), folder_), v.outcome, v.message, json,
                    bytes)) {
            return v;
        }
        v.finished = json.value("finished", false);
        v.place = json.value("place", int64_t{0});
        v.total = Hundredths(json.value("total", 0.0));
        return v;
    }
    CourseCheck CheckCourse(const std::string& file, const std::string& name) override {
        CourseCheck c;
        nlohmann::json json;
        std::string bytes;
        if (!Answer(DoJob(CourseRequest(file, name), folder_), c.outcome, c.message, json, bytes)) {
            return c;
        }
        UnpackPair(bytes, c.file, c.map);
        c.checksum = json.value("checksum", "");
        c.name = json.value("name", "");
        return c;
    }

  private:
    static bool Answer(const std::string& answer, JobOutcome& outcome, std::string& message,
                       nlohmann::json& json, std::string& bytes) {
        std::string text;
        if (!UnpackPair(answer, text, bytes)) std::abort();
        json = nlohmann::json::parse(text);
        outcome = json.contains("refused")  ? JobOutcome::Refused
                  : json.contains("failed") ? JobOutcome::Crashed
                                            : JobOutcome::Done;
        message = json.value("refused", json.value("failed", ""));
        return outcome == JobOutcome::Done;
    }
    std::string folder_ = "/tmp";
};

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

struct Server {
    std::string db = "/tmp/tidewake-fuzz-records-" + std::to_string(getpid()) + ".sqlite";
    DbPool pool{DbFactoryFor(db)};
    Store store{pool};
    InProcess verifier;
    Api api{store, verifier, ApiOptions{1000000, "an-administrators-token", nullptr}};

    Server() {
        std::remove(db.c_str());
        store.Migrate();
        Request upload{
            "POST", "/api/courses", {}, {}, ReadFile(TIDEWAKE_SOURCE_DIR "/stage/01.dat"), ""};
        if (api.Handle(upload).status != 201) std::abort();
    }
};

Server& TheServer() {
    static Server server;
    return server;
}

Request Parse(const std::string& input) {
    static const char* const kMethods[] = {"GET", "POST", "DELETE", "PUT", "HEAD"};
    Request request;
    request.method = input.empty() ? "GET" : kMethods[static_cast<unsigned char>(input[0]) % 5];
    request.remote = "127.0.0.1";
    std::istringstream lines(input.empty() ? "" : input.substr(1));
    std::string line;
    std::getline(lines, line);
    const size_t question = line.find('?');
    request.path = line.substr(0, question);
    if (question != std::string::npos) {
        const std::string query = line.substr(question + 1);
        const size_t equals = query.find('=');
        request.query[query.substr(0, equals)] =
            equals == std::string::npos ? "" : query.substr(equals + 1);
    }
    while (std::getline(lines, line) && !line.empty()) {
        const size_t colon = line.find(':');
        if (colon == std::string::npos) continue;
        std::string name = line.substr(0, colon);
        for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        request.headers[name] =
            line.substr(colon + 1 + (colon + 1 < line.size() && line[colon + 1] == ' '));
    }
    std::ostringstream rest;
    rest << lines.rdbuf();
    request.body = rest.str();
    return request;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const Request request = Parse(std::string(reinterpret_cast<const char*>(data), size));
    const Response response = TheServer().api.Handle(request);
    static const std::set<int> kStatuses = {200, 201, 301, 400, 401, 403, 404,
                                            405, 410, 413, 422, 429, 500, 503};
    if (kStatuses.count(response.status) == 0) std::abort();
    // A fault of ours is a 500; arbitrary input must never find one.
    if (response.status == 500) std::abort();
    bool nosniff = false;
    for (const auto& [name, value] : response.headers) nosniff |= name == "X-Content-Type-Options";
    if (!nosniff || response.type.empty()) std::abort();
    if (response.type == "application/json") {
        const nlohmann::json body = nlohmann::json::parse(response.body, nullptr, false);
        if (body.is_discarded()) std::abort();
        if (response.status >= 400 && !(body.contains("error") && body["error"].is_string())) {
            std::abort();
        }
    }
    return 0;
}
