#include "ui/main/CertificationLook.h"

#include "core/AppState.h"
#include "core/RosterStore.h"
#include "gfx/StoredPictures.h"

void ShowCertificationLook(AppState& app, bool certified) {
  if (certified) {
    app.certifyButtonPicture.LoadFromBytes(stored::cancelCertifyButton);
    app.certBadge.LoadFromBytes(stored::certBadge);
  } else {
    app.certifyButtonPicture.LoadFromBytes(stored::certifyButton);
    app.certBadge.LoadFromBytes(kEmptyByteConstant);
  }
}

void ShowSlotCertificationLook(AppState& app, int slot) {
  ShowCertificationLook(app, IsValidSlot(slot) && IsSlotCertified(slot));
}
