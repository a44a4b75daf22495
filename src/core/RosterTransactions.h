#pragma once

#include <string_view>

// Operations that change two files of the roster, all or nothing. Each first puts what it
// will write, complete and flushed, beside its target under a journal name, then changes the
// files in an order in which the journal files left at any instant say how far it got.
// RecoverRoster, run at start-up, finishes or undoes what a killed program left, so that the
// roster is always in the state before or the state after the operation:
//
//   merge of slot A (side 1) and B (side 2):
//     1. A/.petsim-merge-child-of.B    the child's record
//     2. B/Data.txt -> B/.petsim-merge-parent-into.A
//     3. A/.petsim-merge-child-of.B -> A/Data.txt            (done from here on)
//     4. remove B/.petsim-merge-parent-into.A
//     Both journal files: undo (B's record back). Only the child: undo. Only the parent: done.
//   certification of slot S:
//     1. S/.petsim-certify.Data.txt    the new record
//     2. S/rz.txt written
//     3. S/.petsim-certify.Data.txt -> S/Data.txt             (done from here on)
//     Journal with rz.txt: finish. Journal without: undo.
//   cancellation of slot S:
//     1. S/.petsim-cancel.Data.txt     the new record
//     2. S/rz.txt -> S/.petsim-cancel.rz.txt
//     3. S/.petsim-cancel.Data.txt -> S/Data.txt              (done from here on)
//     4. remove S/.petsim-cancel.rz.txt
//     Journal with the set-aside marker: finish. Journal alone: undo. Marker alone: done.
//
// A failure while the program runs is undone at once; when the undoing fails as well, the
// journal files stay and the next start settles them by the same rules.

// The child's record replaces side 1's record and side 2's record goes; false when nothing
// changed. Refused when side 1's record is read-only or not a regular file.
bool CommitMerge(int side1Slot, int side2Slot, std::string_view childRecord);

enum class CertificationStep {
  Done,
  Marker,  // rz.txt could not be written (certify) or removed (cancel), or the slot folder takes
           // no new file (permissions) so that it could not have been; nothing changed
  Record,  // the new record could not be written; nothing changed
};

// Certifies the slot's pet: writes rz.txt with the skill and the new record.
CertificationStep CommitCertification(int slot, int skill, std::string_view record);
// Cancels the certification: removes rz.txt and writes the new record.
CertificationStep CommitCancellation(int slot, std::string_view record);

// Settles every operation a killed program left half done (rules above), then removes the
// temporary files of programs no longer running. Run at start-up, with the data folder locked.
void RecoverRoster();
