// One entry of the "Se&nd To" submenu: a shortcut of the user's Send To folder whose target is a
// folder or a program, and the map of the menu's command identifiers to the entries.
#pragma once

#include "UserObject.h"

#include <windows.h>

#include <map>
#include <memory>
#include <string>

struct CSendToItem {
    static constexpr int kFolderTarget = 0;
    static constexpr int kProgramTarget = 1;
    static constexpr int kUnknownTarget = -100;

    int type = kUnknownTarget;
    std::string target;   // path of the shortcut's target
    std::string name;     // display name of the shortcut
    pv::UniqueIcon icon;  // small icon of the target
};

// Command identifiers of the entries count up from 5000 in the order the entries were found.
using CSendToItemMap = std::map<UINT, std::unique_ptr<CSendToItem>>;

constexpr UINT kFirstSendToCommand = 5000;

inline bool IsSendToCommand(const CSendToItemMap& map, UINT command) {
    return command >= kFirstSendToCommand && command < kFirstSendToCommand + map.size();
}
