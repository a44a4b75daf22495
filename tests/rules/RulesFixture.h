#pragma once

#include <string>
#include <vector>

#include "core/AppState.h"
#include "core/Clock.h"
#include "core/DataFolderFixture.h"
#include "core/DataPaths.h"
#include "core/PetRecord.h"

// A data folder plus an AppState wired to a recording message sink and a fixed clock.
class RulesTest : public DataFolderTest {
protected:
  void SetUp() override {
    DataFolderTest::SetUp();
    state.clock = &clock;
    state.messages = &messages;
    state.random.Seed(12345);
  }
  // Writes a record and makes it the current pet, as the roster panel would.
  void MakeCurrent(int slot, const std::string& record) {
    WriteFile(RecordPath(slot), record);
    state.currentSlot = slot;
    const auto fields = SplitRecord(record);
    state.currentSpecies = ParseRecordNumber(fields.at(0));
    state.currentSkills.clear();
    for (std::size_t j = 8; j < fields.size(); ++j) state.currentSkills.push_back(ParseRecordNumber(fields[j]));
  }
  static std::vector<int> SkillsOf(const std::vector<std::string>& fields) {
    std::vector<int> skills;
    for (std::size_t j = 8; j < fields.size(); ++j) skills.push_back(ParseRecordNumber(fields[j]));
    return skills;
  }

  FixedClock clock{4242};
  RecordingMessages messages;
  AppState state;
};
