#pragma once

#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <string>

// Appends to `bytes` what `fd` gives until its end or until `bytes` holds `limit` bytes; a read
// that a signal cut short is tried again. False on a read error (errno says which).
inline bool ReadUpTo(int fd, std::size_t limit, std::string& bytes) {
  char buffer[65536];
  while (bytes.size() < limit) {
    const std::size_t room = limit - bytes.size();
    const ssize_t got = ::read(fd, buffer, room < sizeof buffer ? room : sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return false;
    if (got == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
  return true;
}
