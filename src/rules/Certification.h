#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/RandomGenerator.h"
#include "shared/Rect.h"

struct AppState;

inline constexpr std::string_view kCancelCertifyQuestion = "确定取消认证吗？";
inline constexpr std::string_view kCancelCertifyFailedText = "取消认证失败";
inline constexpr std::string_view kCancelCertifyDoneText = "成功取消认证";
inline constexpr std::string_view kCancelCertifySaveFailedText = "数据保存失败";
inline constexpr std::string_view kNoCertifiableSkillText =
    "必须拥有‘雷击’‘落岩’‘水攻’‘烈火’‘奔雷咒’‘泰山压顶’‘水漫金山’‘地狱烈火’技能的宠物才可以被认证";
inline constexpr std::string_view kMarkerWriteFailedText = "未知错误102！";
inline constexpr std::string_view kCertifyRecordFailedText = "未知错误101！";

// What the window layer does for certification; empty functions are skipped.
struct CertificationHooks {
  // Opens CertifyPicker modally over the main window; a pick there sets certifyChoice and
  // calls CertifySkill. Runs after certifyCandidates has been filled.
  std::function<void()> openPicker;
  // Switches the main window's certification look and redraws it: certified = true gives
  // the cancel picture and the badge, false the certify picture and no badge.
  std::function<void(bool certified)> showCertification;
};

// The certification bonus draw: RandomInt(1, 100) <= 50 gives 13, otherwise 11.
int DrawCertificationBonus(RandomGenerator& random);

// The skills of `skills` that can be certified, in list order, as decimal texts.
std::vector<std::string> FindCertifyCandidates(const std::vector<int>& skills);

// Click on the certify button: cancels a certification (asked first, "提示") or fills
// certifyCandidates and opens the picker; refuses without a usable current pet. A
// cancellation removes rz.txt and rewrites the record without the first skill as one step
// (CommitCancellation); when it fails ("取消认证失败" for the marker, "数据保存失败" for the
// record) nothing changes, on disk or in currentSkills.
void ToggleCertification(AppState& state, const CertificationHooks& hooks);

// Certifies certifyChoice for the current pet: moves it to the front, appends the bonus
// skill, writes rz.txt and the record (first seven fields as stored) as one step
// (CommitCertification). When it fails ("未知错误102！" for the marker, "未知错误101！" for
// the record) nothing changes, on disk or in currentSkills. Does nothing when certifyChoice
// is not among currentSkills.
void CertifySkill(AppState& state, const CertificationHooks& hooks);

// CertifyPicker geometry: candidate i (1..8) in column (i-1) mod 4, row (i-1) / 4.
Rect CertifyCellRect(int i);
Rect CertifyHighlightRect(int i);
// The candidate 1..count whose cell holds (x, y) strictly inside; 0 outside every cell.
int CertifyCellAt(int x, int y, int count);
