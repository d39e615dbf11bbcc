#include "tests/records/test_database.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>

#include "records/postgres_db.h"

namespace records_test {
namespace {

// Random, so that tests running side by side, or a schema a crashed run left, never meet.
std::string UniqueName() {
    std::random_device random;
    const uint64_t number = (static_cast<uint64_t>(random()) << 32) | random();
    char text[32];
    std::snprintf(text, sizeof text, "test_%016llx", static_cast<unsigned long long>(number));
    return text;
}

}  // namespace

std::string PostgresUri() {
    if (const char* uri = std::getenv("TIDEWAKE_TEST_PG_URI"); uri && *uri) return uri;
    const char* file = std::getenv("TIDEWAKE_TEST_PG_URI_FILE");
    if (!file || !*file) return "";
    std::ifstream in(file);
    std::string uri;
    std::getline(in, uri);
    return uri;
}

TestDatabase::TestDatabase(Backend backend) : backend_(backend), name_(UniqueName()) {
    if (backend_ == Backend::kSqlite) {
        folder_ = std::filesystem::temp_directory_path() / ("tidewake-records-" + name_);
        std::filesystem::create_directories(folder_);
        where_ = (folder_ / "records.db").string();
        return;
    }
    const std::string base = PostgresUri();
    records::OpenPostgres(base)->Query("CREATE SCHEMA " + name_, {});
    // The schema comes first in the search path, so the store's tables are made in it.
    where_ = base + (base.find('?') == std::string::npos ? "?" : "&") + "options=-csearch_path%3D" +
             name_ + "&application_name=" + name_;
}

TestDatabase::~TestDatabase() {
    if (backend_ == Backend::kSqlite) {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
        return;
    }
    try {
        records::OpenPostgres(PostgresUri())->Query("DROP SCHEMA " + name_ + " CASCADE", {});
    } catch (const std::exception&) {
        // The cluster goes with the run; a schema left over harms no other test.
    }
}

}  // namespace records_test
