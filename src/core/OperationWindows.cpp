#include "core/OperationWindows.h"

#include "core/AppState.h"

namespace {

class NoWindows final : public OperationWindows {
public:
  void RedrawMainWindow() override {}
  void ShowCertificationLook(bool) override {}
  void OpenCertifyPicker() override {}
  void OpenPetDetailView() override {}
  void ReloadRosterPanel() override {}
  void PlaceRosterPanel() override {}
};

}  // namespace

OperationWindows& WindowsOf(AppState& app) {
  static NoWindows none;  // holds nothing: every step is empty
  return app.windows != nullptr ? *app.windows : none;
}
