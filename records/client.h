// The desktop's clients of a record server: send a run, share a course, fetch a replay. Each
// prints one line of result, or the server's error, and returns the exit status.
#pragma once

#include <string>

namespace records {

int SubmitRun(const std::string& url, const std::string& replayPath, const std::string& name);
int UploadCourse(const std::string& url, const std::string& coursePath);
int FetchReplay(const std::string& url, const std::string& checksum, int rank,
                const std::string& outPath);

}  // namespace records
