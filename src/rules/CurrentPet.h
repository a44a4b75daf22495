#pragma once

#include <string_view>

#include "core/Messages.h"

struct AppState;

// Refusals for a current pet that is missing or cannot be used.
inline constexpr std::string_view kNoCurrentPetText = "当前没有宠物";
inline constexpr std::string_view kDamagedPetText = "宠物数据已损坏，无法操作";

// True when currentSlot is a slot 1..15, its record is not damaged and currentSpecies is
// 1..35; otherwise shows why and returns false. With `needRecord` the record must also
// exist (operations that copy its first fields); without, a missing record is simply
// written anew (the wash).
bool RequireUsableCurrentPet(AppState& app, bool needRecord);
