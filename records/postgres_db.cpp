// PostgreSQL through libpq: every statement prepared once a connection, parameters sent apart
// from the text, bytes sent and read as bytes. A connection the server lost is given up; the
// pool opens another for the next request, so service comes back with the database.
#include "records/postgres_db.h"

#include <libpq-fe.h>

#include <map>
#include <memory>

namespace records {
namespace {

// The types of PostgreSQL's catalogue this store reads: bigint, integer, smallint, bytea.
constexpr Oid kInt8 = 20;
constexpr Oid kInt4 = 23;
constexpr Oid kInt2 = 21;
constexpr Oid kBytea = 17;

// The advisory lock the servers migrate under, any number the database's other users do not take.
constexpr int64_t kMigrationLock = 0x54696465;

using Result = std::unique_ptr<PGresult, decltype(&PQclear)>;

// "?" as PostgreSQL numbers its parameters: $1, $2, ...
std::string Numbered(const std::string& sql) {
    std::string out;
    int number = 0;
    bool quoted = false;
    for (char c : sql) {
        if (c == '\'') quoted = !quoted;
        if (c == '?' && !quoted) {
            out += "$" + std::to_string(++number);
        } else {
            out += c;
        }
    }
    return out;
}

class PostgresDb : public Db {
  public:
    explicit PostgresDb(const std::string& uri) : connection_(Connect(uri)) {
        if (connection_ == nullptr || PQstatus(connection_) != CONNECTION_OK) {
            const std::string why = connection_ ? PQerrorMessage(connection_) : "out of memory";
            PQfinish(connection_);
            connection_ = nullptr;
            throw DbUnavailable("cannot reach the PostgreSQL database: " + Trimmed(why));
        }
        // The server's notices (a table that is there already) are no news to anyone.
        PQsetNoticeProcessor(
            connection_, [](void*, const char*) {}, nullptr);
    }

    ~PostgresDb() override { PQfinish(connection_); }

    std::vector<Row> Query(const std::string& sql, const std::vector<Value>& params) override {
        const std::string& name = Prepared(sql, static_cast<int>(params.size()));
        std::vector<std::string> texts(params.size());
        std::vector<const char*> values(params.size());
        std::vector<int> lengths(params.size());
        std::vector<int> formats(params.size());
        for (size_t i = 0; i < params.size(); ++i) {
            const Value& value = params[i];
            if (std::holds_alternative<std::nullptr_t>(value)) {
                values[i] = nullptr;
                continue;
            }
            if (const int64_t* number = std::get_if<int64_t>(&value)) {
                texts[i] = std::to_string(*number);
            } else if (const std::string* text = std::get_if<std::string>(&value)) {
                // libpq would send the text up to its NUL only: another name than was given.
                if (text->find('\0') != std::string::npos) {
                    throw DbRefused("a text holds a NUL byte");
                }
                texts[i] = *text;
            } else {
                texts[i] = std::get<Blob>(value).bytes;
                formats[i] = 1;  // bytes as they are
            }
            values[i] = texts[i].data();
            lengths[i] = static_cast<int>(texts[i].size());
        }
        Result result(PQexecPrepared(connection_, name.c_str(), static_cast<int>(params.size()),
                                     values.data(), lengths.data(), formats.data(), 0),
                      &PQclear);
        Check(result.get(), "the database refused a statement");
        return Rows(result.get());
    }

    void Transaction(const std::function<void()>& work) override {
        Query("BEGIN", {});
        try {
            work();
            Query("COMMIT", {});
        } catch (...) {
            if (PQstatus(connection_) == CONNECTION_OK) {
                Result rolled(PQexec(connection_, "ROLLBACK"), &PQclear);
            }
            throw;
        }
    }

    // A lock of the database's own, held to the transaction's end, that needs no table made.
    void LockForMigration() override { Query("SELECT pg_advisory_xact_lock(?)", {kMigrationLock}); }

