#pragma once

#include <filesystem>
#include <string>
#include <vector>

// The platform's part of choosing the data folder (core/posix, core/win32): where the program
// is, where a user's own data lives and where the default data folder is shipped.

// The folder of the running program; empty when it cannot be told.
std::filesystem::path ExecutableFolder();

// Where the default data folder may be, given the program's folder (which may be empty), in the
// order they are tried.
std::vector<std::filesystem::path> DefaultDataFolderCandidates(const std::filesystem::path& exeFolder);

// The folder a portable copy keeps its data in, tried after the current directory: the
// program's own folder on Windows (as the original did); empty where there is none.
std::filesystem::path PortableDataFolder();

// Why there is no per-user folder, in words naming what is missing.
std::string MissingUserFolderReason();
