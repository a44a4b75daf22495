#pragma once

#include <string>

// Paths of the data folder, relative to the working directory (UTF-8).
// Slot and species numbers are written in decimal without leading zeros.

// "./召唤兽/数据/<slot>" — the folder of one roster slot (never created by the program).
std::string SlotFolderPath(int slot);
// "./召唤兽/数据/<slot>/Data.txt" — the pet record of a slot.
std::string RecordPath(int slot);
// "./召唤兽/数据/<slot>/rz.txt" — the certification marker of a slot.
std::string MarkerPath(int slot);
// "./召唤兽/图形/召唤兽<species>.png" — large picture of a species.
std::string PetPicturePath(int species);
// Same, from the record's field 1 as stored (some windows build the path from the text).
std::string PetPicturePath(const std::string& speciesText);
// "./召唤兽/头像/召唤兽<species>.png" — head picture of a species.
std::string HeadPicturePath(int species);
std::string HeadPicturePath(const std::string& speciesText);
// "./召唤兽/技能/技能<skill>.png" — icon of a skill.
std::string SkillIconPath(int skill);
