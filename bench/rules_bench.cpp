// Speed of the pet rules, without and with the disk.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/AppState.h"
#include "core/DataPaths.h"
#include "core/RosterStore.h"
#include "rules/Merge.h"
#include "rules/PetRoll.h"

namespace {

// A pet roll as the odds simulation runs it: draws and the record text, no disk.
void BM_RollPetFormatted(benchmark::State& run) {
  RandomGenerator random;
  random.Seed(1);
  int species = 1;
  for (auto _ : run) {
    const RolledPet pet = RollPetValues(random, species);
    std::string text = FormatRolledPet(pet);
    benchmark::DoNotOptimize(text);
    species = species % 35 + 1;
  }
}
BENCHMARK(BM_RollPetFormatted);

void BM_RollPetValues(benchmark::State& run) {
  RandomGenerator random;
  random.Seed(1);
  for (auto _ : run) {
    RolledPet pet = RollPetValues(random, 18);
    benchmark::DoNotOptimize(pet);
  }
}
BENCHMARK(BM_RollPetValues);

// A whole wash, including the atomic, flushed record write in a temporary data folder.
void BM_WashWithRecordWrite(benchmark::State& run) {
  char pattern[] = "/tmp/petsim-bench-XXXXXX";
  if (::mkdtemp(pattern) == nullptr) {
    run.SkipWithError("no temporary folder");
    return;
  }
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(pattern);
  std::filesystem::create_directories(SlotFolderPath(1));
  WriteRecord(1, "18|1248|720|3960|1728|1056|1102|1|28");
  AppState state;
  state.currentSlot = 1;
  state.currentSpecies = 18;
  state.random.Seed(1);
  for (auto _ : run) benchmark::DoNotOptimize(WashCurrentPet(state));
  std::filesystem::current_path(previous);
  std::filesystem::remove_all(pattern);
}
BENCHMARK(BM_WashWithRecordWrite)->Unit(benchmark::kMicrosecond);

void BM_MergeSkills(benchmark::State& run) {
  RandomGenerator random;
  random.Seed(1);
  const std::vector<int> list1{28, 5, 57, 12, 4}, list2{60, 35, 1, 5};
  for (auto _ : run) {
    auto picks = MergeSkills(random, list1, list2, {});
    benchmark::DoNotOptimize(picks);
  }
}
BENCHMARK(BM_MergeSkills);

void BM_DrawMergeChild(benchmark::State& run) {
  RandomGenerator random;
  random.Seed(1);
  MergeSide side1, side2;
  side1.species = 18;
  side2.species = 19;
  for (int k = 1; k <= 5; ++k) {
    side1.aptitudes[k] = 1000 + 100 * k;
    side2.aptitudes[k] = 1300 + 50 * k;
  }
  side1.skills = {28, 5, 57, 12, 4};
  side2.skills = {60, 35, 1, 5};
  for (auto _ : run) {
    MergeChild child = DrawMergeChild(random, side1, side2, {});
    benchmark::DoNotOptimize(child);
  }
}
BENCHMARK(BM_DrawMergeChild);

}  // namespace
