#include "core/RosterTransactions.h"

#include <cerrno>
#include <charconv>
#include <memory>
#include <string>
#include <vector>

#include "core/DataPaths.h"
#include "core/RosterStore.h"
#include "core/StoreFiles.h"
#include "core/TableSizes.h"

namespace {

constexpr std::string_view kMergeChildPrefix = ".petsim-merge-child-of.";
constexpr std::string_view kMergeParentPrefix = ".petsim-merge-parent-into.";
constexpr std::string_view kCertifyJournal = "/.petsim-certify.Data.txt";
constexpr std::string_view kCancelJournal = "/.petsim-cancel.Data.txt";
constexpr std::string_view kCancelMarkerAside = "/.petsim-cancel.rz.txt";

std::string MergeChildPath(int side1Slot, int side2Slot) {
  return SlotFolderPath(side1Slot) + "/" + std::string(kMergeChildPrefix) + std::to_string(side2Slot);
}
std::string MergeParentPath(int side1Slot, int side2Slot) {
  return SlotFolderPath(side2Slot) + "/" + std::string(kMergeParentPrefix) + std::to_string(side1Slot);
}
std::string CertifyJournalPath(int slot) { return SlotFolderPath(slot) + std::string(kCertifyJournal); }
std::string CancelJournalPath(int slot) { return SlotFolderPath(slot) + std::string(kCancelJournal); }
std::string CancelMarkerAsidePath(int slot) { return SlotFolderPath(slot) + std::string(kCancelMarkerAside); }

// Puts `bytes`, complete and flushed, under `journal`: a journal file that exists is whole.
bool WriteJournal(const std::string& journal, std::string_view bytes, const std::string& modeFrom) {
  const std::string temporary = WriteTemporaryFile(journal, bytes, modeFrom);
  if (temporary.empty()) return false;
  if (RenameDurably(temporary, journal)) return true;
  const int error = errno;
  RemoveDurably(temporary);
  errno = error;
  return false;
}

// The slot folder takes no new file: the marker could not have been written or removed either,
// so that is the step reported.
bool FolderRefusesChanges(int error) { return error == EACCES || error == EPERM || error == EROFS; }

// Slot numbers named after `prefix` by the entries of one slot folder.
std::vector<int> SlotsNamedIn(int slot, std::string_view prefix) {
  std::vector<int> named;
  for (const std::string& entryName : FolderEntryNames(SlotFolderPath(slot))) {
    std::string_view name(entryName);
    if (!name.starts_with(prefix)) continue;
    name.remove_prefix(prefix.size());
    int other = 0;
    const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), other);
    if (error == std::errc() && end == name.data() + name.size() && IsValidSlot(other)) named.push_back(other);
  }
  return named;
}

void RecoverMerges() {
  // Side 2's record set aside: the merge is done unless the child still waits beside side 1.
  for (int side2 = 1; side2 <= kSlotCount; ++side2) {
    for (int side1 : SlotsNamedIn(side2, kMergeParentPrefix)) {
      const std::string parent = MergeParentPath(side1, side2);
      const std::string child = MergeChildPath(side1, side2);
      if (!EntryExists(child)) {
        RemoveDurably(parent);
      } else if (RenameDurably(parent, RecordPath(side2))) {
        RemoveDurably(child);
      }
    }
  }
  // A child without a set-aside parent: the merge never got as far as side 2.
  for (int side1 = 1; side1 <= kSlotCount; ++side1)
    for (int side2 : SlotsNamedIn(side1, kMergeChildPrefix))
      if (!EntryExists(MergeParentPath(side1, side2))) RemoveDurably(MergeChildPath(side1, side2));
}

void RecoverCertification(int slot) {
  const std::string certify = CertifyJournalPath(slot);
  if (EntryExists(certify)) {
    if (EntryExists(MarkerPath(slot)))
      RenameDurably(certify, RecordPath(slot));
    else
      RemoveDurably(certify);
  }
  const std::string cancel = CancelJournalPath(slot);
  const std::string aside = CancelMarkerAsidePath(slot);
  if (EntryExists(cancel)) {
    if (!EntryExists(aside))
      RemoveDurably(cancel);
    else if (RenameDurably(cancel, RecordPath(slot)))
      RemoveDurably(aside);
  } else if (EntryExists(aside)) {
    RemoveDurably(aside);
  }
}

}  // namespace

bool CommitMerge(int side1Slot, int side2Slot, std::string_view childRecord) {
  if (!IsValidSlot(side1Slot) || !IsValidSlot(side2Slot) || side1Slot == side2Slot) return false;
  const std::string record1 = RecordPath(side1Slot);
  const std::string record2 = RecordPath(side2Slot);
  if (!MayReplace(record1) || !EntryExists(record2)) return false;
  const std::string child = MergeChildPath(side1Slot, side2Slot);
  const std::string parent = MergeParentPath(side1Slot, side2Slot);
  if (!WriteJournal(child, childRecord, record1)) return false;
  if (!RenameDurably(record2, parent)) {
    RemoveDurably(child);
    return false;
  }
  if (!RenameDurably(child, record1)) {
    // Side 2's record goes back first; the child is dropped only then, so that a failure
    // here leaves both journal files, which the next start undoes.
    if (RenameDurably(parent, record2)) RemoveDurably(child);
    return false;
  }
  RemoveDurably(parent);  // left over, the next start removes it: the merge is done
  return true;
}

CertificationStep CommitCertification(int slot, int skill, std::string_view record) {
  if (!IsValidSlot(slot)) return CertificationStep::Record;
  const std::string target = RecordPath(slot);
  const std::string journal = CertifyJournalPath(slot);
  if (!MayReplace(target)) return CertificationStep::Record;
  if (!WriteJournal(journal, record, target))
    return FolderRefusesChanges(errno) ? CertificationStep::Marker : CertificationStep::Record;
  if (!WriteMarker(slot, skill)) {
    RemoveDurably(journal);
    return CertificationStep::Marker;
  }
  if (!RenameDurably(journal, target)) {
    if (RemoveDurably(MarkerPath(slot))) RemoveDurably(journal);
    return CertificationStep::Record;
  }
  return CertificationStep::Done;
}

CertificationStep CommitCancellation(int slot, std::string_view record) {
  if (!IsValidSlot(slot)) return CertificationStep::Record;
  const std::string target = RecordPath(slot);
  const std::string journal = CancelJournalPath(slot);
  const std::string aside = CancelMarkerAsidePath(slot);
  // A folder named rz.txt could be set aside but never removed: refused like a failed removal.
  if (!EntryExists(MarkerPath(slot)) || EntryIsFolder(MarkerPath(slot))) return CertificationStep::Marker;
  if (!MayReplace(target)) return CertificationStep::Record;
  if (!WriteJournal(journal, record, target))
    return FolderRefusesChanges(errno) ? CertificationStep::Marker : CertificationStep::Record;
  if (!RenameDurably(MarkerPath(slot), aside)) {
    RemoveDurably(journal);
    return CertificationStep::Marker;
  }
  if (!RenameDurably(journal, target)) {
    if (RenameDurably(aside, MarkerPath(slot))) RemoveDurably(journal);
    return CertificationStep::Record;
  }
  RemoveDurably(aside);  // left over, the next start removes it: the cancellation is done
  return CertificationStep::Done;
}

void RecoverRoster() {
  RecoverMerges();
  for (int slot = 1; slot <= kSlotCount; ++slot) RecoverCertification(slot);
  RemoveStaleTemporaryFiles();
}
