// How the Open and Explore commands browse into a memory or an album: by the class of the window
// that shows the view and the user's cabinet setting for opening folders in new windows.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

// The flags for IShellBrowser::BrowseObject. newWindowMode is absent when the "CabinetState"
// setting is missing, ownerClass when the owner's class cannot be read.
UINT BrowseFlagsOf(bool explore, std::optional<bool> newWindowMode, const std::optional<std::string>& ownerClass);

// The same from the registry of the current user and the owner window.
UINT BrowseFlagsFor(bool explore, HWND owner);
