#include "records/api.h"

#include <cstring>
#include <ctime>
#include <nlohmann/json.hpp>

#include "race/replay_file.h"
#include "records/player_name.h"
#include "records/secrets.h"

namespace records {
namespace {

using nlohmann::json;

// The record table's pages load their own script and style and the course pictures, nothing
// else; the game's page also compiles its WebAssembly and plays sound it makes itself. Its one
// inline script, which asks for the first frame's files before the page's scripts come, is let
// run by its hash: a change to that script in platform/web/page/index.html changes the hash.
constexpr char kTablePolicy[] =
    "default-src 'none'; script-src 'self'; style-src 'self'; img-src 'self'; connect-src 'self'; "
    "base-uri 'none'; form-action 'none'; frame-ancestors 'none'";
constexpr char kGamePolicy[] =
    "default-src 'self'; script-src 'self' 'wasm-unsafe-eval' "
    "'sha256-hYyS7QG3M17WHG4sh9i1BaBuah5eHN4TeUHk1YGQqHc='; style-src 'self' 'unsafe-inline'; "
    "img-src 'self' data: blob:; media-src 'self' data: blob:; connect-src 'self' data: blob:; "
    "worker-src 'self' blob:; base-uri 'none'; form-action 'none'; frame-ancestors 'none'";

Response JsonResponse(int status, const json& body) {
    Response response;
    response.status = status;
    // A message may quote what the client sent; bytes that are not UTF-8 become U+FFFD rather
    // than an exception.
    response.body = body.dump(-1, ' ', false, json::error_handler_t::replace);
    return response;
}

Response Bytes(const std::string& bytes, const std::string& type, const std::string& name = "") {
    Response response;
    response.type = type;
    response.body = bytes;
    if (!name.empty()) {
        response.headers.emplace_back("Content-Disposition",
                                      "attachment; filename=\"" + name + "\"");
    }
    return response;
}

double Seconds(int64_t hundredths) {
    return static_cast<double>(hundredths) / 100.0;
}

json LapsOf(const std::array<int64_t, 4>& laps) {
    json list = json::array();
    for (const int64_t lap : laps) list.push_back(Seconds(lap));
    return list;
}

bool IsChecksum(const std::string& text) {
    if (text.size() != 16) return false;
    for (char c : text) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
    }
    return true;
}

bool IsId(const std::string& text, int64_t& id) {
    if (text.empty() || text.size() > 18) return false;
    id = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        id = id * 10 + (c - '0');
    }
    return true;
}

std::vector<std::string> Parts(const std::string& path) {
    std::vector<std::string> parts;
    size_t at = 1;
    while (at <= path.size()) {
        const size_t slash = path.find('/', at);
        const size_t end = slash == std::string::npos ? path.size() : slash;
        parts.push_back(path.substr(at, end - at));
        at = end + 1;
    }
    return parts;
}

std::string Header(const Request& request, const std::string& name) {
    const auto found = request.headers.find(name);
    return found == request.headers.end() ? "" : found->second;
}

// A file's name as the client gave it, for messages only: its last part, printable ASCII.
std::string FileNameFor(const Request& request, const std::string& fallback) {
    std::string name = Header(request, "x-file-name");
    const size_t slash = name.find_last_of("/\\");
    if (slash != std::string::npos) name = name.substr(slash + 1);
    if (name.empty() || name.size() > 64) return fallback;
    for (char c : name) {
        if (c < 0x21 || c > 0x7e) return fallback;
    }
    return name;
}

json CourseJson(const CourseInfo& course) {
    json body = {{"course", course.checksum},
                 {"name", course.texts.name},
                 {"info1", course.texts.info1},
                 {"info2", course.texts.info2},
                 {"en_name", course.texts.enName},
                 {"en_info1", course.texts.enInfo1},
                 {"en_info2", course.texts.enInfo2},
                 {"uploaded", course.uploaded},
                 {"runs", course.runs},
                 {"best_total", nullptr}};
    if (course.bestTotal) body["best_total"] = Seconds(*course.bestTotal);
    return body;
}

