// Fuzz target: the record reader as the program uses it. Each input becomes the Data.txt of
// slot 1 in a scratch data folder, which LoadSlot brings into the roster tables. Besides the
// sanitizers' reports, the traps below check what callers rely on: a loaded pet has a species
// of the table and one skill per field after the eighth; a damaged record leaves nothing a later
// step could take for a pet; the splitter gives back the text it was given.

#include <fcntl.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "core/AppState.h"
#include "core/LoadSlot.h"
#include "core/PetRecord.h"
#include "core/RosterStore.h"

namespace {

void Require(bool condition) {
  if (!condition) __builtin_trap();
}

std::filesystem::path scratch;

void RemoveScratch() {
  std::error_code ignored;
  std::filesystem::remove_all(scratch, ignored);
}

// A new file each time: truncating or renaming over a file makes some file systems write it out
// at once, which slowed the runs fiftyfold.
void WriteRecordFile(const std::uint8_t* data, std::size_t size) {
  const char* path = "召唤兽/数据/1/Data.txt";
  ::unlink(path);
  const int fd = ::open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  Require(fd >= 0);
  for (std::size_t done = 0; done < size;) {
    const ssize_t n = ::write(fd, data + done, size - done);
    Require(n > 0);
    done += static_cast<std::size_t>(n);
  }
  ::close(fd);
}

// The pieces joined by "|" are the text up to its first zero byte, less a separator that ended it.
void CheckSplit(std::string_view text) {
  if (const auto zero = text.find('\0'); zero != std::string_view::npos) text = text.substr(0, zero);
  const auto fields = SplitRecord(text);
  std::string joined;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) joined += '|';
    joined += fields[i];
  }
  Require(joined == text || joined + '|' == text);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  char pattern[] = "records-fuzz-XXXXXX";
  Require(::mkdtemp(pattern) != nullptr);
  scratch = std::filesystem::absolute(pattern);
  std::filesystem::create_directories(scratch / "召唤兽" / "数据" / "1");
  Require(::chdir(scratch.c_str()) == 0);
  std::atexit(RemoveScratch);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CheckSplit(std::string_view(reinterpret_cast<const char*>(data), size));

  WriteRecordFile(data, size);
  static const std::unique_ptr<AppState> state = std::make_unique<AppState>();
  state->currentSkills = {1, 2, 3};  // what a previous pet left
  const SlotLoad result = LoadSlot(*state, 1);
  Require(result != SlotLoad::Free);
  if (result == SlotLoad::Loaded) {
    const auto fields = ReadRecordFields(1);
    Require(state->slotSpecies[1] >= 1 && state->slotSpecies[1] <= kSpeciesCount);
    Require(fields.size() >= static_cast<std::size_t>(kRecordFixedFields));
    Require(state->currentSkills.size() == fields.size() - kRecordFixedFields);
  } else {
    Require(state->slotSpecies[1] == 0 && state->currentSkills.empty());
    for (int k = 1; k <= 6; ++k) Require(state->slotAptitudes[1][k] == 0.0);
  }
  Require(LoadSlot(*state, 0) == SlotLoad::Free && LoadSlot(*state, 16) == SlotLoad::Free);
  return 0;
}
