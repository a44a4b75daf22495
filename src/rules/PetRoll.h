#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/RandomGenerator.h"
#include "core/SpeciesCatalogue.h"

struct AppState;

inline constexpr std::string_view kSaveFailedText = "数据保存失败！";

// One newly drawn pet, before it is stored anywhere.
struct RolledPet {
  int species = 0;
  std::array<int, 5> aptitudes{};  // attack, defence, stamina, magic, speed
  int growth = 0;                  // thousandths
  RolledSkills skills;
};

// The draws of the pet roll, over any generator: aptitudes 1..5 and the growth, each
// uniform over the species range, then RollSpeciesSkills. Touches no state and no file,
// so an odds simulation can call it on a generator of its own. species must be 1..35.
RolledPet RollPetValues(RandomGenerator& random, int species);

// The record text of a rolled pet.
std::string FormatRolledPet(const RolledPet& pet);

struct PetRollResult {
  std::vector<int> skills;  // the rolled skill list
  bool written = false;     // the record reached the disk
};

// Rolls a pet of `species` with app.random, stores its aptitudes and growth in
// slotAptitudes[slot] and writes it as the slot's record ("数据保存失败！" on failure;
// the values stay in memory). slot 1..15, species 1..35.
PetRollResult RollPet(AppState& app, int slot, int species);

// The wash: rolls the current pet anew; currentSkills becomes the rolled list. Refuses
// (with a message, nothing drawn) when there is no usable current pet. True when rolled.
bool WashCurrentPet(AppState& app);

// A new pet of `species` in newPetSlot; the current pet is unchanged. Refuses when
// newPetSlot or species is out of range, or newPetSlot already holds a pet. True when rolled.
bool CreatePet(AppState& app, int species);
