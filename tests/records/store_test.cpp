// The record server's store, the same on SQLite and on PostgreSQL: the schema migrated once
// however often and by however many servers, the first upload and the first token kept, each
// player's best in its table and a new run's rank there, hidden rows kept but shown nowhere,
// bytes and UTF-8 as they were given.
#include "records/store.h"

#include <gtest/gtest.h>

#include <latch>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "tests/records/test_database.h"

namespace {

using records::DbFactoryFor;
using records::DbPool;
using records::DbRefused;
using records::NewCourse;
using records::NewRun;
using records::RunInfo;
using records::Store;
using records_test::Backend;
using records_test::PostgresUri;
using records_test::TestDatabase;

NewCourse CourseOf(const std::string& checksum, const std::string& name = "Harbour",
                   const std::string& uploaded = "2026-12-08T04:05:06Z") {
    NewCourse course;
    course.checksum = checksum;
    course.texts = {name, "info one", "info two", "", "", ""};
    course.file = "stage file of " + checksum;
    course.uploaded = uploaded;
    return course;
}

NewRun RunOf(const std::string& course, const std::string& player, int64_t total) {
    NewRun run;
    run.course = course;
    run.player = player;
    run.tokenHash = "hash of " + player + "'s token";
    run.total = total;
    run.laps = {total / 4, total / 4, total / 4, total - 3 * (total / 4)};
    run.place = 1;
    run.replay = "replay of " + player + " in " + std::to_string(total);
    run.submitted = "2026-12-08T05:00:00Z";
    return run;
}

// Every byte value, NUL first and last, and the high ones a text would mangle.
std::string AllBytes() {
    std::string bytes(1, '\0');
    for (int repeat = 0; repeat < 3; ++repeat) {
        for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
    }
    return bytes + '\0';
}

class StoreTest : public ::testing::TestWithParam<Backend> {
  protected:
    void SetUp() override {
        if (GetParam() == Backend::kPostgres && PostgresUri().empty()) {
            GTEST_SKIP() << "no PostgreSQL for the tests (TIDEWAKE_TEST_PG_URI unset)";
        }
        database_.emplace(GetParam());
        pool_.emplace(DbFactoryFor(database_->Where()));
        store_.emplace(*pool_);
        store_->Migrate();
    }

    Store& store() { return *store_; }

    // Reads the tables behind the store's back: what it keeps, shown or not.
    int64_t Count(const std::string& sql) {
        return pool_->With(
            [&sql](records::Db& db) { return records::AsInt(db.Query(sql, {}).at(0).at(0)); });
    }

    int64_t AddedRun(const NewRun& run) {
        const std::optional<RunInfo> kept = store().AddRun(run);
        EXPECT_TRUE(kept.has_value()) << run.player << " " << run.total;
        return kept ? kept->id : 0;
    }

