#pragma once

#include <functional>
#include <string_view>

// The rules by which the merge pet picker refuses a pet, shared with `petsim odds merge`.

inline constexpr std::string_view kAlreadyOnOtherSideText = "不能重复选择";
inline constexpr std::string_view kCancelCertificationFirstText = "请先取消认证";

enum class MergePickRefusal {
  None,
  OnOtherSide,  // the pet is on the other merge side already
  Certified,    // a certified pet is not merged
};

// Whether the pet of `slot` may go onto a merge side whose other side holds `otherSideSlot`
// (0: none), in the picker's order: the other side first, then the certification, which is
// asked (`isCertified(slot)`) only when the first rule lets the pet pass.
MergePickRefusal CheckMergePick(int slot, int otherSideSlot, const std::function<bool(int slot)>& isCertified);

// The message of a refusal; empty for None.
std::string_view MergePickRefusalText(MergePickRefusal refusal);