    std::string IdColumn() const override { return "BIGSERIAL PRIMARY KEY"; }
    std::string BlobType() const override { return "BYTEA"; }

    // PostgreSQL keeps its own pages whole; what can be checked here is that every run still
    // stands on a course and a player the tables hold.
    std::string IntegrityProblems() override {
        const std::vector<Row> rows = Query(
            "SELECT COUNT(*) FROM runs r WHERE NOT EXISTS (SELECT 1 FROM courses c WHERE "
            "c.checksum = r.course) OR NOT EXISTS (SELECT 1 FROM players p WHERE p.name = "
            "r.player)",
            {});
        const int64_t orphans = AsInt(rows.at(0).at(0));
        return orphans == 0 ? ""
                            : std::to_string(orphans) + " runs without their course or player\n";
    }

  private:
    // A database host that does not answer costs a request five seconds, not a thread for ever;
    // a timeout the URI gives wins.
    static PGconn* Connect(const std::string& uri) {
        const char* keywords[] = {"connect_timeout", "dbname", nullptr};
        const char* values[] = {"5", uri.c_str(), nullptr};
        return PQconnectdbParams(keywords, values, 1);
    }

    static std::string Trimmed(std::string text) {
        while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
        return text;
    }

    const std::string& Prepared(const std::string& sql, int parameters) {
        const auto kept = names_.find(sql);
        if (kept != names_.end()) return kept->second;
        const std::string name = "s" + std::to_string(names_.size() + 1);
        Result result(
            PQprepare(connection_, name.c_str(), Numbered(sql).c_str(), parameters, nullptr),
            &PQclear);
        Check(result.get(), "cannot prepare a statement");
        return names_.emplace(sql, name).first->second;
    }

    // A lost connection, or the database out of room or shutting down, is its state; what the
    // statement itself did wrong (a constraint, a syntax, a value) is ours.
    void Check(PGresult* result, const std::string& what) {
        const ExecStatusType status = PQresultStatus(result);
        if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK) return;
        const char* state = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
        const std::string message = what + ": " + Trimmed(PQerrorMessage(connection_));
        const std::string kind = state ? std::string(state, 2) : "";
        if (PQstatus(connection_) == CONNECTION_OK &&
            (kind == "22" || kind == "23" || kind == "42")) {
            throw DbRefused(message);
        }
        throw DbUnavailable(message);
    }

    static std::vector<Row> Rows(PGresult* result) {
        std::vector<Row> rows;
        const int count = PQntuples(result);
        const int columns = PQnfields(result);
        for (int r = 0; r < count; ++r) {
            Row row;
            for (int c = 0; c < columns; ++c) {
                if (PQgetisnull(result, r, c)) {
                    row.emplace_back(nullptr);
                    continue;
                }
                const char* text = PQgetvalue(result, r, c);
                const Oid type = PQftype(result, c);
                if (type == kInt8 || type == kInt4 || type == kInt2) {
                    row.emplace_back(static_cast<int64_t>(std::stoll(text)));
                } else if (type == kBytea) {
                    size_t size = 0;
                    unsigned char* bytes =
                        PQunescapeBytea(reinterpret_cast<const unsigned char*>(text), &size);
                    if (bytes == nullptr) throw DbUnavailable("out of memory reading bytes");
                    row.emplace_back(Blob{std::string(reinterpret_cast<char*>(bytes), size)});
                    PQfreemem(bytes);
                } else {
                    row.emplace_back(
                        std::string(text, static_cast<size_t>(PQgetlength(result, r, c))));
                }
            }
            rows.push_back(std::move(row));
        }
        return rows;
    }

    PGconn* connection_;
    std::map<std::string, std::string> names_;
};

}  // namespace

std::unique_ptr<Db> OpenPostgres(const std::string& uri) {
    return std::make_unique<PostgresDb>(uri);
}

}  // namespace records
