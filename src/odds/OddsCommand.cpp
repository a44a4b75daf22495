#include "odds/OddsCommand.h"

#include <cstdio>

int RunOddsCommand(int argc, char** argv)
{
    (void)argc;
    (void)argv;
    std::fputs("petsim odds: not available yet\n", stderr);
    return 2;
}
