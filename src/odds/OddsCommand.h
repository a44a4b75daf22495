#pragma once

// `petsim odds ...`: what a wash, a merge or a skill book will give, computed
// from the working folder's records without changing them.
// argv holds the words after "odds"; returns the process exit status.
int RunOddsCommand(int argc, char** argv);
