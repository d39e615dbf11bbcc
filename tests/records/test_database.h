// A database of its own for each records test: a new SQLite file, or a new schema in the tests'
// PostgreSQL, dropped when the test ends.
#pragma once

#include <filesystem>
#include <ostream>
#include <string>

namespace records_test {

enum class Backend { kSqlite, kPostgres };

// How the tests' names and failures show a backend.
inline void PrintTo(Backend backend, std::ostream* out) {
    *out << (backend == Backend::kSqlite ? "Sqlite" : "Postgres");
}

// The tests' PostgreSQL: TIDEWAKE_TEST_PG_URI, else the URI in the file that
// TIDEWAKE_TEST_PG_URI_FILE names (ctest's cluster leaves it there); empty when there is none.
std::string PostgresUri();

class TestDatabase {
  public:
    // For kPostgres, PostgresUri() must not be empty.
    explicit TestDatabase(Backend backend);
    ~TestDatabase();
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    // What records::DbFactoryFor takes.
    const std::string& Where() const { return where_; }
    // Unique to this database; on PostgreSQL its connections carry it as their application_name.
    const std::string& Name() const { return name_; }

  private:
    Backend backend_;
    std::string name_;
    std::string where_;
    std::filesystem::path folder_;
};

}  // namespace records_test
