#include "app/win32/ProgramConsole.h"

#include <windows.h>

#include <cstdio>

namespace {
bool Leads(DWORD which) {
  const HANDLE handle = GetStdHandle(which);
  return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetFileType(handle) != FILE_TYPE_UNKNOWN;
}
}  // namespace

bool AttachToStartingConsole() {
  if (Leads(STD_OUTPUT_HANDLE) && Leads(STD_ERROR_HANDLE)) return true;
  if (!AttachConsole(ATTACH_PARENT_PROCESS)) return Leads(STD_OUTPUT_HANDLE) || Leads(STD_ERROR_HANDLE);
  // The console's screen takes UTF-8, as every text of the program is.
  SetConsoleOutputCP(CP_UTF8);
  if (!Leads(STD_OUTPUT_HANDLE)) std::freopen("CONOUT$", "w", stdout);
  if (!Leads(STD_ERROR_HANDLE)) std::freopen("CONOUT$", "w", stderr);
  return true;
}
