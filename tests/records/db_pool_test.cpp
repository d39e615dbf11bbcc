// The pool's connections: kept while they work, dropped when the database was out of reach, so
// that service comes back with the database; on PostgreSQL, a connection the server cut.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "records/db.h"
#include "records/postgres_db.h"
#include "records/store.h"
#include "tests/records/test_database.h"

namespace {

using records::Db;
using records::DbPool;
using records::DbRefused;
using records::DbUnavailable;

// A connection that answers nothing; the pool is all that is tested.
class Connection : public Db {
  public:
    explicit Connection(int number) : number_(number) {}
    std::vector<records::Row> Query(const std::string&,
                                    const std::vector<records::Value>&) override {
        return {};
    }
    void Transaction(const std::function<void()>& work) override { work(); }
    void LockForMigration() override {}
    std::string IdColumn() const override { return ""; }
    std::string BlobType() const override { return ""; }
    std::string IntegrityProblems() override { return ""; }
    int number() const { return number_; }

  private:
    int number_;
};

int NumberOf(Db& db) {
    return dynamic_cast<Connection&>(db).number();
}

TEST(DbPool, KeepsAConnectionUnlessTheDatabaseWasOutOfReach) {
    int opened = 0;
    DbPool pool([&opened] { return std::make_unique<Connection>(++opened); });

    EXPECT_EQ(pool.With(NumberOf), 1);
    EXPECT_EQ(pool.With(NumberOf), 1);
    // A refused statement or any other fault leaves the connection sound.
    EXPECT_THROW(pool.With([](Db&) -> int { throw DbRefused("constraint"); }), DbRefused);
    EXPECT_THROW(pool.With([](Db&) -> int { throw std::runtime_error("ours"); }),
                 std::runtime_error);
    EXPECT_EQ(pool.With(NumberOf), 1);

    EXPECT_THROW(pool.With([](Db&) -> int { throw DbUnavailable("gone"); }), DbUnavailable);
    EXPECT_EQ(pool.With(NumberOf), 2);
    EXPECT_EQ(opened, 2);
}

TEST(DbPool, ADatabaseThatCannotBeOpenedIsUnavailable) {
    DbPool pool(records::DbFactoryFor("postgresql://nobody@/none?host=/nonexistent"));
    EXPECT_THROW(pool.With([](Db& db) { return db.Query("SELECT 1", {}).size(); }), DbUnavailable);
    DbPool file(records::DbFactoryFor("/nonexistent/folder/records.db"));
    EXPECT_THROW(file.With([](Db& db) { return db.Query("SELECT 1", {}).size(); }), DbUnavailable);
}

TEST(PostgresConnection, CutByTheServerFailsOnceThenServiceComesBack) {
    if (records_test::PostgresUri().empty()) {
        GTEST_SKIP() << "no PostgreSQL for the tests (TIDEWAKE_TEST_PG_URI unset)";
    }
    records_test::TestDatabase database(records_test::Backend::kPostgres);
    DbPool pool(records::DbFactoryFor(database.Where()));
    records::Store store(pool);
    store.Migrate();
    records::NewCourse course;
    course.checksum = "0000000000000801";
    course.uploaded = "2026-12-08T04:05:06Z";
    ASSERT_TRUE(store.AddCourse(course));

    // As an administrator restarting the database would, from a connection of its own.
    const auto cut = records::OpenPostgres(records_test::PostgresUri())
                         ->Query(
                             "SELECT pg_terminate_backend(pid, 5000) FROM pg_stat_activity "
                             "WHERE application_name = ? AND pid <> pg_backend_pid()",
                             {database.Name()});
    ASSERT_EQ(cut.size(), 1u);

    EXPECT_THROW(store.Courses(), DbUnavailable);
    const auto courses = store.Courses();
    ASSERT_EQ(courses.size(), 1u);
    EXPECT_EQ(courses[0].checksum, "0000000000000801");
}

}  // namespace
