#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "loader/KernelServices.h"
#include "loader/MemoryModule.h"

// The work behind MemoryModule, on one mapped image.

struct MappedImage {
  std::uint8_t* base = nullptr;
  std::size_t size = 0;
};

// Maps an image: header checks, reservation, headers and sections, relocations, imports, entry
// point with process attach. nullopt on any failure, with nothing left allocated.
std::optional<MappedImage> MapImage(std::span<const std::uint8_t> data, const KernelServices& services,
                                    MemoryModule::ImportResolver resolver, std::uintptr_t userValue);

// Calls a library's entry point with process detach and releases the memory. False, with the
// memory kept, when the headers at the base are no longer "MZ"/"PE"; else the release's result.
bool FreeImage(const MappedImage& image, const KernelServices& services);

// The export of that name or decimal ordinal, as an address inside the image; 0 when none.
std::uintptr_t FindImageExport(const MappedImage& image, std::string_view name);

// Base plus the entry point RVA of the headers at the base; 0 when they are not "MZ"/"PE".
std::uintptr_t ImageEntryPoint(const MappedImage& image);
