#include <windows.h>

#include "loader/KernelServices.h"

KernelServices HostKernelServices() {
  KernelServices services;
  services.allocate = [](std::uintptr_t address, std::size_t size) -> std::uint8_t* {
    if (size == 0) return nullptr;
    // At `address` or nowhere: VirtualAlloc fails when the range is in use.
    void* got = VirtualAlloc(reinterpret_cast<void*>(address), size, MEM_RESERVE | MEM_COMMIT, PAGE_EXECUTE_READWRITE);
    if (got != nullptr && address != 0 && reinterpret_cast<std::uintptr_t>(got) != address) {
      VirtualFree(got, 0, MEM_RELEASE);
      return nullptr;
    }
    return static_cast<std::uint8_t*>(got);
  };
  services.release = [](std::uint8_t* base, std::size_t) { return VirtualFree(base, 0, MEM_RELEASE) != 0; };
  // The libraries loaded here stay loaded: the image may call into them until the process ends.
  services.systemImport = [](const std::string& library, const std::string& function,
                             std::uint16_t ordinal) -> std::uintptr_t {
    if (ordinal == 0 && function.empty()) return 0;
    HMODULE module = LoadLibraryA(library.c_str());
    if (module == nullptr) return 0;
    const FARPROC found =
        ordinal != 0 ? GetProcAddress(module, MAKEINTRESOURCEA(ordinal)) : GetProcAddress(module, function.c_str());
    return reinterpret_cast<std::uintptr_t>(found);
  };
  services.callEntryPoint = CallX86EntryPoint;
  return services;
}
