#include "records/store.h"

#include <string_view>

namespace records {
namespace {

// The schema, one step a version; `{id}` and `{blob}` are spelt as the database spells them.
const std::vector<std::vector<std::string>>& Steps() {
    static const std::vector<std::vector<std::string>> steps = {
        {
            "CREATE TABLE courses (checksum TEXT PRIMARY KEY, name TEXT NOT NULL, "
            "info1 TEXT NOT NULL, info2 TEXT NOT NULL, en_name TEXT NOT NULL, "
            "en_info1 TEXT NOT NULL, en_info2 TEXT NOT NULL, file {blob} NOT NULL, map {blob} NOT "
            "NULL, "
            "uploaded TEXT NOT NULL, hidden INTEGER NOT NULL DEFAULT 0)",
            "CREATE TABLE players (name TEXT PRIMARY KEY, token_hash TEXT NOT NULL, "
            "joined TEXT NOT NULL)",
            "CREATE TABLE runs (id {id}, course TEXT NOT NULL REFERENCES courses (checksum), "
            "player TEXT NOT NULL REFERENCES players (name), total BIGINT NOT NULL, "
            "lap1 BIGINT NOT NULL, lap2 BIGINT NOT NULL, lap3 BIGINT NOT NULL, "
            "lap4 BIGINT NOT NULL, place INTEGER NOT NULL, replay {blob} NOT NULL, "
            "submitted TEXT NOT NULL, hidden INTEGER NOT NULL DEFAULT 0)",
            "CREATE INDEX runs_by_player ON runs (course, player, total, id)",
            "CREATE INDEX runs_by_total ON runs (course, hidden, total, id)",
        },
        // Each player's best run on each course, kept as runs come in: a table is read off it in
        // the rows it shows, however many runs the course has had.
        {
            "CREATE TABLE bests (course TEXT NOT NULL REFERENCES courses (checksum), "
            "player TEXT NOT NULL REFERENCES players (name), run BIGINT NOT NULL REFERENCES runs "
            "(id), total BIGINT NOT NULL, PRIMARY KEY (course, player))",
            "CREATE INDEX bests_by_total ON bests (course, total, run)",
            "INSERT INTO bests (course, player, run, total) SELECT r.course, r.player, r.id, "
            "r.total FROM runs r WHERE r.hidden = 0 AND NOT EXISTS (SELECT 1 FROM runs b WHERE "
            "b.course = r.course AND b.player = r.player AND b.hidden = 0 AND (b.total < r.total "
            "OR (b.total = r.total AND b.id < r.id)))",
        },
    };
    return steps;
}

std::string Spelt(std::string sql, const Db& db) {
    for (const auto& [word, spelling] :
         {std::pair<std::string_view, std::string>{"{id}", db.IdColumn()},
          {"{blob}", db.BlobType()}}) {
        for (size_t at = sql.find(word); at != std::string::npos; at = sql.find(word, at)) {
            sql.replace(at, word.size(), spelling);
            at += spelling.size();
        }
    }
    return sql;
}

constexpr char kCourseColumns[] =
    "c.checksum, c.name, c.info1, c.info2, c.en_name, c.en_info1, c.en_info2, c.uploaded, "
    "(SELECT COUNT(*) FROM bests b WHERE b.course = c.checksum), "
    "(SELECT MIN(b.total) FROM bests b WHERE b.course = c.checksum)";

CourseInfo CourseOf(const Row& row) {
    CourseInfo course;
    course.checksum = AsText(row[0]);
    course.texts = {AsText(row[1]), AsText(row[2]), AsText(row[3]),
                    AsText(row[4]), AsText(row[5]), AsText(row[6])};
    course.uploaded = AsText(row[7]);
    course.runs = AsInt(row[8]);
    if (!IsNull(row[9])) course.bestTotal = AsInt(row[9]);
    return course;
}

// How many other players' bests stand before a run of `total` and `id` on the course.
int64_t PlayersBefore(Db& db, const std::string& course, const std::string& player, int64_t total,
                      int64_t id) {
    const std::vector<Row> rows = db.Query(
        "SELECT COUNT(*) FROM bests b WHERE b.course = ? AND b.player <> ? AND (b.total < ? OR "
        "(b.total = ? AND b.run < ?))",
        {course, player, total, total, id});
    return AsInt(rows.at(0).at(0));
}

// The player's best on the course again, from the runs shown: after one was hidden.
void FindBestAgain(Db& db, const std::string& course, const std::string& player) {
    db.Query("DELETE FROM bests WHERE course = ? AND player = ?", {course, player});
    db.Query(
        "INSERT INTO bests (course, player, run, total) SELECT r.course, r.player, r.id, r.total "
        "FROM runs r WHERE r.course = ? AND r.player = ? AND r.hidden = 0 "
        "ORDER BY r.total, r.id LIMIT 1",
        {course, player});
}

}  // namespace

namespace {

// The schema's version as the database holds it, read without writing: 0 before the first
// migration (no table yet).
int64_t VersionHeld(Db& db) {
    try {
        const std::vector<Row> rows = db.Query("SELECT MAX(version) FROM schema_version", {});
        return rows.empty() || IsNull(rows[0][0]) ? 0 : AsInt(rows[0][0]);
    } catch (const DbRefused&) {
        return 0;
    }
}

}  // namespace

void Store::Migrate() {
    pool_.With([](Db& db) {
        // A schema that is up to date needs no write, so a database that cannot be written
        // still serves its tables.
        if (VersionHeld(db) == static_cast<int64_t>(Steps().size())) return 0;
        db.Transaction([&db] {
            // Locked before even the version's table is made: PostgreSQL lets two servers
            // making it at once collide on its catalogue, IF NOT EXISTS or not.
            db.LockForMigration();
            db.Query("CREATE TABLE IF NOT EXISTS schema_version (version INTEGER NOT NULL)", {});
            const std::vector<Row> rows = db.Query("SELECT MAX(version) FROM schema_version", {});
            int64_t version = rows.empty() || IsNull(rows[0][0]) ? 0 : AsInt(rows[0][0]);
            const auto& steps = Steps();
            for (; version < static_cast<int64_t>(steps.size()); ++version) {
                for (const std::string& statement : steps[static_cast<size_t>(version)]) {
                    db.Query(Spelt(statement, db), {});
                }
                db.Query("INSERT INTO schema_version (version) VALUES (?)", {version + 1});
            }
        });
        return 0;
    });
}

int64_t Store::SchemaVersion() {
    return pool_.With([](Db& db) {
        return AsInt(db.Query("SELECT MAX(version) FROM schema_version", {}).at(0).at(0));
    });
}

bool Store::AddCourse(const NewCourse& course) {
    return pool_.With([&course](Db& db) {
        bool added = false;
        db.Transaction([&] {
            const CourseTexts& t = course.texts;
            const std::vector<Row> rows = db.Query(
                "INSERT INTO courses (checksum, name, info1, info2, en_name, en_info1, en_info2, "
                "file, map, uploaded) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?) ON CONFLICT (checksum) "
                "DO NOTHING RETURNING checksum",
                {course.checksum, t.name, t.info1, t.info2, t.enName, t.enInfo1, t.enInfo2,
                 Blob{course.file}, Blob{course.map}, course.uploaded});
            added = !rows.empty();
        });
        return added;
    });
}

std::vector<CourseInfo> Store::Courses() {
    return pool_.With([](Db& db) {
        std::vector<CourseInfo> courses;
        for (const Row& row :
             db.Query(std::string("SELECT ") + kCourseColumns +
                          " FROM courses c WHERE c.hidden = 0 ORDER BY c.uploaded, c.checksum",
                      {})) {
            courses.push_back(CourseOf(row));
        }
        return courses;
    });
}

std::optional<CourseInfo> Store::Course(const std::string& checksum) {
    return pool_.With([&checksum](Db& db) -> std::optional<CourseInfo> {
        const std::vector<Row> rows =
            db.Query(std::string("SELECT ") + kCourseColumns +
                         " FROM courses c WHERE c.checksum = ? AND c.hidden = 0",
                     {checksum});
        if (rows.empty()) return std::nullopt;
        return CourseOf(rows[0]);
    });
}

std::optional<std::string> Store::CourseFile(const std::string& checksum) {
    return pool_.With([&checksum](Db& db) -> std::optional<std::string> {
        const std::vector<Row> rows =
            db.Query("SELECT file FROM courses WHERE checksum = ? AND hidden = 0", {checksum});
        if (rows.empty()) return std::nullopt;
        return AsBytes(rows[0][0]);
    });
}

std::optional<std::string> Store::CourseMap(const std::string& checksum) {
    return pool_.With([&checksum](Db& db) -> std::optional<std::string> {
        const std::vector<Row> rows =
            db.Query("SELECT map FROM courses WHERE checksum = ? AND hidden = 0", {checksum});
        if (rows.empty()) return std::nullopt;
        return AsBytes(rows[0][0]);
    });
}

bool Store::NameIsAnothers(const std::string& name, const std::string& tokenHash) {
    return pool_.With([&](Db& db) {
        const std::vector<Row> rows =
            db.Query("SELECT token_hash FROM players WHERE name = ?", {name});
        return !rows.empty() && AsText(rows[0][0]) != tokenHash;
    });
}

std::optional<RunInfo> Store::AddRun(const NewRun& run) {
    return pool_.With([&run](Db& db) -> std::optional<RunInfo> {
        std::optional<RunInfo> kept;
        db.Transaction([&] {
            // The name is the first token's; a second server racing for it meets the key.
            db.Query(
                "INSERT INTO players (name, token_hash, joined) VALUES (?, ?, ?) "
                "ON CONFLICT (name) DO NOTHING",
                {run.player, run.tokenHash, run.submitted});
            const std::vector<Row> owner =
                db.Query("SELECT token_hash FROM players WHERE name = ?", {run.player});
            if (owner.empty() || AsText(owner[0][0]) != run.tokenHash) return;
            const std::vector<Row> rows = db.Query(
                "INSERT INTO runs (course, player, total, lap1, lap2, lap3, lap4, place, replay, "
                "submitted) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?) RETURNING id",
                {run.course, run.player, run.total, run.laps[0], run.laps[1], run.laps[2],
                 run.laps[3], run.place, Blob{run.replay}, run.submitted});
            RunInfo info;
            info.id = AsInt(rows.at(0).at(0));
            // A new best replaces the player's old one; a tie leaves the earlier.
            db.Query(
                "INSERT INTO bests (course, player, run, total) VALUES (?, ?, ?, ?) "
                "ON CONFLICT (course, player) DO UPDATE SET run = excluded.run, "
                "total = excluded.total WHERE excluded.total < bests.total",
                {run.course, run.player, info.id, run.total});
            info.course = run.course;
            info.player = run.player;
            info.total = run.total;
            info.laps = run.laps;
            info.place = run.place;
            info.submitted = run.submitted;
            info.rank = 1 + PlayersBefore(db, run.course, run.player, run.total, info.id);
            kept = info;
        });
        return kept;
    });
}

std::vector<RunInfo> Store::Table(const std::string& course, int64_t limit) {
    return pool_.With([&](Db& db) {
        std::vector<RunInfo> table;
        const std::vector<Row> rows = db.Query(
            "SELECT r.id, r.player, r.total, r.lap1, r.lap2, r.lap3, r.lap4, r.place, "
            "r.submitted FROM bests b JOIN runs r ON r.id = b.run JOIN courses c ON c.checksum = "
            "b.course WHERE b.course = ? AND c.hidden = 0 ORDER BY b.total, b.run LIMIT ?",
            {course, limit});
        for (const Row& row : rows) {
            RunInfo run;
            run.id = AsInt(row[0]);
            run.course = course;
            run.player = AsText(row[1]);
            run.total = AsInt(row[2]);
            for (size_t lap = 0; lap < 4; ++lap) run.laps[lap] = AsInt(row[3 + lap]);
            run.place = AsInt(row[7]);
            run.submitted = AsText(row[8]);
            run.rank = static_cast<int64_t>(table.size()) + 1;
            table.push_back(run);
        }
        return table;
    });
}

std::optional<std::string> Store::RunReplay(int64_t id) {
    return pool_.With([id](Db& db) -> std::optional<std::string> {
        const std::vector<Row> rows = db.Query(
            "SELECT r.replay FROM runs r JOIN courses c ON c.checksum = r.course "
            "WHERE r.id = ? AND r.hidden = 0 AND c.hidden = 0",
            {id});
        if (rows.empty()) return std::nullopt;
        return AsBytes(rows[0][0]);
    });
}

bool Store::HideRun(int64_t id) {
    return pool_.With([id](Db& db) {
        bool hidden = false;
        db.Transaction([&] {
            const std::vector<Row> rows = db.Query(
                "UPDATE runs SET hidden = 1 WHERE id = ? AND hidden = 0 RETURNING course, player",
                {id});
            hidden = !rows.empty();
            if (hidden) FindBestAgain(db, AsText(rows[0][0]), AsText(rows[0][1]));
        });
        return hidden;
    });
}

bool Store::HideCourse(const std::string& checksum) {
    return pool_.With([&checksum](Db& db) {
        return !db.Query(
                      "UPDATE courses SET hidden = 1 WHERE checksum = ? AND hidden = 0 "
                      "RETURNING checksum",
                      {checksum})
                    .empty();
    });
}

std::string Store::IntegrityProblems() {
    return pool_.With([](Db& db) { return db.IntegrityProblems(); });
}

}  // namespace records
