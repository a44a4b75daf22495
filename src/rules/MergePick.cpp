#include "rules/MergePick.h"

MergePickRefusal CheckMergePick(int slot, int otherSideSlot, const std::function<bool(int slot)>& isCertified) {
  if (slot == otherSideSlot) return MergePickRefusal::OnOtherSide;
  if (isCertified(slot)) return MergePickRefusal::Certified;
  return MergePickRefusal::None;
}

std::string_view MergePickRefusalText(MergePickRefusal refusal) {
  switch (refusal) {
    case MergePickRefusal::OnOtherSide:
      return kAlreadyOnOtherSideText;
    case MergePickRefusal::Certified:
      return kCancelCertificationFirstText;
    case MergePickRefusal::None:
      break;
  }
  return {};
}
