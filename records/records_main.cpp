// tidewake-records: the record table's server, which ranks a time only after playing its replay
// through itself, and the desktop's clients of one.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "records/client.h"
#include "records/http_server.h"
#include "records/verify_worker.h"

namespace {

constexpr int kUsageError = 2;

constexpr char kUsage[] =
    "usage: tidewake-records serve [--db PATH | --db postgresql://...] [--listen HOST:PORT]\n"
    "                              [--site DIR] [--admin-token-file FILE] [--workers N]\n"
    "                              [--queue N] [--threads N] [--runs-per-minute N]\n"
    "       tidewake-records submit URL FILE.twr --name NAME\n"
    "       tidewake-records upload URL FILE.dat\n"
    "       tidewake-records fetch URL CHECKSUM [--rank N] -o FILE.twr\n"
    "       tidewake-records check --db PATH|URI\n"
    "       tidewake-records --help | --version\n"
    "serve: the record table on HTTP (default 127.0.0.1:8400, database ./tidewake-records.sqlite)\n"
    "  --db PATH|URI            a SQLite file, or a PostgreSQL database by its URI\n"
    "  --listen HOST:PORT       where to take requests\n"
    "  --site DIR               serve the game's page (build-web/web) under /play/\n"
    "  --admin-token-file FILE  the administrator's token, on the file's first line\n"
    "  --workers N              verification workers (default: one a core)\n"
    "  --queue N                runs that may wait for a worker (default: eight a worker)\n"
    "  --threads N              connections served at once (default 32)\n"
    "  --runs-per-minute N      runs one address may send a minute (default 30)\n"
    "submit: send a replay to be verified and ranked under NAME (the player's token is kept in\n"
    "  $XDG_CONFIG_HOME/tidewake/records-token)\n"
    "upload: share a course\n"
    "fetch: save the replay of rank N (default 1) of a course's table\n"
    "check: the database's own check of its tables; \"ok\", or what is wrong and status 1\n";

int Usage() {
    std::fputs(kUsage, stderr);
    return kUsageError;
}

bool Number(const char* text, int& value) {
    char* end = nullptr;
    const long number = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || number < 1 || number > 100000) return false;
    value = static_cast<int>(number);
    return true;
}

int ServeWith(const std::vector<std::string>& args, const char* program) {
    records::ServeOptions options;
    for (size_t i = 0; i < args.size(); ++i) {
        if (i + 1 >= args.size()) return Usage();
        const std::string& arg = args[i];
        const std::string& value = args[++i];
        int* number = arg == "--workers"           ? &options.workers
                      : arg == "--queue"           ? &options.queue
                      : arg == "--threads"         ? &options.threads
                      : arg == "--runs-per-minute" ? &options.runsPerMinute
                                                   : nullptr;
        if (number != nullptr) {
            if (!Number(value.c_str(), *number)) {
                std::fprintf(
                    stderr,
                    "tidewake-records: %s takes a whole number from 1 to 100000, not '%s'\n",
                    arg.c_str(), value.c_str());
                return kUsageError;
            }
        } else if (arg == "--db") {
            options.db = value;
        } else if (arg == "--listen") {
            options.listen = value;
        } else if (arg == "--site") {
            options.site = value;
        } else if (arg == "--admin-token-file") {
            options.adminTokenFile = value;
        } else {
            return Usage();
        }
    }
    return records::Serve(options, program);
}

// The running program itself, so that its workers are the very same build.
std::string SelfPath(const char* argv0) {
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return argv0;
    path[length] = '\0';
    return path;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    const std::string command = argv[1];
    std::vector<std::string> args(argv + 2, argv + argc);
    if (command == "--help") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (command == "--version") {
        std::printf("tidewake-records %s\n", TIDEWAKE_VERSION);
        return 0;
    }
    if (command == "serve") return ServeWith(args, SelfPath(argv[0]).c_str());
    if (command == "worker") {
        int seconds = 5;
        if (args.size() != 1 || !Number(args[0].c_str(), seconds)) return Usage();
        return records::RunVerifyWorker(argv[0], seconds);
    }
    if (command == "submit" && args.size() == 4 && args[2] == "--name") {
        return records::SubmitRun(args[0], args[1], args[3]);
    }
    if (command == "check" && args.size() == 2 && args[0] == "--db") {
        return records::CheckDatabase(args[1]);
    }
    if (command == "upload" && args.size() == 2) return records::UploadCourse(args[0], args[1]);
    if (command == "fetch" && args.size() >= 4) {
        int rank = 1;
        std::string out;
        for (size_t i = 2; i + 1 < args.size(); i += 2) {
            if (args[i] == "--rank" && Number(args[i + 1].c_str(), rank)) continue;
            if (args[i] == "-o") {
                out = args[i + 1];
                continue;
            }
            return Usage();
        }
        if (out.empty() || (args.size() - 2) % 2 != 0) return Usage();
        return records::FetchReplay(args[0], args[1], rank, out);
    }
    return Usage();
}
