#pragma once

#include <cstdint>
#include <vector>

// Our own stand-in for the window-skinning library stored inside the program: a 32-bit DLL
// whose entry point returns TRUE and that does nothing else. The program only maps it.
std::vector<std::uint8_t> BuildStoredSkinLibraryImage();