    std::optional<TestDatabase> database_;
    std::optional<DbPool> pool_;
    std::optional<Store> store_;
};

std::string BackendName(const ::testing::TestParamInfo<Backend>& info) {
    return info.param == Backend::kSqlite ? "Sqlite" : "Postgres";
}

INSTANTIATE_TEST_SUITE_P(Databases, StoreTest,
                         ::testing::Values(Backend::kSqlite, Backend::kPostgres), BackendName);

// ---- The schema.

TEST_P(StoreTest, MigratingAgainKeepsTheVersionAndTheData) {
    const int64_t version = store().SchemaVersion();
    EXPECT_GE(version, 1);
    ASSERT_TRUE(store().AddCourse(CourseOf("00000000000000a1")));
    AddedRun(RunOf("00000000000000a1", "alice", 5000));

    store().Migrate();
    // Another server's store, starting on the same database later.
    DbPool otherPool(DbFactoryFor(database_->Where()));
    Store other(otherPool);
    other.Migrate();

    EXPECT_EQ(store().SchemaVersion(), version);
    EXPECT_EQ(other.SchemaVersion(), version);
    // Each step recorded once.
    EXPECT_EQ(Count("SELECT COUNT(*) FROM schema_version"), version);
    EXPECT_EQ(Count("SELECT COUNT(DISTINCT version) FROM schema_version"), version);
    EXPECT_EQ(other.Courses().size(), 1u);
    EXPECT_EQ(other.Table("00000000000000a1", 10).size(), 1u);
}

TEST_P(StoreTest, ServersStartingTogetherMigrateOnce) {
    const int64_t version = store().SchemaVersion();
    // Several rounds, each on an empty database, to give a race its chances.
    for (int round = 0; round < 4; ++round) {
        TestDatabase fresh(GetParam());
        constexpr int kServers = 3;
        std::latch ready(kServers);
        std::vector<std::string> failures(kServers);
        std::vector<std::thread> servers;
        for (int s = 0; s < kServers; ++s) {
            servers.emplace_back([&, s] {
                DbPool pool(DbFactoryFor(fresh.Where()));
                Store server(pool);
                ready.arrive_and_wait();
                try {
                    server.Migrate();
                } catch (const std::exception& e) {
                    failures[static_cast<size_t>(s)] = e.what();
                }
            });
        }
        for (std::thread& server : servers) server.join();
        for (const std::string& failure : failures) EXPECT_EQ(failure, "") << "round " << round;

        DbPool pool(DbFactoryFor(fresh.Where()));
        Store after(pool);
        EXPECT_EQ(after.SchemaVersion(), version);
        EXPECT_EQ(pool.With([](records::Db& db) {
            return records::AsInt(db.Query("SELECT COUNT(*) FROM schema_version", {}).at(0).at(0));
        }),
                  version);
        EXPECT_TRUE(after.AddCourse(CourseOf("00000000000000b1")));
    }
}

// ---- Courses.

TEST_P(StoreTest, TheFirstUploadOfACourseStays) {
    NewCourse first = CourseOf("00000000000000c1", "First");
    first.file = AllBytes();
    NewCourse second = CourseOf("00000000000000c1", "Second", "2026-12-09T00:00:00Z");
    second.file = "another file";

    EXPECT_TRUE(store().AddCourse(first));
    EXPECT_FALSE(store().AddCourse(second));

    const auto course = store().Course("00000000000000c1");
    ASSERT_TRUE(course.has_value());
    EXPECT_EQ(course->texts.name, "First");
    EXPECT_EQ(course->uploaded, "2026-12-08T04:05:06Z");
    EXPECT_EQ(store().CourseFile("00000000000000c1"), first.file);
    EXPECT_EQ(store().Courses().size(), 1u);
}

TEST_P(StoreTest, CoursesListInUploadOrderWithTheirTables) {
    ASSERT_TRUE(store().AddCourse(CourseOf("00000000000000d2", "Later", "2026-12-08T10:00:00Z")));
    ASSERT_TRUE(store().AddCourse(CourseOf("00000000000000d1", "Earlier", "2026-12-08T09:00:00Z")));
    AddedRun(RunOf("00000000000000d2", "alice", 5000));
    AddedRun(RunOf("00000000000000d2", "alice", 4800));
    AddedRun(RunOf("00000000000000d2", "bob", 5100));

    const auto courses = store().Courses();
    ASSERT_EQ(courses.size(), 2u);
    EXPECT_EQ(courses[0].checksum, "00000000000000d1");
    EXPECT_EQ(courses[0].runs, 0);
    EXPECT_FALSE(courses[0].bestTotal.has_value());
    EXPECT_EQ(courses[1].checksum, "00000000000000d2");
    EXPECT_EQ(courses[1].texts.info1, "info one");
    // The table shows each player once: alice's better run and bob's.
    EXPECT_EQ(courses[1].runs, 2);
    EXPECT_EQ(courses[1].bestTotal, 4800);
    EXPECT_EQ(store().Course("00000000000000d2")->runs, 2);
}

TEST_P(StoreTest, AnUnknownCourseHasNothing) {
    EXPECT_FALSE(store().Course("ffffffffffffffff").has_value());
    EXPECT_FALSE(store().CourseFile("ffffffffffffffff").has_value());
    EXPECT_TRUE(store().Table("ffffffffffffffff", 10).empty());
    EXPECT_TRUE(store().Courses().empty());
    EXPECT_FALSE(store().RunReplay(1).has_value());
}

// ---- Players' names.

TEST_P(StoreTest, ANameBelongsToTheFirstTokenThatUsesIt) {
    ASSERT_TRUE(store().AddCourse(CourseOf("00000000000000e1")));
    AddedRun(RunOf("00000000000000e1", "alice", 5000));

    NewRun impostor = RunOf("00000000000000e1", "alice", 1000);
    impostor.tokenHash = "hash of another token";
    EXPECT_FALSE(store().AddRun(impostor).has_value());

    AddedRun(RunOf("00000000000000e1", "alice", 4000));
    const auto table = store().Table("00000000000000e1", 10);
    ASSERT_EQ(table.size(), 1u);
    EXPECT_EQ(table[0].total, 4000);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM runs"), 2);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM players"), 1);
}

