#pragma once
// Whole-file reading and writing and simple folder operations (POSIX, no Qt).
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace port {

// Reads the whole file; false (and `out` empty) when it cannot be opened or read, or when it
// is longer than `most` bytes (then refused before anything is read).
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& out, uint64_t most = UINT64_MAX);
// Reads the file's first `count` bytes (all of a shorter file); false (and `out` empty) when it
// cannot be opened or read.
bool ReadFileHead(const std::string& path, size_t count, std::vector<uint8_t>& out);

// Synced: the file and its rename reach the disk before the write reports success. Scratch:
// files rewritten often and never needed after a crash (undo snapshots) skip both syncs.
enum class Durability { Synced, Scratch };

// Writes the buffer atomically: a temporary beside the target (named below), fsync, rename.
// On any failure the target is left as it was and no temporary remains. An existing target keeps its
// permissions; a symbolic link is written through to the file it names.
bool WriteWholeFile(const std::string& path, const void* data, size_t size,
                    Durability durability = Durability::Synced);

// A save's temporary beside a design is named "." + the design's name + ".tmp-", the writing
// session's tag (port/session_identity.h), '-' and eight hex digits. Whether `name` is one.
bool IsSaveTemporaryName(const std::string& name);
// Removes the save temporaries of the design at `path` (links followed) whose writing session
// is gone, as port::SessionGone judges; gives how many. Only this user's plain files of that
// name go: never a live session's, another host's, or anything else.
int RemoveDeadSaveTemporaries(const std::string& path);

bool FileExists(const std::string& path);    // a regular file (links followed)
bool FolderExists(const std::string& path);
bool MakeFolder(const std::string& path);    // one level; true when it exists afterwards
// The folder and every missing folder above it; true when it exists afterwards.
bool MakeFolderTree(const std::string& path);
bool RemoveFile(const std::string& path);    // true when the file was removed

// Names (not paths) of the entries of a folder, sorted; empty when it cannot be listed.
std::vector<std::string> ListFolder(const std::string& path);

// Joins two path pieces with one "/" between them.
std::string JoinPath(const std::string& folder, const std::string& name);

// Creates `path` (one level) with mode 0700 if missing, then checks that it is a real folder
// (not a link) owned by the current user and not accessible to others. False with a reason
// in `why` otherwise.
bool MakePrivateFolder(const std::string& path, std::string* why = nullptr);

// Test hook: the next WriteWholeFile fails at `step` as if the system had refused it.
// ResetServices clears it.
enum class WriteStep { None, Create, Write, Sync, Rename };
void FailNextWriteAt(WriteStep step);

// Test hook: `path` exists and reads as the `size` bytes at `data` (not copied: they must
// outlive the reads), so a reader can be fed many inputs without touching the disk. An empty
// path ends it; ResetServices clears it.
void ServeFileFromMemory(const std::string& path, const uint8_t* data, size_t size);

// Test hook: how often the disk was asked (FileExists, FolderExists, ReadWholeFile,
// ReadFileHead, ListFolder) since the count was last reset, and how many bytes the reads took;
// ResetServices resets both.
uint64_t FileProbeCount();
uint64_t FileBytesRead();
void ResetFileProbeCount();

} // namespace port
