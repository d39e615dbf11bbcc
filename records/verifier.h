// What the server asks of the game's code, which runs in worker processes only: a replay played
// through on a course, and a stage file read as the game reads it.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace records {

// How a worker's job ended when it did not give its answer.
enum class JobOutcome {
    Done,     // the answer is there
    Refused,  // the game would not take the file: `message` says why (FILE:LINE)
    Crashed,  // the worker failed while at it
    Overran,  // it took longer than a job may
    Busy,     // every worker is busy and the queue is full
};

struct Verification {
    JobOutcome outcome = JobOutcome::Crashed;
    std::string message;
    uint64_t checksum = 0;
    bool finished = false;
    int64_t place = 0;
    std::array<int64_t, 4> laps = {};  // hundredths of a second, as the game shows them
    int64_t total = 0;
};

struct CourseCheck {
    JobOutcome outcome = JobOutcome::Crashed;
    std::string message;
    std::string checksum;                  // 16 hex digits
    std::string name, info1, info2;        // UTF-8
    std::string enName, enInfo1, enInfo2;  // as shown: '_' a blank
    std::string file;                      // the stage file with its records reset
    std::string map;                       // the course from above, a PNG file
};

class Verifier {
  public:
    virtual ~Verifier() = default;
    virtual Verification Verify(const std::string& course, const std::string& replay) = 0;
    // `name` names the file in messages only.
    virtual CourseCheck CheckCourse(const std::string& file, const std::string& name) = 0;
};

// Seconds as the game prints them ("%.2f"), in hundredths.
int64_t Hundredths(double seconds);

}  // namespace records
