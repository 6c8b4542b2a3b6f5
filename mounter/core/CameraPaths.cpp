#include "CameraPaths.h"

#include "MounterItemId.h"
#include "MounterMessages.h"
#include "MounterResources.h"

namespace mounter {

std::string CardPath() { return LoadText(IDS_CARD_PATH); }

std::string MemoryPath(DWORD memoryType) { return memoryType == MntCameraMemory ? "\\MEMORY" : CardPath(); }

}  // namespace mounter
