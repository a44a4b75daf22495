#include "platform/headless/ShotFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "platform/UniqueFd.h"

namespace {

cairo_status_t WriteToFd(void* closure, const unsigned char* data, unsigned int length) {
  const int fd = *static_cast<int*>(closure);
  while (length > 0) {
    const ssize_t done = ::write(fd, data, length);
    if (done < 0 && errno == EINTR) continue;
    if (done <= 0) return CAIRO_STATUS_WRITE_ERROR;
    data += done;
    length -= static_cast<unsigned int>(done);
  }
  return CAIRO_STATUS_SUCCESS;
}

// Why `part` (in the folder `at`) could not be opened; a link is named as such, whatever error
// the refusal to follow it gave.
std::string Why(int at, const std::string& part) {
  const int error = errno;
  struct stat info {};
  if (::fstatat(at, part.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(info.st_mode)) {
    return part + " is a link";
  }
  return part + ": " + std::strerror(error);
}

}  // namespace

std::string WritePngBelow(int folder, std::string_view relative, cairo_surface_t* surface) {
  if (relative.empty() || relative.front() == '/') return "not a relative path";
  std::vector<std::string> parts;
  for (std::string_view rest = relative; !rest.empty();) {
    const std::size_t slash = rest.find('/');
    const std::string_view part = rest.substr(0, slash);
    if (part == "..") return "`..` leads out of the folder";
    if (!part.empty() && part != ".") parts.emplace_back(part);
    rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
  }
  if (parts.empty() || relative.back() == '/') return "no file name";

  UniqueFd held;
  int at = folder;
  for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
    const int next = ::openat(at, parts[i].c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (next < 0) return Why(at, parts[i]);
    held.Reset(next);
    at = next;
  }
  // Not truncated before its type is known; non-blocking so that a FIFO cannot hang the run.
  UniqueFd file(::openat(at, parts.back().c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666));
  if (!file.Valid()) return Why(at, parts.back());
  struct stat info {};
  if (::fstat(file.Get(), &info) != 0) return Why(at, parts.back());
  if (!S_ISREG(info.st_mode)) return parts.back() + " is not a regular file";
  // A hard link would make the write land on a file that also lives elsewhere.
  if (info.st_nlink > 1) return parts.back() + " has other names (hard links)";
  if (::ftruncate(file.Get(), 0) != 0) return Why(at, parts.back());
  int fd = file.Get();
  if (cairo_surface_write_to_png_stream(surface, WriteToFd, &fd) != CAIRO_STATUS_SUCCESS) {
    return "the picture could not be written";
  }
  return {};
}
