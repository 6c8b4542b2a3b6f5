// The camera's commands, by code.
#pragma once

#include "Camera.h"
#include "Engine.h"

namespace pvsim {

HandlerTable makeHandlers(Camera& cam);

void addSettingCommands(HandlerTable& t, Camera& cam);
void addFileCommands(HandlerTable& t, Camera& cam);
void addPictureCommands(HandlerTable& t, Camera& cam);

}  // namespace pvsim
