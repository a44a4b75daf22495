#pragma once

#include "shared/ByteConstant.h"

class MemoryModule;

// The window-skinning library stored inside the program (made at build time).
ByteConstant StoredSkinLibrary();

// Maps the stored skinning library through `module`, without resolver or user value. True when
// it is loaded. Start-up ignores the result: nothing calls into the library. On a host that
// cannot run 32-bit x86 code the load fails, with nothing left allocated.
bool LoadStoredSkinLibrary(MemoryModule& module);
