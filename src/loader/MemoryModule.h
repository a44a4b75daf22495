#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

struct KernelServices;

// Maps a 32-bit Windows DLL image from bytes in memory into memory that may hold code, without
// writing it to disk: checks the headers, copies headers and sections, applies base relocations,
// resolves imports, runs the entry point; later looks up exports and unloads the image. The image
// bytes are untrusted: every table is checked against the image before it is read or written.
class MemoryModule {
public:
  // Called once per imported function with the library's name, the function's name (for an
  // import by ordinal: the ordinal written in decimal) and the user value given to Load. Returns
  // the function's address, or 0 to fall back to the host's module table.
  using ImportResolver = std::uintptr_t (*)(const char* library, const char* function, std::uintptr_t userValue);

  // Nothing loaded; uses this host's kernel services.
  MemoryModule() = default;
  // Nothing loaded; uses the given services (tests count memory and stand in for image code).
  explicit MemoryModule(KernelServices services);

  // Destroying does nothing: a loaded image stays mapped until the process ends.
  ~MemoryModule() = default;
  // A copy refers to the same image; once either copy unloads it, both report nothing loaded.
  MemoryModule(const MemoryModule&) = default;
  MemoryModule& operator=(const MemoryModule&) = default;

  // Unloads any loaded image, then maps this one. True when an image is loaded afterwards; on
  // failure nothing of the new image stays allocated and BaseAddress() is 0.
  bool Load(std::span<const std::uint8_t> image, ImportResolver resolver = nullptr, std::uintptr_t userValue = 0);

  // Calls a library's entry point with process detach and releases the memory. True when
  // nothing is loaded afterwards; false (image kept) when its headers are no longer valid or the
  // memory could not be released.
  bool Unload();

  // The address of the export of that name (case-sensitive), or of that ordinal when the name
  // is a number written in decimal; 0 when there is none.
  std::uintptr_t FindExport(std::string_view name) const;

  // Base address plus entry point RVA; 0 when nothing is loaded.
  std::uintptr_t EntryPoint() const;

  // Where the image is mapped; 0 when nothing is loaded.
  std::uintptr_t BaseAddress() const;

private:
  struct Mapping;
  bool IsLoaded() const;

  std::shared_ptr<const KernelServices> services_;  // nullptr until first needed: the host's
  std::shared_ptr<Mapping> mapping_;                // shared by copies; nullptr: nothing loaded
};
