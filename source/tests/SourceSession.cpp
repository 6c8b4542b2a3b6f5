#include "SourceSession.h"

#include "GlobalMemory.h"

#include <cstring>

namespace sourcetest {
namespace {

std::string SourceFolder() {
    char directory[MAX_PATH] = {};
    GetWindowsDirectoryA(directory, MAX_PATH);
    return std::string(directory) + (sizeof(void*) == 8 ? "\\twain_64" : "\\twain_32");
}

std::string ProgramFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string program = path;
    return program.substr(0, program.find_last_of('\\'));
}

}  // namespace

std::string InstalledSourcePath() { return SourceFolder() + "\\ORVIK\\pvsource.ds"; }

bool InstallSource() {
    CreateDirectoryA(SourceFolder().c_str(), nullptr);
    CreateDirectoryA((SourceFolder() + "\\ORVIK").c_str(), nullptr);
    return CopyFileA((ProgramFolder() + "\\pvsource.ds").c_str(), InstalledSourcePath().c_str(), FALSE) != FALSE;
}

HGLOBAL Container(const void* bytes, size_t size) {
    pv::GlobalBlock block = pv::GlobalBlock::alloc(GHND, size);
    pv::LockedGlobal locked(block.get());
    if (locked) std::memcpy(locked.data(), bytes, size);
    return block.release();
}

HGLOBAL OneValue(TW_UINT16 itemType, uint32_t item) {
    TW_ONEVALUE one{itemType, item};
    return Container(&one, sizeof one);
}

SourceSession::SourceSession() {
    InstallSource();
    app.OpenManager();
}

bool SourceSession::Open() { return app.OpenSource(kProductName) == TWRC_SUCCESS; }

int SourceSession::Probe() {
    TW_STATUS status{};
    TW_CAPABILITY reset{CAP_XFERCOUNT, TWON_DONTCARE16, nullptr};
    int state;
    TW_PENDINGXFERS pending{};
    TW_UINT32 group = 0;
    if (Send(DG_CONTROL, DAT_CAPABILITY, MSG_RESET, &reset) == TWRC_SUCCESS) {
        pv::GlobalBlock answered(reset.hContainer);
        state = 1;
    } else if (Send(DG_CONTROL, DAT_PENDINGXFERS, MSG_RESET, &pending) == TWRC_SUCCESS) {
        state = 3;
    } else if (Send(DG_CONTROL, DAT_XFERGROUP, MSG_GET, &group) == TWRC_SUCCESS) {
        state = 2;
    } else {
        state = Send(DG_CONTROL, DAT_STATUS, MSG_GET, &status) == TWRC_SUCCESS ? 4 : 0;
    }
    Send(DG_CONTROL, DAT_STATUS, MSG_GET, &status);
    return state;
}

bool SourceSession::GoTo(int state) {
    int now = Probe();
    if (now == state) return true;
    if (now >= 2) {
        TW_USERINTERFACE ui{};
        Send(DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &ui);
    }
    if (state == 0) {
        app.CloseSource();
    } else if (Probe() == 0 && !Open()) {
        return false;
    }
    if (state >= 2) {
        TW_USERINTERFACE ui{TW_BOOL(state == 2), FALSE, app.window()};
        Send(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui);
    }
    app.TakeNotifications();
    return Probe() == state;
}

DSENTRYPROC SourceSession::DirectEntry() const {
    return reinterpret_cast<DSENTRYPROC>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("pvsource.ds"), "DS_Entry")));
}

}  // namespace sourcetest
