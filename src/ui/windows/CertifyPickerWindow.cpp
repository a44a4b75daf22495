#include <utility>

#include "core/AppState.h"
#include "rules/CertifyPicker.h"
#include "ui/main/CertificationLook.h"
#include "ui/main/RedrawMainWindow.h"
#include "ui/windows/PopupWindow.h"
#include "ui/windows/Popups.h"

void OpenCertifyPicker(AppState& state) {
  // A pick certifies at once; the main window then shows the cancel picture and the badge.
  CertificationHooks hooks;
  hooks.openPicker = [&state] { OpenCertifyPicker(state); };
  hooks.showCertification = [&state](bool certified) {
    ShowCertificationLook(state, certified);
    RedrawMainWindow(state);
  };
  OpenPopup(state, CertifyPickerForm(state, std::move(hooks)));
}
