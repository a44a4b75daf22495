#include <charconv>

#include "core/StoreFiles.h"

std::string FolderOf(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// ".petsim-tmp.<target>.<pid>.<count>": the second-to-last dotted part.
long TemporaryFileWriter(std::string_view name) {
  const auto last = name.rfind('.');
  if (last == std::string_view::npos || last == 0) return 0;
  const auto before = name.rfind('.', last - 1);
  if (before == std::string_view::npos) return 0;
  const std::string_view digits = name.substr(before + 1, last - before - 1);
  long pid = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), pid);
  return error == std::errc() && end == digits.data() + digits.size() ? pid : 0;
}