TEST_P(StoreTest, TwoTokensRacingForANewNameLeaveItToOne) {
    ASSERT_TRUE(store().AddCourse(CourseOf("00000000000000e2")));
    for (int round = 0; round < 4; ++round) {
        const std::string name = "racer" + std::to_string(round);
        constexpr int kServers = 2;
        std::latch ready(kServers);
        std::vector<std::optional<RunInfo>> kept(kServers);
        std::vector<std::string> failures(kServers);
        std::vector<std::thread> servers;
        for (int s = 0; s < kServers; ++s) {
            servers.emplace_back([&, s] {
                DbPool pool(DbFactoryFor(database_->Where()));
                Store server(pool);
                NewRun run = RunOf("00000000000000e2", name, 4000 + s);
                run.tokenHash = "token " + std::to_string(s);
                ready.arrive_and_wait();
                try {
                    kept[static_cast<size_t>(s)] = server.AddRun(run);
                } catch (const std::exception& e) {
                    failures[static_cast<size_t>(s)] = e.what();
                }
            });
        }
        for (std::thread& server : servers) server.join();
        for (const std::string& failure : failures) EXPECT_EQ(failure, "");
        EXPECT_NE(kept[0].has_value(), kept[1].has_value()) << name;
    }
    EXPECT_EQ(store().Table("00000000000000e2", 10).size(), 4u);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM runs"), 4);
}

// ---- Tables and ranks.

TEST_P(StoreTest, TheTableShowsEachPlayersBestByTotalThenArrival) {
    ASSERT_TRUE(store().AddCourse(CourseOf("00000000000000f1")));
    AddedRun(RunOf("00000000000000f1", "alice", 5000));
    const int64_t bob = AddedRun(RunOf("00000000000000f1", "bob", 4000));
    const int64_t alice = AddedRun(RunOf("00000000000000f1", "alice", 3900));
    const int64_t carol = AddedRun(RunOf("00000000000000f1", "carol", 4000));
    NewRun dave = RunOf("00000000000000f1", "dave", 4500);
    dave.laps = {1, 2, 3, 4494};
    dave.place = 3;
    dave.submitted = "2026-12-08T06:07:08Z";
    const int64_t daveId = AddedRun(dave);
    // Bob equals his own best later: the earlier run stays his.
    AddedRun(RunOf("00000000000000f1", "bob", 4000));

    const auto table = store().Table("00000000000000f1", 10);
    ASSERT_EQ(table.size(), 4u);
    const std::vector<int64_t> ids = {table[0].id, table[1].id, table[2].id, table[3].id};
    EXPECT_EQ(ids, (std::vector<int64_t>{alice, bob, carol, daveId}));
    for (size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(table[i].rank, static_cast<int64_t>(i) + 1);
        EXPECT_EQ(table[i].course, "00000000000000f1");
    }
    EXPECT_EQ(table[0].player, "alice");
    EXPECT_EQ(table[0].total, 3900);
    EXPECT_EQ(table[3].laps, dave.laps);
    EXPECT_EQ(table[3].place, 3);
    EXPECT_EQ(table[3].submitted, "2026-12-08T06:07:08Z");

    const auto top = store().Table("00000000000000f1", 2);
    ASSERT_EQ(top.size(), 2u);
    EXPECT_EQ(top[1].id, bob);
    EXPECT_TRUE(store().Table("00000000000000f1", 0).empty());
}

