// File system services the game cannot get from the standard library alone.
// Included by platform.h.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace platform {

// The player's own folder for what the game writes besides the stage files it was given (its
// copies of the courses, replays), ending with '/' and created when missing. Empty when there is
// none; the game then keeps to the current folder.
const char* UserDataDir();

// The folder the player's kept ghosts (the replays of their best races) go in, ending with '/':
// "ghosts/" in the data folder, or the page's own, which it keeps in the browser. Empty when
// there is none. Not created here.
const char* GhostFolder();

// The player's folder for settings (settings.ini and keys.ini), ending with '/' and created
// when missing. Empty when there is none or it cannot be made, which is said once on stderr;
// the game then keeps its settings for this run only.
const char* SettingsFolder();

// Writes `name` in SettingsFolder() so that a crash leaves the old file or the new one: an
// existing file is replaced in place, a missing one is made. False (with `error` saying why)
// when it was not written, also when there is no settings folder.
bool WriteSettingsFile(const char* name, const std::string& text, std::string& error);

// The language the player's system is set to: the first of LC_ALL, LC_MESSAGES and LANG that is
// set and not empty ("ja_JP.UTF-8"), or the browser's language on the page; empty when none is.
std::string SystemLocale();

// The names (not paths) of the regular files in a folder, in no particular order.
// False when the folder cannot be read.
bool ListDirectory(const char* folder, std::vector<std::string>& names);

// Replaces the contents of an existing, writable file so that a crash or power cut at any
// moment leaves either the old file or the new one, never a mix: the new bytes go into a
// temporary file in the same folder, which is flushed to the disk and renamed over the old
// one, and the folder itself is then flushed. The file keeps its permission bits. A symbolic
// link is written through: the temporary file goes beside the link's target and replaces it, so
// the link stays a link. A file that is missing, or that the system would not let this process
// open for writing, is not touched. False (with `error` saying why) when the file was left as it
// was.
bool ReplaceFileContents(const char* path, const char* data, size_t size, std::string& error);

// Creates a folder unless it is there already. False (with `error` saying why) when it is
// missing afterwards, or something other than a folder has its name.
bool MakeFolder(const char* path, std::string& error);

// Writes a file that must not exist yet, whole or not at all: the bytes go into a temporary
// file in the same folder, which is flushed and then linked under its name, so that a reader
// never sees half a file and no existing file is ever replaced. False (with `error` saying why)
// when nothing was written; `existed` then tells whether the name was taken.
bool WriteNewFile(const char* path, const char* data, size_t size, bool& existed,
                  std::string& error);

// Hands the player a file where the game keeps no folder of its own: the page offers it as a
// download named `name`. False where there is no such way (the game keeps its files itself).
bool OfferFile(const char* name, const std::string& bytes);

// The player's local date and time of day as "YYYYMMDD-HHMMSS", for naming files. Never read by
// the simulation.
std::string LocalTimeStamp();

// For tests: called with the temporary file's path after it has been written and flushed,
// just before the rename. Returning false abandons the replacement there, as a crash would.
using BeforeRenameHook = bool (*)(const char* tempPath);
void SetBeforeRenameHook(BeforeRenameHook hook);

}  // namespace platform
