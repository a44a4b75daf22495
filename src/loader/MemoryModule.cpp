#include "loader/MemoryModule.h"

#include <utility>

#include "loader/KernelServices.h"
#include "loader/MapImage.h"

// Copies share one Mapping, so that unloading through one copy is seen by all of them instead of
// leaving the others with the address of released memory.
struct MemoryModule::Mapping {
  MappedImage image;  // base nullptr once unloaded
};

MemoryModule::MemoryModule(KernelServices services)
    : services_(std::make_shared<const KernelServices>(std::move(services))) {}

bool MemoryModule::IsLoaded() const { return mapping_ && mapping_->image.base != nullptr; }

bool MemoryModule::Load(std::span<const std::uint8_t> image, ImportResolver resolver, std::uintptr_t userValue) {
  if (IsLoaded()) Unload();
  mapping_.reset();
  if (!services_) services_ = std::make_shared<const KernelServices>(HostKernelServices());
  const std::optional<MappedImage> mapped = MapImage(image, *services_, resolver, userValue);
  if (!mapped) return false;
  mapping_ = std::make_shared<Mapping>(Mapping{*mapped});
  return true;
}

bool MemoryModule::Unload() {
  if (!IsLoaded()) {
    mapping_.reset();
    return true;
  }
  if (!FreeImage(mapping_->image, *services_)) return false;
  mapping_->image = {};
  mapping_.reset();
  return true;
}

std::uintptr_t MemoryModule::FindExport(std::string_view name) const {
  return IsLoaded() ? FindImageExport(mapping_->image, name) : 0;
}

std::uintptr_t MemoryModule::EntryPoint() const { return IsLoaded() ? ImageEntryPoint(mapping_->image) : 0; }

std::uintptr_t MemoryModule::BaseAddress() const {
  return IsLoaded() ? reinterpret_cast<std::uintptr_t>(mapping_->image.base) : 0;
}
