#pragma once

#include "platform/WindowForm.h"
#include "rules/Certification.h"

struct AppState;

// The certification picker: the icons of app.certifyCandidates in two rows of four. A left
// click on one certifies it for the current pet (CertifySkill) and closes; a right click closes
// without a choice. The window layer opens the form modally (OpenCertifyPicker).

inline constexpr int kCertifyPickerWidth = 335;
inline constexpr int kCertifyPickerHeight = 190;

// The picker's window definition, form name "certify".
platform::WindowForm CertifyPickerForm(AppState& app);

void DrawCertifyPicker(AppState& app);
