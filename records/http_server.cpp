#include "records/http_server.h"

#include <httplib.h>
#include <signal.h>

#include <cctype>
#include <cstdio>
#include <fstream>
#include <thread>

#include "records/api.h"
#include "records/db.h"
#include "records/store.h"
#include "records/verify_pool.h"

namespace records {
namespace {

constexpr int kUsageError = 2;

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool ReadToken(const std::string& path, std::string& token, std::string& error) {
    std::ifstream file(path);
    if (!file || !std::getline(file, token)) {
        error = "cannot read the administrator's token from " + path;
        return false;
    }
    while (!token.empty() && (token.back() == '\r' || token.back() == ' ')) token.pop_back();
    if (token.size() < 16) {
        error = path + ": the administrator's token is 16 characters at least";
        return false;
    }
    return true;
}

bool SplitListen(const std::string& listen, std::string& host, int& port) {
    const size_t colon = listen.rfind(':');
    if (colon == std::string::npos || colon == 0) return false;
    host = listen.substr(0, colon);
    if (host.size() > 2 && host.front() == '[' && host.back() == ']')
        host = host.substr(1, host.size() - 2);
    try {
        size_t used = 0;
        port = std::stoi(listen.substr(colon + 1), &used);
        return used == listen.size() - colon - 1 && port > 0 && port < 65536;
    } catch (const std::exception&) {
        return false;
    }
}

Request RequestOf(const httplib::Request& req) {
    Request request;
    request.method = req.method;
    request.path = req.path;
    for (const auto& [name, value] : req.params) request.query.emplace(name, value);
    for (const auto& [name, value] : req.headers) request.headers.emplace(Lower(name), value);
    request.body = req.body;
    request.remote = req.remote_addr;
    return request;
}

// SIGTERM and SIGINT stop the server from a thread of their own, so no handler runs inside one
// of the server's threads.
void StopOnSignal(httplib::Server& server) {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGINT);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    std::thread([&server, signals] {
        int signal = 0;
        sigwait(&signals, &signal);
        server.stop();
    }).detach();
}

}  // namespace

int Serve(const ServeOptions& options, const std::string& program) {
    // A file size limit makes a write fail (a full database, answered 503), not end the server.
    signal(SIGXFSZ, SIG_IGN);
    std::string host;
    int port = 0;
    if (!SplitListen(options.listen, host, port)) {
        std::fprintf(stderr, "tidewake-records: --listen takes HOST:PORT, not '%s'\n",
                     options.listen.c_str());
        return kUsageError;
    }
    ApiOptions apiOptions;
    apiOptions.runsPerMinute = options.runsPerMinute;
    std::string error;
    if (!options.adminTokenFile.empty() &&
        !ReadToken(options.adminTokenFile, apiOptions.adminToken, error)) {
        std::fprintf(stderr, "tidewake-records: %s\n", error.c_str());
        return kUsageError;
    }
    Site play;
    if (!options.site.empty()) {
        if (!play.Load(options.site, error)) {
            std::fprintf(stderr, "tidewake-records: %s\n", error.c_str());
            return kUsageError;
        }
        apiOptions.play = &play;
    }

    DbPool pool(DbFactoryFor(options.db));
    Store store(pool);
    try {
        store.Migrate();
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "tidewake-records: cannot open the database: %s\n", failure.what());
        return 1;
    }

    const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    PoolOptions poolOptions;
    poolOptions.workers = options.workers > 0 ? options.workers : cores;
    poolOptions.queue = options.queue > 0 ? options.queue : 8 * poolOptions.workers;
    WorkerPool workers(program, poolOptions);
    if (workers.Started() == 0) {
        std::fprintf(stderr, "tidewake-records: cannot start a verification worker (%s worker)\n",
                     program.c_str());
        return 1;
    }
    Api api(store, workers, apiOptions);

    httplib::Server server;
    const int threads = options.threads > 0 ? options.threads : 32;
    server.new_task_queue = [threads] {
        return new httplib::ThreadPool(static_cast<size_t>(threads));
    };
    // An answer goes out at once, not held back until the client acknowledges its headers.
    server.set_tcp_nodelay(true);
    // A client that stalls is let go rather than holding a thread.
    server.set_read_timeout(5, 0);
    server.set_write_timeout(5, 0);
    server.set_keep_alive_timeout(5);
    server.set_payload_max_length(2 * kLargestCourse);
    // Also on what the HTTP library answers itself (a request it cannot read).
    server.set_default_headers({{"X-Content-Type-Options", "nosniff"}});
    const auto handle = [&api](const httplib::Request& req, httplib::Response& res) {
        const Response response = api.Handle(RequestOf(req));
        res.status = response.status;
        for (const auto& [name, value] : response.headers) res.set_header(name, value);
        res.set_content(response.body, response.type);
    };
    // What the HTTP library refuses itself (a header too long, a body too large) is answered in
    // the API's own words too; the API's answers keep theirs.
    const httplib::Server::HandlerWithResponse refused = [](const httplib::Request&,
                                                            httplib::Response& res) {
        if (!res.body.empty()) return httplib::Server::HandlerResponse::Unhandled;
        const std::string words =
            "the request cannot be taken (" + std::to_string(res.status) + ")";
        res.set_content(ErrorResponse(res.status, words).body, "application/json");
        return httplib::Server::HandlerResponse::Handled;
    };
    server.set_error_handler(refused);
    server.Get(".*", handle);
    server.Post(".*", handle);
    server.Delete(".*", handle);
    server.Put(".*", handle);
    server.Patch(".*", handle);
    server.Options(".*", handle);

    if (!server.bind_to_port(host, port)) {
        std::fprintf(stderr, "tidewake-records: cannot listen on %s\n", options.listen.c_str());
        return 1;
    }
    StopOnSignal(server);
    std::fprintf(stderr, "tidewake-records: serving http://%s/ with %d workers, database %s\n",
                 options.listen.c_str(), poolOptions.workers,
                 options.db.rfind("postgres", 0) == 0 ? "PostgreSQL" : options.db.c_str());
    server.listen_after_bind();
    std::fprintf(stderr, "tidewake-records: stopped\n");
    return 0;
}

int CheckDatabase(const std::string& db) {
    try {
        DbPool pool(DbFactoryFor(db));
        Store store(pool);
        const std::string problems = store.IntegrityProblems();
        if (!problems.empty()) {
            std::fprintf(stderr, "tidewake-records: %s", problems.c_str());
            return 1;
        }
        std::printf("ok\n");
        return 0;
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "tidewake-records: cannot check the database: %s\n", failure.what());
        return 1;
    }
}

}  // namespace records
