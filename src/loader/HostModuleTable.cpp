#include "loader/HostModuleTable.h"

#include <algorithm>

namespace {

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

}  // namespace

const HostModule* FindHostModule(const HostModuleTable& table, std::string_view name) {
  for (const HostModule& module : table) {
    if (EqualIgnoringAsciiCase(module.name, name)) return &module;
  }
  return nullptr;
}

std::uintptr_t FindHostFunction(const HostModule& module, std::string_view name) {
  if (name.empty()) return 0;
  for (const HostFunction& function : module.functions) {
    if (function.name == name) return function.address;
  }
  return 0;
}

std::uintptr_t FindHostFunction(const HostModule& module, std::uint16_t ordinal) {
  if (ordinal == 0) return 0;
  for (const HostFunction& function : module.functions) {
    if (function.ordinal == ordinal) return function.address;
  }
  return 0;
}
