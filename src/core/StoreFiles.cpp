#include "core/StoreFiles.h"

#include <cerrno>

// The order of a replacement is the same on every system; only its steps differ.
bool ReplaceFileAtomically(const std::string& path, std::string_view bytes) {
  if (!MayReplace(path)) return false;
  const bool exists = EntryExists(path);
  const std::string temporary = WriteTemporaryFile(path, bytes, exists ? path : std::string());
  if (temporary.empty()) {
    // A folder that takes no new file still lets a writable file be rewritten where it is.
    if (exists && (errno == EACCES || errno == EPERM)) return WriteInPlace(path, bytes);
    return false;
  }
  if (!RenameDurably(temporary, path)) {
    DiscardTemporaryFile(temporary);
    return false;
  }
  return true;
}
