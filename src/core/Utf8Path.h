#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// Texts are UTF-8 inside the program; std::filesystem::path takes a narrow text in the system's
// code page on Windows. These go through char8_t, which means UTF-8 everywhere.

inline std::filesystem::path PathFromUtf8(std::string_view utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string Utf8FromPath(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}
