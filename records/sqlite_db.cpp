// The embedded database: one SQLite file in WAL mode, each commit flushed to the disk before it
// counts, statements prepared once a connection and kept.
#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <thread>

#include "records/db.h"
#include "records/sqlite_db.h"

namespace records {
namespace {

// What SQLite's result says of the database: gone, full or read-only is the database's state
// (try again later); a constraint is the statement's fault.
[[noreturn]] void Throw(sqlite3* db, int code, const std::string& what) {
    const std::string message = what + ": " + (db ? sqlite3_errmsg(db) : sqlite3_errstr(code));
    switch (code & 0xff) {
        case SQLITE_ERROR:  // a statement of ours the schema does not fit
        case SQLITE_CONSTRAINT:
        case SQLITE_MISMATCH:
        case SQLITE_RANGE:
        case SQLITE_TOOBIG:
            throw DbRefused(message);
        default:
            throw DbUnavailable(message);
    }
}

class SqliteDb : public Db {
  public:
    explicit SqliteDb(const std::string& path) {
        const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
        const int opened = sqlite3_open_v2(path.c_str(), &db_, flags, nullptr);
        if (opened != SQLITE_OK) {
            const std::string why = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(opened);
            sqlite3_close(db_);
            db_ = nullptr;
            throw DbUnavailable("cannot open the database " + path + ": " + why);
        }
        sqlite3_extended_result_codes(db_, 1);
        // Writers wait for each other rather than fail; one writes at a time.
        sqlite3_busy_timeout(db_, kBusyWaitMs);
        // A file the server may only read is served as it is: reads go on, and every write is
        // refused as the database's state (503) until it can be written again.
        if (sqlite3_db_readonly(db_, "main") == 1 && !Readable()) ReopenAsUnchanging(path);
        try {
            if (sqlite3_db_readonly(db_, "main") != 1) UseWriteAheadLog();
            Query("PRAGMA synchronous = FULL", {});
            Query("PRAGMA foreign_keys = ON", {});
        } catch (...) {
            Close();
            throw;
        }
    }

    ~SqliteDb() override { Close(); }

    std::vector<Row> Query(const std::string& sql, const std::vector<Value>& params) override {
        sqlite3_stmt* statement = Prepared(sql);
        sqlite3_reset(statement);
        sqlite3_clear_bindings(statement);
        for (size_t i = 0; i < params.size(); ++i)
            Bind(statement, static_cast<int>(i + 1), params[i]);
        std::vector<Row> rows;
        for (;;) {
            const int stepped = sqlite3_step(statement);
            if (stepped == SQLITE_DONE) break;
            if (stepped != SQLITE_ROW) {
                sqlite3_reset(statement);
                Throw(db_, stepped, "the database refused a statement");
            }
            rows.push_back(ReadRow(statement));
        }
        sqlite3_reset(statement);
        return rows;
    }

    void Transaction(const std::function<void()>& work) override {
        // IMMEDIATE takes the write lock at once, so two writers never deadlock on an upgrade.
        Query("BEGIN IMMEDIATE", {});
        try {
            work();
            Query("COMMIT", {});
        } catch (...) {
            sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
            throw;
        }
    }

    // BEGIN IMMEDIATE holds the database's one write lock already.
    void LockForMigration() override {}

    std::string IdColumn() const override { return "INTEGER PRIMARY KEY AUTOINCREMENT"; }
    std::string BlobType() const override { return "BLOB"; }

    std::string IntegrityProblems() override {
        std::string problems;
        for (const Row& row : Query("PRAGMA integrity_check", {})) {
            const std::string line = AsText(row.at(0));
            if (line != "ok") problems += line + "\n";
        }
        return problems;
    }

  private:
    static constexpr int kBusyWaitMs = 10000;

