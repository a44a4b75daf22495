#include "core/FileFaults.h"

namespace {
// The seam's own state; a program never changes it, so every operation runs.
struct FaultState {
  FileFaultPlan plan;
  long counted = 0;
};
FaultState& State() {
  static FaultState state;
  return state;
}
}  // namespace

void SetFileFaultPlan(const FileFaultPlan& plan) { State() = FaultState{plan, 0}; }

long CountedFileOperations() { return State().counted; }

bool FileOperationFails(FileOperation kind) {
  FaultState& state = State();
  if (state.plan.onlyKind && *state.plan.onlyKind != kind) return false;
  const long index = state.counted++;
  if (state.plan.failAt < 0) return false;
  const bool fails = state.plan.persistent ? index >= state.plan.failAt : index == state.plan.failAt;
  if (fails) errno = state.plan.error;
  return fails;
}
