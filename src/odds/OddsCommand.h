#pragma once

#include <string>
#include <vector>

#include "odds/OddsOptions.h"

// `petsim odds ...`: what a wash, a merge or a skill book will give, computed from the data
// folder's records without changing them.
// argv holds the words after "odds"; returns the process exit status.
int RunOddsCommand(int argc, char** argv);

// The same on given words and streams (what RunOddsCommand runs with the real ones).
int RunOdds(const std::vector<std::string>& args, OddsIo& io);
