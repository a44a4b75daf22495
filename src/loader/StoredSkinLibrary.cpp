#include "loader/StoredSkinLibrary.h"

#include "loader/MemoryModule.h"

bool LoadStoredSkinLibrary(MemoryModule& module) { return module.Load(ByteConstantPayload(StoredSkinLibrary())); }
