#pragma once

// petsim.exe is a window program: started from Explorer it opens no console. Started from a
// console, what it prints goes there (or wherever its output was redirected).

// Connects standard output and error to the console of the program that started this one,
// unless they already lead somewhere (a file, a pipe). True when they lead somewhere now.
bool AttachToStartingConsole();