TEST_P(StoreTest, ANewRunsRankCountsOtherPlayersBestsBeforeIt) {
    ASSERT_TRUE(store().AddCourse(CourseOf("0000000000000101")));
    ASSERT_TRUE(store().AddCourse(CourseOf("0000000000000102")));
    const auto rank = [this](const std::string& player, int64_t total) {
        const auto kept = store().AddRun(RunOf("0000000000000101", player, total));
        return kept ? kept->rank : -1;
    };
    EXPECT_EQ(rank("alice", 5000), 1);
    EXPECT_EQ(rank("bob", 4000), 1);
    // Level with bob but after him.
    EXPECT_EQ(rank("carol", 4000), 2);
    EXPECT_EQ(rank("alice", 4500), 3);
    // Slower than her own best, which is not counted against her.
    EXPECT_EQ(rank("alice", 6000), 3);
    EXPECT_EQ(rank("dave", 100), 1);
    // Another course's table is its own.
    const auto elsewhere = store().AddRun(RunOf("0000000000000102", "erin", 9000));
    ASSERT_TRUE(elsewhere.has_value());
    EXPECT_EQ(elsewhere->rank, 1);

    const auto table = store().Table("0000000000000101", 10);
    ASSERT_EQ(table.size(), 4u);
    EXPECT_EQ(table[2].player, "carol");
    EXPECT_EQ(table[2].rank, 3);  // dave came in ahead since
}

// ---- Hidden runs and courses.

TEST_P(StoreTest, AHiddenRunLeavesTheTableButIsKept) {
    ASSERT_TRUE(store().AddCourse(CourseOf("0000000000000201")));
    const int64_t fastest = AddedRun(RunOf("0000000000000201", "alice", 3000));
    const int64_t second = AddedRun(RunOf("0000000000000201", "alice", 3500));
    AddedRun(RunOf("0000000000000201", "bob", 3200));

    EXPECT_TRUE(store().HideRun(fastest));
    EXPECT_FALSE(store().HideRun(fastest));
    EXPECT_FALSE(store().HideRun(fastest + 1000));

    const auto table = store().Table("0000000000000201", 10);
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table[0].player, "bob");
    EXPECT_EQ(table[1].id, second);  // alice's next best takes her place
    EXPECT_FALSE(store().RunReplay(fastest).has_value());
    EXPECT_TRUE(store().RunReplay(second).has_value());
    EXPECT_EQ(store().Course("0000000000000201")->bestTotal, 3200);
    // A new run is ranked against what is shown.
    EXPECT_EQ(store().AddRun(RunOf("0000000000000201", "carol", 3100))->rank, 1);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM runs"), 4);
}

TEST_P(StoreTest, AHiddenCourseLeavesEveryListButIsKept) {
    ASSERT_TRUE(store().AddCourse(CourseOf("0000000000000301")));
    ASSERT_TRUE(store().AddCourse(CourseOf("0000000000000302")));
    const int64_t run = AddedRun(RunOf("0000000000000301", "alice", 3000));

    EXPECT_TRUE(store().HideCourse("0000000000000301"));
    EXPECT_FALSE(store().HideCourse("0000000000000301"));
    EXPECT_FALSE(store().HideCourse("ffffffffffffffff"));

    const auto courses = store().Courses();
    ASSERT_EQ(courses.size(), 1u);
    EXPECT_EQ(courses[0].checksum, "0000000000000302");
    EXPECT_FALSE(store().Course("0000000000000301").has_value());
    EXPECT_FALSE(store().CourseFile("0000000000000301").has_value());
    EXPECT_TRUE(store().Table("0000000000000301", 10).empty());
    EXPECT_FALSE(store().RunReplay(run).has_value());
    // Uploaded again, it is still the hidden one.
    EXPECT_FALSE(store().AddCourse(CourseOf("0000000000000301")));
    EXPECT_FALSE(store().Course("0000000000000301").has_value());
    EXPECT_EQ(Count("SELECT COUNT(*) FROM courses"), 2);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM runs"), 1);
}

