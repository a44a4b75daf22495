#pragma once

#include <cerrno>

// Keeps errno across clean-up calls that may change it.
class SavedErrno {
public:
  SavedErrno() : saved_(errno) {}
  ~SavedErrno() { errno = saved_; }
  SavedErrno(const SavedErrno&) = delete;
  SavedErrno& operator=(const SavedErrno&) = delete;

private:
  int saved_;
};
