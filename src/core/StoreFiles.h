#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The file layer of the roster store: reading a file that must be a regular file of bounded
// size, and the steps writers are made of. Every step that changes the disk flushes what it
// did (the file, then its folder) before it reports success, and passes the fault seam
// (core/FileFaults.h) first.

enum class ReadStatus { Ok, Missing, NotRegular, TooLarge, Unreadable };

struct FileBytes {
  ReadStatus status = ReadStatus::Missing;
  std::string bytes;  // only with Ok
};

// Reads `path` when it is a regular file of at most `cap` bytes. A FIFO, device, folder or
// socket is never waited on (opened without blocking, its type checked on the open file);
// a larger file is refused after reading at most cap + 1 bytes.
FileBytes ReadRegularFile(const std::string& path, std::size_t cap);

// Temporary files start with this, then the target's name, the writer's pid and a count:
// ".petsim-tmp.Data.txt.4711.0". Nothing else the program writes starts with it.
inline constexpr std::string_view kTemporaryPrefix = ".petsim-tmp.";

// Writes `bytes` into a new temporary file beside `target` and flushes it; the file takes the
// mode (and, for root, the owner) of `modeFrom` when that exists. Returns its path, or an
// empty text (errno set, nothing left behind) on failure.
std::string WriteTemporaryFile(const std::string& target, std::string_view bytes, const std::string& modeFrom);

// An entry of that name exists, whatever it is (a link itself counts, not what it points to).
bool EntryExists(const std::string& path);
// The entry of that name is a folder (a link to one is not).
bool EntryIsFolder(const std::string& path);
// The path names something that exists (a link counts as what it points to).
bool PathExists(const std::string& path);
// The names of a folder's entries ("." and ".." left out); empty when it cannot be read.
std::vector<std::string> FolderEntryNames(const std::string& folder);

// Renames `from` to `to`, replacing a file there, and returns once both entries are on disk
// (POSIX: rename(2), then the folders are flushed; Windows: MoveFileExW with
// MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH). False (errno set) when it failed.
bool RenameDurably(const std::string& from, const std::string& to);
// Removes a file, then flushes its folder. False (errno set) when nothing was removed.
bool RemoveDurably(const std::string& path);

// The record at `path` may be replaced: it does not exist, or it is a regular file that is
// not read-only (no write permission, or its owner's write bit cleared, root included).
bool MayReplace(const std::string& path);

// Replaces `path` with exactly `bytes`: a temporary file beside it, renamed over it, so that
// a reader (or a crash) sees either the old or the new file. The new file keeps the old
// one's mode. Refused where MayReplace is false. Where no temporary file may be created in
// the folder (EACCES, EPERM) but the old file is writable, it is rewritten in place.
bool ReplaceFileAtomically(const std::string& path, std::string_view bytes);

// The platform steps ReplaceFileAtomically is made of, beside those above. WriteInPlace truncates
// the existing file and writes `bytes` into it, flushed; DiscardTemporaryFile removes a temporary
// file that was not renamed, keeping errno as the failure that led there set it.
bool WriteInPlace(const std::string& path, std::string_view bytes);
void DiscardTemporaryFile(const std::string& temporary);

// The folder part of a path ("." without one) and the name part.
std::string FolderOf(const std::string& path);
std::string NameOf(const std::string& path);

// The writer's pid in a temporary file's name, or 0 when the name carries none.
long TemporaryFileWriter(std::string_view name);

// Removes the temporary files in `folder` whose writer is no longer running (or whose name
// carries no pid); a running program's file is kept. Our own pid counts as not running: a
// program calls this before it writes anything.
void RemoveStaleTemporaryFilesIn(const std::string& folder);
