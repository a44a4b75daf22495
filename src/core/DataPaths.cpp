#include "core/DataPaths.h"

namespace {
const std::string kSlotRoot = "./召唤兽/数据/";
const std::string kPetPictures = "./召唤兽/图形/召唤兽";
const std::string kHeadPictures = "./召唤兽/头像/召唤兽";
const std::string kSkillIcons = "./召唤兽/技能/技能";
}  // namespace

std::string SlotFolderPath(int slot) { return kSlotRoot + std::to_string(slot); }
std::string RecordPath(int slot) { return SlotFolderPath(slot) + "/Data.txt"; }
std::string MarkerPath(int slot) { return SlotFolderPath(slot) + "/rz.txt"; }
std::string PetPicturePath(int species) { return PetPicturePath(std::to_string(species)); }
std::string PetPicturePath(const std::string& speciesText) { return kPetPictures + speciesText + ".png"; }
std::string HeadPicturePath(int species) { return HeadPicturePath(std::to_string(species)); }
std::string HeadPicturePath(const std::string& speciesText) { return kHeadPictures + speciesText + ".png"; }
std::string SkillIconPath(int skill) { return kSkillIcons + std::to_string(skill) + ".png"; }
