#pragma once

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

// The certification bonus draw: RandomInt(1, 100) <= 50 gives 13, otherwise 11.
int DrawCertificationBonus(RandomGenerator& random);

// The skills of `skills` that can be certified, in list order, as decimal texts.
std::vector<std::string> FindCertifyCandidates(const std::vector<int>& skills);

// Click on the certify button: cancels a certification (asked first, "提示") or fills
// certifyCandidates and opens the certification picker; refuses without a usable current pet.
// A cancellation removes rz.txt and rewrites the record without the first skill as one step
// (CommitCancellation), then shows the certify look, redraws and reports "成功取消认证"; when it
// fails ("取消认证失败" for the marker, "数据保存失败" for the record) nothing changes, on disk
// or in currentSkills.
void ToggleCertification(AppState& app);

// Certifies certifyChoice for the current pet: moves it to the front, appends the bonus
// skill, writes rz.txt and the record (first seven fields as stored) as one step
// (CommitCertification). When it fails ("未知错误102！" for the marker, "未知错误101！" for
// the record) nothing changes, on disk or in currentSkills. Does nothing when certifyChoice
// is not among currentSkills. Once saved, the main window shows the cancel picture and the
// badge.
void CertifySkill(AppState& app);

// CertifyPicker geometry: candidate i (1..8) in column (i-1) mod 4, row (i-1) / 4.
Rect CertifyCellRect(int i);
Rect CertifyHighlightRect(int i);
// The candidate 1..count whose cell holds (x, y) strictly inside; 0 outside every cell.
int CertifyCellAt(int x, int y, int count);
