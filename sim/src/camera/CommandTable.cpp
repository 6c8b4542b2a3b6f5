#include "CommandTable.h"

namespace pvsim {

HandlerTable makeHandlers(Camera& cam) {
    HandlerTable t;
    addSettingCommands(t, cam);
    addFileCommands(t, cam);
    addPictureCommands(t, cam);
    return t;
}

}  // namespace pvsim
