#include "loader/KernelServices.h"

std::optional<std::uint32_t> CallX86EntryPoint(std::uintptr_t address, std::uint32_t module, std::uint32_t reason,
                                               std::uint32_t reserved) {
#if defined(__i386__)
  using EntryRoutine = std::uint32_t(__attribute__((stdcall))*)(std::uint32_t, std::uint32_t, std::uint32_t);
  const auto routine = reinterpret_cast<EntryRoutine>(address);
  return routine(module, reason, reserved);
#else
  // The image's code is 32-bit x86; jumping into it from any other build would crash.
  (void)address;
  (void)module;
  (void)reason;
  (void)reserved;
  return std::nullopt;
#endif
}
