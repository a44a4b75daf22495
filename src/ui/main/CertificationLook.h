#pragma once

struct AppState;

// The main window's certification pictures: certified gives the certify button its cancel
// picture (认证取消) and shows the badge; otherwise the certify picture and no badge.
// Draws nothing; the caller redraws.
void ShowCertificationLook(AppState& app, bool certified);

// The same for the pet of `slot`: certified when its rz.txt exists. No slot (0) counts as not
// certified.
void ShowSlotCertificationLook(AppState& app, int slot);
