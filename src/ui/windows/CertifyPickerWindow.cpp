#include "core/AppState.h"
#include "rules/CertifyPicker.h"
#include "ui/windows/PopupWindow.h"
#include "ui/windows/Popups.h"

void OpenCertifyPicker(AppState& app) { OpenPopup(app, CertifyPickerForm(app)); }