// ---- What goes in comes out.

TEST_P(StoreTest, BytesComeBackExactly) {
    NewCourse course = CourseOf("0000000000000401");
    course.file = AllBytes();
    ASSERT_TRUE(store().AddCourse(course));
    NewRun run = RunOf("0000000000000401", "alice", 3000);
    run.replay = AllBytes();
    const int64_t id = AddedRun(run);
    NewRun empty = RunOf("0000000000000401", "bob", 3000);
    empty.replay.clear();
    const int64_t emptyId = AddedRun(empty);
    // A long replay, as a four-lap race leaves one.
    NewRun large = RunOf("0000000000000401", "carol", 3000);
    large.replay.resize(300000);
    for (size_t i = 0; i < large.replay.size(); ++i) {
        large.replay[i] = static_cast<char>((i * 7919) >> 3);
    }
    const int64_t largeId = AddedRun(large);

    EXPECT_EQ(store().CourseFile("0000000000000401"), course.file);
    EXPECT_EQ(store().RunReplay(id), run.replay);
    EXPECT_EQ(store().RunReplay(emptyId), std::string());
    EXPECT_EQ(store().RunReplay(largeId), large.replay);
}

TEST_P(StoreTest, Utf8TextsComeBackAsTheyWere) {
    NewCourse course = CourseOf("0000000000000501", "潮騒の湾");
    course.texts.info1 = "ブイを右に 🚤";
    course.texts.enName = "Bay of the Surf";
    ASSERT_TRUE(store().AddCourse(course));
    AddedRun(RunOf("0000000000000501", "しおり", 3000));
    AddedRun(RunOf("0000000000000501", "Zoë", 3100));

    const auto kept = store().Course("0000000000000501");
    ASSERT_TRUE(kept.has_value());
    EXPECT_EQ(kept->texts.name, course.texts.name);
    EXPECT_EQ(kept->texts.info1, course.texts.info1);
    EXPECT_EQ(kept->texts.enName, course.texts.enName);
    EXPECT_EQ(kept->texts.enInfo1, "");
    const auto table = store().Table("0000000000000501", 10);
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table[0].player, "しおり");
    EXPECT_EQ(table[1].player, "Zoë");
    // The name is kept as its bytes: its owner's token still holds it.
    EXPECT_TRUE(store().AddRun(RunOf("0000000000000501", "しおり", 2900)).has_value());
}

// A name cut at a NUL would be another player's name; it is refused, never shortened.
TEST_P(StoreTest, ATextWithANulIsRefusedWhole) {
    ASSERT_TRUE(store().AddCourse(CourseOf("0000000000000601")));
    const std::string name("alice\0x", 7);
    EXPECT_THROW(store().AddRun(RunOf("0000000000000601", name, 3000)), DbRefused);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM players"), 0);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM runs"), 0);
    // And the store goes on.
    AddedRun(RunOf("0000000000000601", "alice", 3000));
}

TEST_P(StoreTest, AGoodDatabaseHasNoIntegrityProblems) {
    EXPECT_EQ(store().IntegrityProblems(), "");
    ASSERT_TRUE(store().AddCourse(CourseOf("0000000000000701")));
    AddedRun(RunOf("0000000000000701", "alice", 3000));
    EXPECT_TRUE(store().HideCourse("0000000000000701"));
    EXPECT_EQ(store().IntegrityProblems(), "");
}

}  // namespace
