// tidewake-records serve: the API and the pages over HTTP, the verification workers behind them.
#pragma once

#include <string>

namespace records {

struct ServeOptions {
    std::string db = "tidewake-records.sqlite";  // a SQLite file, or a postgresql:// URI
    std::string listen = "127.0.0.1:8400";
    std::string site;            // the game's page folder, served under /play/
    std::string adminTokenFile;  // the administrator's token, on its first line
    int workers = 0;             // verification workers; 0: one a core
    int queue = 0;               // requests that may wait for one; 0: eight a worker
    int threads = 0;             // connections served at once; 0: 32
    int runsPerMinute = 30;      // runs one address may send a minute
};

// Serves until SIGTERM or SIGINT. Returns the exit status.
int Serve(const ServeOptions& options, const std::string& program);

// tidewake-records check: the database's own check; prints "ok" or what is wrong (status 1).
int CheckDatabase(const std::string& db);

}  // namespace records
