#include "records/db.h"

#include "records/postgres_db.h"
#include "records/sqlite_db.h"

namespace records {

DbFactory DbFactoryFor(const std::string& where) {
    if (where.rfind("postgresql://", 0) == 0 || where.rfind("postgres://", 0) == 0) {
        return [where] { return OpenPostgres(where); };
    }
    return [where] { return OpenSqlite(where); };
}

std::unique_ptr<Db> DbPool::Take() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!idle_.empty()) {
            std::unique_ptr<Db> db = std::move(idle_.back());
            idle_.pop_back();
            return db;
        }
    }
    return factory_();
}

void DbPool::Give(std::unique_ptr<Db> db) {
    std::lock_guard<std::mutex> lock(mutex_);
    idle_.push_back(std::move(db));
}

int64_t AsInt(const Value& value) {
    if (const int64_t* number = std::get_if<int64_t>(&value)) return *number;
    // PostgreSQL's counts and sums come back as text when read without a type.
    if (const std::string* text = std::get_if<std::string>(&value)) return std::stoll(*text);
    throw DbRefused("a column read as a number holds something else");
}

std::string AsText(const Value& value) {
    if (const std::string* text = std::get_if<std::string>(&value)) return *text;
    if (const int64_t* number = std::get_if<int64_t>(&value)) return std::to_string(*number);
    if (std::holds_alternative<std::nullptr_t>(value)) return "";
    throw DbRefused("a column read as text holds bytes");
}

std::string AsBytes(const Value& value) {
    if (const Blob* blob = std::get_if<Blob>(&value)) return blob->bytes;
    if (const std::string* text = std::get_if<std::string>(&value)) return *text;
    throw DbRefused("a column read as bytes holds something else");
}

bool IsNull(const Value& value) {
    return std::holds_alternative<std::nullptr_t>(value);
}

}  // namespace records
