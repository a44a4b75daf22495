#pragma once

#include "shared/ByteConstant.h"

// The frame, panel, button, tab and highlight pictures stored inside the program. Each is a whole
// ByteConstant blob (header + PNG bytes) made at build time from assets/<snake_case_name>.png.
// Sizes are the pictures' own; the windows stretch each one into the Rect they draw it to.
namespace stored {

// Main window frame: orange title bar with a central title banner over a beige body with a light
// border; the rounded corners outside the frame are transparent.
extern const ByteConstant mainBackground;  // 920x620
// Square beige buttons: a red cross (close), a red bar (minimise).
extern const ByteConstant closeButton;     // 50x50
extern const ByteConstant minimizeButton;  // 50x50
// Gold buttons of the wash tab.
extern const ByteConstant washButton;     // 147x55  洗炼
extern const ByteConstant releaseButton;  // 147x55  放生
// Plain beige panel behind the roster panel window.
extern const ByteConstant plainPanel;  // 424x221
// Wash values panel: beige panel over (5..412, 6..381), six labels, 96x28 value boxes at
// x 105 / 304 and y 21 / 64 / 108 of the picture; the rest is transparent.
extern const ByteConstant washPanel;  // 423x475
// Twelve brown rounded 55x54 cells, 4x3, cell (m, n) at (1 + 82m, 1 + 68n).
extern const ByteConstant skillGrid;  // 303x192
// Tab buttons 洗炼 / 合宠 / 学技能: bright = gold face, dull = beige face.
extern const ByteConstant tabWashBright, tabWashDull;    // 198x51
extern const ByteConstant tabMergeBright, tabMergeDull;  // 198x52
extern const ByteConstant tabBookBright, tabBookDull;    // 198x52
// Green corner ribbon reading 认证, laid over the first skill icon of a certified pet.
extern const ByteConstant certBadge;  // 50x43
// Merge tab: two cards with a plus cell, six labels and twelve 55x54 skill cells each, at
// (34 + 82m, 258 + 68n) and (503 + 82m, 258 + 68n); a round medallion between them.
extern const ByteConstant mergePanel;  // 846x468
// Round gold button 合成.
extern const ByteConstant mergeButton;  // 107x105
// Book tab: 88x88 plus cell with 请放入兽决, the line 学习技能有可能覆盖原技能, twelve 70x70 skill
// cells at (21 + 98m, 161 + 83n).
extern const ByteConstant bookPanel;  // 409x464
// Gold button 学习.
extern const ByteConstant learnButton;  // 99x53
// Gold certification buttons.
extern const ByteConstant certifyButton;        // 168x51  法术认证
extern const ByteConstant cancelCertifyButton;  // 168x51  认证取消
// Certification picker: two rows of four square frames around the 64x64 cells at
// (26 + 74c, 27 + 74r).
extern const ByteConstant certifyPickerBackground;  // 335x190
// Orange rounded-square border glowing inward to a transparent centre; every picker's hover frame.
extern const ByteConstant highlightFrame;  // 74x74
// Roster strip: 15 brown rounded frames, semi-transparent inside, 5x3, frame (c, r) covering
// x 84c+1..84c+70, y 83r+1..83r+70, on an almost transparent background.
extern const ByteConstant rosterGrid;  // 408x238 (roster strip)
// Species picker: light beige panel, darker border, corner ornaments (heads 66x66 at
// (32 + 88c, 18 + 78r)).
extern const ByteConstant speciesPickerBackground;  // 658x415
// Merge pet picker: light beige panel, ornamented corners, 15 brown 70x70 frames at
// (16 + 84c, 19 + 83r).
extern const ByteConstant mergePickerBackground;  // 439x272
// Skill-book picker: light beige panel, darker border, corner ornaments (icons 60x60 at
// (22 + 64c, 22 + 64r)).
extern const ByteConstant bookPickerBackground;  // 680x550
// Pet detail view: pet panel on the left, aptitude panel with heading and six labels, skill panel
// with heading and 12 brown 70x70 frames at (403 + 98c, 269 + 83r).
extern const ByteConstant detailBackground;  // 840x544
// Close button of the pet detail view.
extern const ByteConstant detailCloseButton;  // 50x50

}  // namespace stored
