// What the record server keeps: courses by their checksum, players by name with the hash of
// their token, and verified runs with their replays. Nothing is ever deleted: the administrator
// hides a run or a course from every table.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "records/db.h"

namespace records {

// A course's texts as the table shows them, in UTF-8; the English ones empty when the file has
// none.
struct CourseTexts {
    std::string name, info1, info2;
    std::string enName, enInfo1, enInfo2;
};

struct CourseInfo {
    std::string checksum;  // 16 hex digits, of the course's racing data
    CourseTexts texts;
    std::string uploaded;              // UTC, "2026-12-08T04:05:06Z"
    int64_t runs = 0;                  // runs shown in its table
    std::optional<int64_t> bestTotal;  // hundredths of a second
};

struct NewCourse {
    std::string checksum;
    CourseTexts texts;
    std::string file;  // the stage file's bytes, its records reset
    std::string map;   // the course from above, a PNG file
    std::string uploaded;
};

struct RunInfo {
    int64_t id = 0;
    std::string course, player;
    int64_t total = 0;                 // hundredths of a second
    std::array<int64_t, 4> laps = {};  // hundredths of a second
    int64_t place = 0;
    std::string submitted;
    int64_t rank = 0;  // in its course's table; for a new run, where its total stands there
};

struct NewRun {
    std::string course, player, tokenHash;
    int64_t total = 0;
    std::array<int64_t, 4> laps = {};
    int64_t place = 0;
    std::string replay;
    std::string submitted;
};

class Store {
  public:
    explicit Store(DbPool& pool) : pool_(pool) {}

    // Brings the schema to this server's version, each step once, whichever server comes first.
    void Migrate();
    // The schema's version after Migrate.
    int64_t SchemaVersion();

    // True when the course is new; false when a course with its checksum is kept already (that
    // one stays, as it was uploaded first).
    bool AddCourse(const NewCourse& course);
    std::vector<CourseInfo> Courses();
    std::optional<CourseInfo> Course(const std::string& checksum);
    std::optional<std::string> CourseFile(const std::string& checksum);
    std::optional<std::string> CourseMap(const std::string& checksum);

    // Whether `name` is kept for a token other than the one `tokenHash` is the hash of.
    bool NameIsAnothers(const std::string& name, const std::string& tokenHash);

    // Keeps the run under its player's name, which the first token to use it takes. Empty when
    // the name is another token's.
    std::optional<RunInfo> AddRun(const NewRun& run);
    // Each player's best run on the course, by total then by the order they came in.
    std::vector<RunInfo> Table(const std::string& course, int64_t limit);
    std::optional<std::string> RunReplay(int64_t id);

    // False when there is no such run or course shown.
    bool HideRun(int64_t id);
    bool HideCourse(const std::string& checksum);

    // The database's own check; empty when all is well.
    std::string IntegrityProblems();

  private:
    DbPool& pool_;
};

}  // namespace records
