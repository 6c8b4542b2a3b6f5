// Dragging a view's selection out of the camera.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <functional>

class CMounterNameSpaceFolder;

// Runs the drag of count items of the folder (identifiers relative to it) that the user started in
// window. A drop that the target answers as a move deletes the copied pictures from the camera and
// then calls refreshView. Answers 1 when the drag ran, 0 when it could not start.
int StartItemDrag(CMounterNameSpaceFolder* folder, UINT count, LPCITEMIDLIST* items, HWND window,
                  const std::function<void()>& refreshView);