    // A new file's switch to the log takes it whole, and SQLite gives up on that lock at once
    // rather than wait: servers opening the same new file together would fail to start. It is
    // tried again for as long as a writer waits.
    void UseWriteAheadLog() {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(kBusyWaitMs);
        for (;;) {
            const int done =
                sqlite3_exec(db_, "PRAGMA journal_mode = WAL", nullptr, nullptr, nullptr);
            if (done == SQLITE_OK) return;
            if ((done & 0xff) != SQLITE_BUSY || std::chrono::steady_clock::now() > deadline) {
                Throw(db_, done, "cannot keep the database's log");
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }

    // Whether the file can be read as it is opened.
    bool Readable() {
        sqlite3_stmt* probe = nullptr;
        const int prepared =
            sqlite3_prepare_v2(db_, "SELECT COUNT(*) FROM sqlite_master", -1, &probe, nullptr);
        const int stepped = prepared == SQLITE_OK ? sqlite3_step(probe) : prepared;
        sqlite3_finalize(probe);
        return stepped == SQLITE_ROW;
    }

    // A log-keeping database in a folder nothing may be written in cannot make the shared index
    // its readers need; opened as a file nobody changes, it reads without one.
    void ReopenAsUnchanging(const std::string& path) {
        Close();
        std::string uri = "file:";
        for (const char c : path) {
            if (c == '%' || c == '?' || c == '#') {
                char escaped[4];
                std::snprintf(escaped, sizeof escaped, "%%%02X", static_cast<unsigned char>(c));
                uri += escaped;
            } else {
                uri += c;
            }
        }
        uri += "?immutable=1";
        const int flags = SQLITE_OPEN_READONLY | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX;
        const int opened = sqlite3_open_v2(uri.c_str(), &db_, flags, nullptr);
        if (opened != SQLITE_OK) {
            const std::string why = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(opened);
            Close();
            throw DbUnavailable("cannot read the database " + path + ": " + why);
        }
        sqlite3_extended_result_codes(db_, 1);
    }

    void Close() {
        for (auto& [sql, statement] : statements_) sqlite3_finalize(statement);
        statements_.clear();
        sqlite3_close(db_);
        db_ = nullptr;
    }

    sqlite3_stmt* Prepared(const std::string& sql) {
        const auto kept = statements_.find(sql);
        if (kept != statements_.end()) return kept->second;
        sqlite3_stmt* statement = nullptr;
        const int prepared =
            sqlite3_prepare_v2(db_, sql.c_str(), static_cast<int>(sql.size()), &statement, nullptr);
        if (prepared != SQLITE_OK) Throw(db_, prepared, "cannot prepare a statement");
        statements_.emplace(sql, statement);
        return statement;
    }

    void Bind(sqlite3_stmt* statement, int at, const Value& value) {
        int bound = SQLITE_OK;
        if (std::holds_alternative<std::nullptr_t>(value)) {
            bound = sqlite3_bind_null(statement, at);
        } else if (const int64_t* number = std::get_if<int64_t>(&value)) {
            bound = sqlite3_bind_int64(statement, at, *number);
        } else if (const std::string* text = std::get_if<std::string>(&value)) {
            // As on PostgreSQL, which cannot keep one: compared and shown, such a text would
            // pass for what comes before its NUL.
            if (text->find('\0') != std::string::npos) throw DbRefused("a text holds a NUL byte");
            bound = sqlite3_bind_text64(statement, at, text->data(), text->size(), SQLITE_TRANSIENT,
                                        SQLITE_UTF8);
        } else {
            const std::string& bytes = std::get<Blob>(value).bytes;
            bound =
                sqlite3_bind_blob64(statement, at, bytes.data(), bytes.size(), SQLITE_TRANSIENT);
        }
        if (bound != SQLITE_OK) Throw(db_, bound, "cannot bind a parameter");
    }

    static Row ReadRow(sqlite3_stmt* statement) {
        Row row;
        const int columns = sqlite3_column_count(statement);
        for (int c = 0; c < columns; ++c) {
            switch (sqlite3_column_type(statement, c)) {
                case SQLITE_NULL:
                    row.emplace_back(nullptr);
                    break;
                case SQLITE_INTEGER:
                    row.emplace_back(static_cast<int64_t>(sqlite3_column_int64(statement, c)));
                    break;
                case SQLITE_BLOB: {
                    const auto* bytes = static_cast<const char*>(sqlite3_column_blob(statement, c));
                    const int size = sqlite3_column_bytes(statement, c);
                    row.emplace_back(
                        Blob{std::string(bytes ? bytes : "", static_cast<size_t>(size))});
                    break;
                }
                default: {
                    const auto* text =
                        reinterpret_cast<const char*>(sqlite3_column_text(statement, c));
                    const int size = sqlite3_column_bytes(statement, c);
                    row.emplace_back(std::string(text ? text : "", static_cast<size_t>(size)));
                    break;
                }
            }
        }
        return row;
    }

    sqlite3* db_ = nullptr;
    std::map<std::string, sqlite3_stmt*> statements_;
};

}  // namespace

std::unique_ptr<Db> OpenSqlite(const std::string& path) {
    return std::make_unique<SqliteDb>(path);
}

}  // namespace records
