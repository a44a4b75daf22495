#pragma once

#include <cerrno>
#include <optional>

// The test seam of the roster store's file layer. Every operation that changes the disk
// (create, write, flush, rename, remove, change of mode) asks FileOperationFails() first, so a
// test can make the N-th of them fail, alone or with every one after it, and then check that
// what is left on disk is one of the states the store promises (the way SQLite tests its
// commits). Programs never set a plan: every operation then runs.

enum class FileOperation { Create, Write, Flush, Rename, Remove, ChangeMode };

struct FileFaultPlan {
  long failAt = -1;                       // 0-based index of the operation to fail; -1: none
  bool persistent = false;                // every later operation fails too
  int error = EIO;                        // the errno a failed operation reports
  std::optional<FileOperation> onlyKind;  // count only operations of this kind
};

// The usual plans: the index-th operation fails alone; it and every later one fail (a
// program killed there); the index-th operation of one kind fails alone.
inline FileFaultPlan FailOnce(long index) { return FileFaultPlan{index, false, EIO, std::nullopt}; }
inline FileFaultPlan FailFrom(long index) { return FileFaultPlan{index, true, EIO, std::nullopt}; }
inline FileFaultPlan FailOnceOf(FileOperation kind, long index, int error = EIO) {
  return FileFaultPlan{index, false, error, kind};
}

// Starts a plan; the operation count starts again at 0.
void SetFileFaultPlan(const FileFaultPlan& plan);
// Operations counted since the last plan (with a kind filter, only those of that kind).
long CountedFileOperations();
// True (errno set to the plan's error) when this operation must fail.
bool FileOperationFails(FileOperation kind);

// Sets a plan for its lifetime and clears it afterwards.
class ScopedFileFaults {
public:
  explicit ScopedFileFaults(const FileFaultPlan& plan) { SetFileFaultPlan(plan); }
  ~ScopedFileFaults() { SetFileFaultPlan({}); }
  ScopedFileFaults(const ScopedFileFaults&) = delete;
  ScopedFileFaults& operator=(const ScopedFileFaults&) = delete;
};
