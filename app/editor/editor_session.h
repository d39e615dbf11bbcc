// The course editor's door into the game's own code: the stage reader, the stage writer and the
// stage checker, behind a small C interface the browser calls. The page keeps the course it
// shows as numbers and code page 932 texts; this side keeps the file it was opened from, so that
// what is saved changes only the lines that were edited.
#pragma once

#include <cstdint>

#include "course/stage_file.h"

// The numbers of a course in the order tw_editor_set_numbers takes them and the course JSON
// gives them: pace, checkpoints (x, y), camera stands (x, y, z), ramp (x, y), pad (x, y), best
// laps and best totals in hundredths.
constexpr int kEditorPace = 0;
constexpr int kEditorCheckpoints = 1;
constexpr int kEditorStands = 13;
constexpr int kEditorRamp = 31;
constexpr int kEditorPad = 33;
constexpr int kEditorBestLaps = 35;
constexpr int kEditorBestTotals = 38;
constexpr int kEditorNumberCount = 41;

// The texts tw_editor_set_text takes and the course JSON gives: the stage's own (code page 932)
// and the English ones (ASCII, '_' for a space; empty when the file has none).
constexpr int kEditorName = 0;
constexpr int kEditorInfo1 = 1;
constexpr int kEditorInfo2 = 2;
constexpr int kEditorEnName = 3;
constexpr int kEditorEnInfo1 = 4;
constexpr int kEditorEnInfo2 = 5;
constexpr int kEditorTextCount = 6;

// The page calls these functions of the module by name: each is kept and exported by the
// compiler itself, so no list of exports has to follow them.
#ifdef __EMSCRIPTEN__
#include <emscripten/emscripten.h>
#define TW_EDITOR_EXPORT EMSCRIPTEN_KEEPALIVE
#else
#define TW_EDITOR_EXPORT
#endif

extern "C" {

// Opens `size` bytes of a stage file as the course being edited. 0, leaving the course that was
// open, when the reader refuses it: tw_editor_check then says why.
TW_EDITOR_EXPORT int tw_editor_open(const char* data, int size);
// Opens the template of a new course.
TW_EDITOR_EXPORT int tw_editor_open_new();

// The open course as JSON: {"format", "numbers": [...], "texts": [[bytes] x6], "lines": {...}}
// with the line each item stands on in the opened file (0 where it has none); the English lines
// are "enName", "enInfo1" and "enInfo2".
TW_EDITOR_EXPORT const char* tw_editor_course();

// Sets the course's numbers (kEditorNumberCount of them); 0 when the count is wrong.
TW_EDITOR_EXPORT int tw_editor_set_numbers(const int32_t* numbers, int count);
// Sets one text as its bytes (an empty English text takes its line out of the file); 0, leaving
// it as it was, when it does not fit the reader's buffer or holds a zero byte.
TW_EDITOR_EXPORT int tw_editor_set_text(int field, const char* bytes, int size);

// Writes the course over the opened file. 1 with the bytes in tw_editor_written_*; 0 with the
// reason in tw_editor_error.
TW_EDITOR_EXPORT int tw_editor_write();
TW_EDITOR_EXPORT const char* tw_editor_written_data();
TW_EDITOR_EXPORT int tw_editor_written_size();
TW_EDITOR_EXPORT const char* tw_editor_error();
// The lines of the written file's items, as the "lines" of tw_editor_course; "null" when
// nothing reads.
TW_EDITOR_EXPORT const char* tw_editor_written_lines();

// The checker's problems with `size` bytes of a stage file called `file`, as JSON:
// [{"line", "severity": "error"|"warning", "message", "text": "FILE:LINE: ..."}, ...].
TW_EDITOR_EXPORT const char* tw_editor_check(const char* data, int size, const char* file);

// Draws the course into the 640 x 480 preview frame and returns it: view 0 circles the water as
// the stage select does, `angle` (tenths of a degree) along the orbit; view 1 looks at the start
// grid from the chase camera.
TW_EDITOR_EXPORT const uint8_t* tw_editor_render(int view, int angle);
// The fenced water's edges in world units: its low edge for 0, its high edge for 1.
TW_EDITOR_EXPORT int tw_editor_fence(int high);
// The game's palette: 256 entries of red, green and blue.
TW_EDITOR_EXPORT const uint8_t* tw_editor_palette();

}  // extern "C"

namespace editor {
// The course as it would be written now, for the preview.
StageFile EditedCourse();
}  // namespace editor
