// The record server's one door to its database: statements with '?' parameters, always prepared,
// on SQLite or PostgreSQL. A connection serves one thread at a time; the pool hands them out.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

namespace records {

// Bytes kept as they are (a stage file, a replay), apart from text.
struct Blob {
    std::string bytes;
};

using Value = std::variant<std::nullptr_t, int64_t, std::string, Blob>;
using Row = std::vector<Value>;

// The database cannot be reached, or refuses to write (full, read-only): the request is answered
// 503 and the server goes on; the next statement tries again.
class DbUnavailable : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A statement the database refused for what it says (a constraint): a fault of ours.
class DbRefused : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class Db {
  public:
    virtual ~Db() = default;

    // Runs one statement with its parameters bound in order; the rows it returns. Texts come
    // back as std::string, integers as int64_t, bytes as Blob, NULL as nullptr.
    virtual std::vector<Row> Query(const std::string& sql, const std::vector<Value>& params) = 0;

    // Runs `work` in one transaction: committed, durably, when it returns; rolled back when it
    // throws, and the exception goes on.
    virtual void Transaction(const std::function<void()>& work) = 0;

    // Inside a transaction: keeps other servers from changing the schema until it ends.
    virtual void LockForMigration() = 0;

    // The dialect's spelling of what the two databases write differently, for the schema.
    virtual std::string IdColumn() const = 0;  // an integer primary key that counts up
    virtual std::string BlobType() const = 0;  // a column of bytes

    // The database's own check of its file or tables; empty when all is well.
    virtual std::string IntegrityProblems() = 0;
};

// Opens one connection: a file path for SQLite, a "postgresql://" URI for PostgreSQL.
using DbFactory = std::function<std::unique_ptr<Db>()>;
DbFactory DbFactoryFor(const std::string& where);

// Connections for the server's threads, each opened when first wanted and kept after; one that
// failed is dropped, so the next request opens a fresh one.
class DbPool {
  public:
    explicit DbPool(DbFactory factory) : factory_(std::move(factory)) {}

    // Runs `work` with a connection of the pool's own.
    template <typename Work>
    auto With(Work&& work) {
        std::unique_ptr<Db> db = Take();
        try {
            auto result = work(*db);
            Give(std::move(db));
            return result;
        } catch (const DbUnavailable&) {
            throw;  // the connection goes with it
        } catch (...) {
            Give(std::move(db));
            throw;
        }
    }

  private:
    std::unique_ptr<Db> Take();
    void Give(std::unique_ptr<Db> db);

    DbFactory factory_;
    std::mutex mutex_;
    std::vector<std::unique_ptr<Db>> idle_;
};

// Reads a column as what it should be; a mismatch is a fault of the schema, thrown.
int64_t AsInt(const Value& value);
std::string AsText(const Value& value);
std::string AsBytes(const Value& value);
bool IsNull(const Value& value);

}  // namespace records
