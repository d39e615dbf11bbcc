// A verification worker: a process of the server's own that plays replays with the game's code,
// one at a time, so that the game's global state is never shared between requests.
#pragma once

namespace records {

// The worker's main: reads a job a frame from stdin (game_jobs.h) and answers each with a frame
// on stdout, until stdin ends. Each replay may take `cpuSeconds` of processor time; past that the
// system ends the worker, and the server starts another. Returns the exit status.
int RunVerifyWorker(const char* argv0, int cpuSeconds);

}  // namespace records
