// The jobs a verification worker does with the game's code, each in a process of its own: the
// answer as a frame of JSON and bytes (frames.h).
#pragma once

#include <string>

namespace records {

// The request frames: a job's kind and its two files.
std::string VerifyRequest(const std::string& course, const std::string& replay);
std::string CourseRequest(const std::string& file, const std::string& name);

// Does the job a request frame asks for, in `folder` (the worker's own, for the files the game
// reads). The answer: PackPair(JSON, bytes).
std::string DoJob(const std::string& request, const std::string& folder);

}  // namespace records
