// The record server's requests and answers, apart from the network: the HTTP server hands each
// request here, and the fuzzer does the same without one.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "records/rate_limit.h"
#include "records/site.h"
#include "records/store.h"
#include "records/verifier.h"

namespace records {

struct Request {
    std::string method;  // "GET", "POST", ...
    std::string path;    // without the query
    std::map<std::string, std::string> query;
    std::map<std::string, std::string> headers;  // names in lower case
    std::string body;
    std::string remote;  // the client's address
};

struct Response {
    int status = 200;
    std::string type = "application/json";
    std::string body;
    std::vector<std::pair<std::string, std::string>> headers;
};

struct ApiOptions {
    int runsPerMinute = 30;      // runs one address may send a minute
    std::string adminToken;      // empty: no administrator
    const Site* play = nullptr;  // the game's page under /play/, or none
};

// The largest bodies taken: a stage file, a replay.
constexpr size_t kLargestCourse = size_t{1} << 20;
constexpr size_t kLargestReplay = size_t{256} << 10;

class Api {
  public:
    Api(Store& store, Verifier& verifier, ApiOptions options);

    // Answers one request. Never throws: a database that is away is a 503, a fault of ours a 500.
    Response Handle(const Request& request);

    // The clock the dates come from, for tests: "2026-12-08T04:05:06Z".
    void SetClock(std::string (*now)()) { now_ = now; }

  private:
    Response Route(const Request& request);
    Response PostCourse(const Request& request);
    Response ListCourses();
    Response ShowCourse(const std::string& checksum);
    Response CourseFile(const std::string& checksum);
    Response CourseMap(const std::string& checksum);
    Response CourseRuns(const std::string& checksum, const Request& request);
    Response PostRun(const Request& request);
    Response RunReplay(const std::string& id);
    Response Hide(const Request& request, const std::string& kind, const std::string& key);
    Response Page(const Site& site, const std::string& name, bool game);

    Store& store_;
    Verifier& verifier_;
    ApiOptions options_;
    RateLimit runLimit_;
    std::string (*now_)();
};

// A JSON answer {"error": message} with the status.
Response ErrorResponse(int status, const std::string& message);

// The current time in UTC as "2026-12-08T04:05:06Z".
std::string UtcNow();

}  // namespace records
