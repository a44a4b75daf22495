#pragma once

#include <span>
#include <string>

#include "core/MergeSide.h"

// A merge side filled from a slot's record fields the way the merge pet picker takes a pet:
// species = field 1, aptitudes 1..5 = fields 2..6, aptitude 6 = the growth of field 7 as a
// real with 3 decimals, skills = fields 9 onward (field 8, the count, is not read).
// Fields missing from a short record read as 0; callers refuse damaged records first.
MergeSide MergeSideFromRecord(int slot, std::span<const std::string> fields);
