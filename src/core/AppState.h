#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "core/Clock.h"
#include "core/Messages.h"
#include "core/OperationWindows.h"
#include "core/RandomGenerator.h"
#include "core/Rect.h"
#include "core/TabState.h"
#include "gfx/ImageObject.h"
#include "gfx/LayeredCanvas.h"
#include "loader/MemoryModule.h"
#include "platform/System.h"
#include "platform/Window.h"

// Sizes of the fixed tables. Fixed tables are 1-based: entry 0 is unused, so a table of
// n entries is a std::array of n + 1. Lists are std::vector (list entry k is element k-1).
inline constexpr int kSlotCount = 15;      // roster slots 1..15
inline constexpr int kSpeciesCount = 35;   // species 1..35
inline constexpr int kSkillCount = 79;     // skills 1..79
inline constexpr int kAptitudeCount = 6;   // 1 attack .. 5 speed, 6 growth
inline constexpr int kGlyphCount = 11;     // digit glyphs 0..9 and the decimal point
inline constexpr int kSkillIconCount = 15; // icons one skill list can show
inline constexpr int kCertifiableCount = 8; // skills 71..78

// Aptitudes 1..5 (whole numbers held as reals) and growth at 6 (e.g. 1.013).
using AptitudeRow = std::array<double, kAptitudeCount + 1>;

template <typename T>
using SlotTable = std::array<T, kSlotCount + 1>;  // indexed by slot 1..15

// One side of the merge tab.
struct MergeSide {
  int species = 0;                   // 0 = side empty
  int slot = 0;                      // slot the pet came from; 0 = none
  std::array<double, 8> aptitudes{}; // 1..5 aptitudes, 6 growth, 7 unused
  std::vector<int> skills;
};

// The one program-wide record. Handlers and operations read and write it directly.
struct AppState {
  // --- Pet data and shared values ---
  TabState tabState = TabState::None;
  int currentSlot = 0;     // 0 = no current pet (empty roster)
  int currentSpecies = 0;
  std::vector<int> currentSkills;
  SlotTable<int> slotSpecies{};          // 0 = never loaded since start
  SlotTable<AptitudeRow> slotAptitudes{};
  std::vector<int> occupiedSlots;        // ascending
  std::vector<int> skillPool;            // scratch list of the skill roll
  int bookSkill = 0;                     // 0 = no book in the book slot
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
  Rect rosterStripRect{};       // y is the vertical scroll offset
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
  std::array<ImageObject, kGlyphCount + 1> digitImages;  // 1..10 digits 0..9, 11 the point
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
