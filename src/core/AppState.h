#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "core/Clock.h"
#include "core/MergeSide.h"
#include "core/Messages.h"
#include "core/OperationWindows.h"
#include "core/RandomGenerator.h"
#include "core/TabState.h"
#include "core/TableSizes.h"
#include "gfx/DrawNumber.h"
#include "gfx/ImageObject.h"
#include "gfx/LayeredCanvas.h"
#include "loader/MemoryModule.h"
#include "shared/Rect.h"

namespace platform {
class System;
class Window;
}  // namespace platform

// The one program-wide record. Handlers and operations read and write it directly.
struct AppState {
  // --- Pet data and shared values ---
  TabState tabState = TabState::None;
  int currentSlot = 0;  // 0 = no current pet (empty roster)
  int currentSpecies = 0;
  std::vector<int> currentSkills;
  SlotTable<int> slotSpecies{};  // 0 = never loaded since start
  SlotTable<AptitudeRow> slotAptitudes{};
  std::vector<int> occupiedSlots;              // ascending
  std::vector<int> skillPool;                  // scratch list of the skill roll
  int bookSkill = 0;                           // 0 = no book in the book slot
  std::vector<std::string> certifyCandidates;  // decimal texts, skill-list order
  int certifyChoice = 0;
  std::array<MergeSide, 3> mergeSide{};  // sides 1 and 2
  int mergePickSide = 0;
  std::vector<int> mergeResultSkills;
  int newPetSlot = 0;
  int rosterFollowsCurrent = 0;

  // Services: the random source, the clock that seeds it, the message boxes and the window
  // steps of the operations.
  RandomGenerator random;
  Clock* clock = nullptr;
  Messages* messages = nullptr;
  OperationWindows* windows = nullptr;

  // --- Interaction state of the pop-up windows ---
  Rect rosterStripRect{};  // y is the vertical scroll offset
  Rect rosterHighlightRect{};
  std::array<int, 2> rosterHighlightCell{};  // x, y of the current slot's cell
  SlotTable<Rect> rosterCellRects{};
  int rosterDragging = 0;
  int rosterGrabOffsetY = 0;
  int rosterPressedSlot = 0;
  int rosterHoverSlot = 0;
  std::vector<std::string> detailRecordFields = std::vector<std::string>(7);
  std::vector<double> detailAptitudes;
  std::vector<std::string> detailSkillFields;

  // Pictures, canvases and windows
  // Picture arrays are 1-based like the other fixed tables: element 0 is unused.
  platform::System* system = nullptr;
  platform::Window* mainWindow = nullptr;   // null until created and after it is destroyed
  platform::Window* rosterPanel = nullptr;  // the roster panel while it is open, else null

  // Main window
  LayeredCanvas mainCanvas;
  ImageObject mainBackgroundImage;
  Rect mainBackgroundRect{};
  ImageObject closeButtonImage;
  Rect closeButtonRect{};
  ImageObject minimizeButtonImage;
  Rect minimizeButtonRect{};
  ImageObject petPicture;
  Rect currentPetRect{};
  ImageObject washButtonImage;
  Rect washButtonRect{};
  ImageObject releaseButtonImage;
  Rect releaseButtonRect{};
  ImageObject plainPanelImage;
  Rect plainPanelRect{};
  ImageObject washPanelImage;
  Rect washPanelRect{};
  ImageObject skillGridImage;
  Rect skillGridRect{};
  std::array<ImageObject, 3 + 1> tabButtonImages;  // 1 wash, 2 merge, 3 book
  Rect tabButtonRect{};                            // scratch: the tab being drawn
  ImageObject certBadge;
  Rect certifiedMarkRect{};
  ImageObject mergePanelImage;
  Rect mergePanelRect{};
  ImageObject mergeButtonImage;
  Rect mergeButtonRect{};
  std::array<ImageObject, 2 + 1> mergeHeads;  // merge sides 1, 2
  std::array<Rect, 2 + 1> mergePetRects{};
  ImageObject bookPanelImage;
  Rect bookPanelRect{};
  ImageObject learnButtonImage;
  Rect learnButtonRect{};
  ImageObject bookIcon;
  Rect bookSkillIconRect{};
  ImageObject certifyButtonPicture;
  Rect certifyButtonRect{};
  DigitGlyphs digitImages;  // 1..10 digits 0..9, 11 the point
  std::array<ImageObject, kSkillIconCount + 1> currentSkillIcons;
  Rect currentSkillIconRect{};  // scratch: the icon being drawn
  std::array<ImageObject, kSkillIconCount + 1> mergeSkillIcons1;
  Rect mergeSkillIconRect1{};
  std::array<ImageObject, kSkillIconCount + 1> mergeSkillIcons2;
  Rect mergeSkillIconRect2{};

  // RosterPanel
  LayeredCanvas rosterCanvas;
  ImageObject rosterGridImage;
  SlotTable<ImageObject> rosterHeads;
  ImageObject rosterHighlightImage;

  // SpeciesPicker
  LayeredCanvas speciesPickerCanvas;
  ImageObject speciesPickerBackgroundImage;
  ImageObject speciesPickerHighlightImage;
  std::array<ImageObject, kSpeciesCount + 1> speciesHeadImages;
  Rect speciesPickerBackgroundRect{};
  Rect speciesPickerHighlightRect{};
  Rect speciesPickerCellRect{};

  // MergePetPicker
  LayeredCanvas mergePickerCanvas;
  ImageObject mergePickerBackgroundImage;
  ImageObject mergePickerHighlightImage;
  SlotTable<ImageObject> mergePickerHeadImages;
  Rect mergePickerBackgroundRect{};
  Rect mergePickerHighlightRect{};
  Rect mergePickerCellRect{};

  // BookSkillPicker
  LayeredCanvas bookPickerCanvas;
  ImageObject bookPickerBackgroundImage;
  ImageObject bookPickerHighlightImage;
  std::array<ImageObject, kSkillCount + 1> bookPickerSkillIcons;
  Rect bookPickerBackgroundRect{};
  Rect bookPickerHighlightRect{};
  Rect bookPickerCellRect{};

  // PetDetailView
  LayeredCanvas detailCanvas;
  ImageObject detailBackgroundImage;
  Rect detailBackgroundRect{};
  ImageObject detailCloseButtonImage;
  Rect detailCloseButtonRect{};
  ImageObject detailPetImage;
  Rect detailPetRect{};
  std::array<ImageObject, kSkillIconCount + 1> detailSkillIcons;
  Rect detailSkillIconRect{};

  // CertifyPicker
  LayeredCanvas certifyCanvas;
  ImageObject certifyBackgroundImage;
  Rect certifyBackgroundRect{};
  std::array<ImageObject, kCertifiableCount + 1> certifySkillIcons;
  std::array<Rect, kCertifiableCount + 1> certifyCellRects{};
  ImageObject certifyHighlightImage;
  Rect certifyHighlightRect{};

  // The skinning library stored in the program, mapped at start-up and never called.
  MemoryModule skinModule;
};

// Builds the one AppState with every member at its initial value. Pictures and canvases start
// empty; the windows load and bind them when they are created.
std::unique_ptr<AppState> InitAppState();

// Releases every member once (pictures, canvases, lists, the loader object) and leaves `state`
// empty; harmless when it is already empty. The skinning library, if it was mapped, stays in
// memory until the process ends. Nothing is saved: every change is already on disk.
void ReleaseAppState(std::unique_ptr<AppState>& state);

// Seeds state.random from state.clock (does nothing without a clock).
void SeedFromClock(AppState& state);