Response Unavailable(const std::string& why) {
    Response response = ErrorResponse(503, why);
    response.headers.emplace_back("Retry-After", "5");
    return response;
}

// A worker's failure as the client hears it.
Response JobFailure(JobOutcome outcome, const std::string& message) {
    switch (outcome) {
        case JobOutcome::Refused:
            return ErrorResponse(422, message);
        case JobOutcome::Busy:
        case JobOutcome::Overran:
            return Unavailable(message);
        default:
            return ErrorResponse(500, message);
    }
}

}  // namespace

Response ErrorResponse(int status, const std::string& message) {
    return JsonResponse(status, {{"error", message}});
}

std::string UtcNow() {
    const std::time_t now = std::time(nullptr);
    std::tm utc = {};
    gmtime_r(&now, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

Api::Api(Store& store, Verifier& verifier, ApiOptions options)
    : store_(store),
      verifier_(verifier),
      options_(std::move(options)),
      runLimit_(options_.runsPerMinute),
      now_(UtcNow) {}

Response Api::Handle(const Request& request) {
    Response response;
    try {
        response = Route(request);
    } catch (const DbUnavailable& unavailable) {
        response =
            Unavailable(std::string("the database cannot be used just now: ") + unavailable.what());
    } catch (const std::exception& fault) {
        response = ErrorResponse(500, std::string("the server failed: ") + fault.what());
    }
    response.headers.emplace_back("X-Content-Type-Options", "nosniff");
    return response;
}

Response Api::Route(const Request& request) {
    if (request.path.empty() || request.path[0] != '/')
        return ErrorResponse(400, "a path starts with /");
    const std::vector<std::string> parts = Parts(request.path);
    const std::string& method = request.method;
    const bool get = method == "GET" || method == "HEAD";
    if (parts.empty() || parts[0] != "api") {
        if (parts.size() >= 1 && parts[0] == "play" && options_.play != nullptr) {
            if (!get) return ErrorResponse(405, "the page is read only");
            std::string name = request.path.substr(std::strlen("/play"));
            if (name.empty()) {
                Response moved = ErrorResponse(301, "the game is at /play/");
                moved.headers.emplace_back("Location", "/play/");
                return moved;
            }
            return Page(*options_.play, name.substr(1), true);
        }
        if (!get) return ErrorResponse(405, "the table's pages are read only");
        return Page(TablePage(), request.path.substr(1), false);
    }
    const size_t n = parts.size();
    if (n == 2 && parts[1] == "courses") {
        if (method == "POST") return PostCourse(request);
        if (get) return ListCourses();
        return ErrorResponse(405, "courses are listed with GET and shared with POST");
    }
    if (n >= 3 && parts[1] == "courses") {
        const std::string& checksum = parts[2];
        if (!IsChecksum(checksum)) return ErrorResponse(404, "a course is named by 16 hex digits");
        if (n == 3 && method == "DELETE") return Hide(request, "course", checksum);
        if (!get) return ErrorResponse(405, "a course is read with GET");
        if (n == 3) return ShowCourse(checksum);
        if (n == 4 && parts[3] == "file") return CourseFile(checksum);
        if (n == 4 && parts[3] == "map.png") return CourseMap(checksum);
        if (n == 4 && parts[3] == "runs") return CourseRuns(checksum, request);
        return ErrorResponse(404, "no such page of a course");
    }
    if (n == 2 && parts[1] == "runs") {
        if (method == "POST") return PostRun(request);
        return ErrorResponse(405, "runs are sent with POST");
    }
    if (n >= 3 && parts[1] == "runs") {
        if (n == 3 && method == "DELETE") return Hide(request, "run", parts[2]);
        if (n == 4 && parts[3] == "replay") {
            if (!get) return ErrorResponse(405, "a replay is read with GET");
            return RunReplay(parts[2]);
        }
        return ErrorResponse(404, "no such page of a run");
    }
    return ErrorResponse(404, "no such request");
}

Response Api::Page(const Site& site, const std::string& name, bool game) {
    const SiteFile* file = site.Find(name);
    if (file == nullptr) return ErrorResponse(404, "no such page");
    Response response = Bytes(file->bytes, file->type);
    if (file->type.rfind("text/html", 0) == 0) {
        response.headers.emplace_back("Content-Security-Policy", game ? kGamePolicy : kTablePolicy);
    }
    return response;
}

Response Api::PostCourse(const Request& request) {
    if (request.body.size() > kLargestCourse) {
        return ErrorResponse(413, "a stage file is 1 MiB at most");
    }
    const CourseCheck check =
        verifier_.CheckCourse(request.body, FileNameFor(request, "upload.dat"));
    if (check.outcome != JobOutcome::Done) return JobFailure(check.outcome, check.message);
    NewCourse course;
    course.checksum = check.checksum;
    course.texts = {check.name,   check.info1,   check.info2,
                    check.enName, check.enInfo1, check.enInfo2};
    course.file = check.file;
    course.map = check.map;
    course.uploaded = now_();
    const bool added = store_.AddCourse(course);
    const std::optional<CourseInfo> kept = store_.Course(check.checksum);
    // A course the administrator hid is kept, and not shown again by its upload.
    if (!kept) return ErrorResponse(410, "this course was taken off the table");
    return JsonResponse(added ? 201 : 200,
                        {{"course", kept->checksum}, {"name", kept->texts.name}});
}

Response Api::ListCourses() {
    json list = json::array();
    for (const CourseInfo& course : store_.Courses()) list.push_back(CourseJson(course));
    return JsonResponse(200, list);
}

Response Api::ShowCourse(const std::string& checksum) {
    const std::optional<CourseInfo> course = store_.Course(checksum);
    if (!course) return ErrorResponse(404, "no course with checksum " + checksum + " is kept here");
    return JsonResponse(200, CourseJson(*course));
}

Response Api::CourseFile(const std::string& checksum) {
    const std::optional<std::string> file = store_.CourseFile(checksum);
    if (!file) return ErrorResponse(404, "no course with checksum " + checksum + " is kept here");
    return Bytes(*file, "application/octet-stream", checksum + ".dat");
}

Response Api::CourseMap(const std::string& checksum) {
    const std::optional<std::string> map = store_.CourseMap(checksum);
    if (!map) return ErrorResponse(404, "no course with checksum " + checksum + " is kept here");
    Response response = Bytes(*map, "image/png");
    // Courses never change: a checksum names one picture for ever.
    response.headers.emplace_back("Cache-Control", "public, max-age=31536000, immutable");
    return response;
}

Response Api::CourseRuns(const std::string& checksum, const Request& request) {
    if (!store_.Course(checksum)) {
        return ErrorResponse(404, "no course with checksum " + checksum + " is kept here");
    }
    int64_t limit = 100;
    const auto given = request.query.find("limit");
    if (given != request.query.end() &&
        (!IsId(given->second, limit) || limit < 1 || limit > 1000)) {
        return ErrorResponse(400, "limit is a whole number from 1 to 1000");
    }
    json list = json::array();
    for (const RunInfo& run : store_.Table(checksum, limit)) {
        list.push_back({{"rank", run.rank},
                        {"name", run.player},
                        {"total", Seconds(run.total)},
                        {"laps", LapsOf(run.laps)},
                        {"place", run.place},
                        {"date", run.submitted},
                        {"run", run.id}});
    }
    return JsonResponse(200, list);
}

Response Api::PostRun(const Request& request) {
    int retryAfter = 0;
    if (!runLimit_.Take(request.remote, std::chrono::steady_clock::now(), retryAfter)) {
        Response response = ErrorResponse(429, "too many runs from one address; wait a little");
        response.headers.emplace_back("Retry-After", std::to_string(retryAfter));
        return response;
    }
    if (request.body.size() > kLargestReplay)
        return ErrorResponse(413, "a replay is 256 KiB at most");
    const std::string name = Header(request, "x-player-name");
    const std::string problem = PlayerNameProblem(name);
    if (!problem.empty()) return ErrorResponse(400, "X-Player-Name: " + problem);
    const std::string token = Header(request, "x-player-token");
    if (!WellFormedToken(token)) {
        return ErrorResponse(400,
                             "X-Player-Token is 32 hex digits, 128 random bits of the player's");
    }
    const std::string tokenHash = Sha256Hex(token);

    auto replay = std::make_unique<ReplayFile>();
    ReplayFileError error;
    if (!ParseReplayFile(request.body.data(), request.body.size(), *replay, error)) {
        return ErrorResponse(422, FileNameFor(request, "run.twr") + ":" +
                                      std::to_string(error.line) + ": " + error.message);
    }
    char checksum[17];
    std::snprintf(checksum, sizeof checksum, "%016llx",
                  static_cast<unsigned long long>(replay->checksum));
    const std::optional<std::string> course = store_.CourseFile(checksum);
    if (!course) {
        return ErrorResponse(404, "no course with checksum " + std::string(checksum) +
                                      " is kept here; upload the course first");
    }
    // Checked before the replay is played, so that a stolen name costs no verification.
    if (store_.NameIsAnothers(name, tokenHash)) {
        return ErrorResponse(403, "the name " + name + " belongs to another player");
    }
    const Verification verdict = verifier_.Verify(*course, request.body);
    if (verdict.outcome != JobOutcome::Done) return JobFailure(verdict.outcome, verdict.message);
    if (!verdict.finished) return ErrorResponse(422, "the race did not finish");

    NewRun run;
    run.course = checksum;
    run.player = name;
    run.tokenHash = tokenHash;
    run.total = verdict.total;
    run.laps = verdict.laps;
    run.place = verdict.place;
    run.replay = request.body;
    run.submitted = now_();
    const std::optional<RunInfo> kept = store_.AddRun(run);
    if (!kept) return ErrorResponse(403, "the name " + name + " belongs to another player");
    return JsonResponse(201, {{"run", kept->id},
                              {"place", kept->place},
                              {"laps", LapsOf(kept->laps)},
                              {"total", Seconds(kept->total)},
                              {"rank", kept->rank}});
}

Response Api::RunReplay(const std::string& id) {
    int64_t number = 0;
    if (!IsId(id, number)) return ErrorResponse(404, "a run is named by its number");
    const std::optional<std::string> replay = store_.RunReplay(number);
    if (!replay) return ErrorResponse(404, "no run " + id + " is kept here");
    return Bytes(*replay, "application/octet-stream", "run-" + id + ".twr");
}

Response Api::Hide(const Request& request, const std::string& kind, const std::string& key) {
    const std::string authorization = Header(request, "authorization");
    const std::string bearer = "Bearer ";
    if (options_.adminToken.empty() || authorization.rfind(bearer, 0) != 0 ||
        !SameSecret(authorization.substr(bearer.size()), options_.adminToken)) {
        Response response = ErrorResponse(401, "only the administrator takes things off the table");
        response.headers.emplace_back("WWW-Authenticate", "Bearer");
        return response;
    }
    if (kind == "course") {
        if (!store_.HideCourse(key)) return ErrorResponse(404, "no course " + key + " is shown");
        return JsonResponse(200, {{"hidden", key}});
    }
    int64_t id = 0;
    if (!IsId(key, id) || !store_.HideRun(id))
        return ErrorResponse(404, "no run " + key + " is shown");
    return JsonResponse(200, {{"hidden", id}});
}

}  // namespace records
