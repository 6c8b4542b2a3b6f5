// The tests' TWAIN source manager, loaded as TWAIN_32.DLL (with the DLL override twain_32=n): it
// behaves as the standard says for one application. It finds the sources in the Windows
// directory's twain_32 (twain_64 for 64-bit) folder, opens one at a time, passes the application's
// triplets on to it, and takes the source's notifications, which it posts to the application's
// window and keeps for the test.
#include "GlobalMemory.h"
#include "TestDsmHooks.h"
#include "UniqueModule.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr TW_UINT32 kApplicationId = 1;
constexpr TW_UINT32 kFirstSourceId = 100;

struct FoundSource {
    std::string path;
    TW_IDENTITY identity;
};

struct OpenSource {
    pv::UniqueModule module;
    DSENTRYPROC entry = nullptr;
    TW_IDENTITY identity{};
};

struct Manager {
    bool open = false;
    HWND window = nullptr;
    TW_IDENTITY application{};
    std::vector<FoundSource> sources;
    size_t next = 0;
    OpenSource source;
    TW_UINT16 conditionCode = TWCC_SUCCESS;
    int callDepth = 0;
    std::vector<TestDsmNotification> notifications;
    TW_UINT16 answer = TWRC_SUCCESS;
    bool entryPoints = false;
    int allocations = 0;
    int locks = 0;
};

Manager& State() {
    static Manager manager;
    return manager;
}

std::string SourceFolder() {
    char directory[MAX_PATH] = {};
    GetWindowsDirectoryA(directory, MAX_PATH);
    return std::string(directory) + (sizeof(void*) == 8 ? "\\twain_64" : "\\twain_32");
}

pv::UniqueModule LoadSource(const std::string& path) {
    // A source's own libraries may lie beside it, or beside the application.
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    SetCurrentDirectoryA(path.substr(0, path.find_last_of('\\')).c_str());
    pv::UniqueModule module(LoadLibraryA(path.c_str()));
    SetCurrentDirectoryA(previous);
    return module;
}

void Scan(const std::string& folder, std::vector<FoundSource>* found) {
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        std::string name = entry.cFileName, path = folder + "\\" + name;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (name != "." && name != "..") Scan(path, found);
            continue;
        }
        if (name.size() < 3 || _stricmp(name.c_str() + name.size() - 3, ".ds") != 0) continue;
        pv::UniqueModule module = LoadSource(path);
        auto dsEntry = module.proc<DSENTRYPROC>("DS_Entry");
        TW_IDENTITY identity{};
        if (dsEntry && dsEntry(&State().application, DG_CONTROL, DAT_IDENTITY, MSG_GET, &identity) == TWRC_SUCCESS)
            found->push_back({path, identity});
    } while (FindNextFileA(search, &entry));
    FindClose(search);
}

TW_UINT16 Fail(TW_UINT16 condition) {
    State().conditionCode = condition;
    return TWRC_FAILURE;
}

TW_HANDLE WINAPI MemAllocate(TW_UINT32 size) {
    ++State().allocations;
    return GlobalAlloc(GHND, size);
}
void WINAPI MemFree(TW_HANDLE handle) { pv::GlobalBlock owned(static_cast<HGLOBAL>(handle)); }
TW_MEMREF WINAPI MemLock(TW_HANDLE handle) {
    ++State().locks;
    return GlobalLock(static_cast<HGLOBAL>(handle));
}
void WINAPI MemUnlock(TW_HANDLE handle) { GlobalUnlock(static_cast<HGLOBAL>(handle)); }

TW_UINT16 Notified(TW_IDENTITY* origin, TW_UINT16 message, bool viaEntryPoint) {
    Manager& m = State();
    if (!origin || origin->Id != m.source.identity.Id || !m.source.entry) return Fail(TWCC_BADDEST);
    m.notifications.push_back({message, TW_UINT16(m.callDepth > 0), TW_UINT16(viaEntryPoint), 0});
    // The application's loop wakes up and asks the source about its events.
    if (m.window) PostMessageA(m.window, WM_NULL, 0, 0);
    return m.answer;
}

TW_UINT16 WINAPI EntryPointDsm(TW_IDENTITY* origin, TW_IDENTITY*, TW_UINT32 group, TW_UINT16 dat, TW_UINT16 message,
                               TW_MEMREF) {
    if (group != DG_CONTROL || dat != DAT_NULL) return Fail(TWCC_BADPROTOCOL);
    return Notified(origin, message, true);
}

TW_UINT16 OpenSourceNamed(TW_IDENTITY* wanted) {
    Manager& m = State();
    if (m.source.entry) return Fail(TWCC_MAXCONNECTIONS);
    // An application may name the source it wants without listing the sources first.
    if (m.sources.empty()) Scan(SourceFolder(), &m.sources);
    for (size_t i = 0; i < m.sources.size(); ++i) {
        const FoundSource& found = m.sources[i];
        if (wanted->ProductName[0] && std::strcmp(wanted->ProductName, found.identity.ProductName) != 0) continue;
        OpenSource source;
        source.module = LoadSource(found.path);
        source.entry = source.module.proc<DSENTRYPROC>("DS_Entry");
        if (!source.entry) return Fail(TWCC_NODS);
        *wanted = found.identity;
        wanted->Id = kFirstSourceId + TW_UINT32(i);
        source.identity = *wanted;
        if (m.entryPoints) {
            TW_ENTRYPOINT points{sizeof(TW_ENTRYPOINT), EntryPointDsm, MemAllocate, MemFree, MemLock, MemUnlock};
            source.entry(&m.application, DG_CONTROL, DAT_ENTRYPOINT, MSG_SET, &points);
        }
        m.source = std::move(source);
        ++m.callDepth;
        TW_UINT16 result = m.source.entry(&m.application, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, wanted);
        --m.callDepth;
        if (result != TWRC_SUCCESS) m.source = {};
        return result;
    }
    return Fail(TWCC_NODS);
}

TW_UINT16 CloseSource(TW_IDENTITY* which) {
    Manager& m = State();
    if (!m.source.entry || (which && which->Id != m.source.identity.Id)) return Fail(TWCC_NODS);
    TW_UINT16 result = m.source.entry(&m.application, DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, which);
    if (result == TWRC_SUCCESS) m.source = {};
    return result;
}

TW_UINT16 NextSource(TW_IDENTITY* identity, bool first) {
    Manager& m = State();
    if (first) {
        m.sources.clear();
        Scan(SourceFolder(), &m.sources);
        m.next = 0;
    }
    if (m.next >= m.sources.size()) return TWRC_ENDOFLIST;
    *identity = m.sources[m.next].identity;
    identity->Id = kFirstSourceId + TW_UINT32(m.next);
    ++m.next;
    return TWRC_SUCCESS;
}

// Triplets for the manager itself (no destination).
TW_UINT16 ManagerTriplet(TW_IDENTITY* origin, TW_UINT16 dat, TW_UINT16 message, TW_MEMREF pData) {
    Manager& m = State();
    if (dat == DAT_PARENT && message == MSG_OPENDSM) {
        if (!origin || !pData) return Fail(TWCC_BADVALUE);
        origin->Id = kApplicationId;
        m.application = *origin;
        m.window = *static_cast<HWND*>(pData);
        m.open = true;
        return TWRC_SUCCESS;
    }
    if (!m.open) return Fail(TWCC_SEQERROR);
    if (dat == DAT_PARENT && message == MSG_CLOSEDSM) {
        if (m.source.entry) return Fail(TWCC_SEQERROR);
        m.open = false;
        m.window = nullptr;
        return TWRC_SUCCESS;
    }
    if (dat == DAT_STATUS && message == MSG_GET) {
        *static_cast<TW_STATUS*>(pData) = {m.conditionCode, 0};
        m.conditionCode = TWCC_SUCCESS;
        return TWRC_SUCCESS;
    }
    if (dat != DAT_IDENTITY) return Fail(TWCC_BADPROTOCOL);
    auto identity = static_cast<TW_IDENTITY*>(pData);
    switch (message) {
    case MSG_GETFIRST: return NextSource(identity, true);
    case MSG_GETNEXT: return NextSource(identity, false);
    case MSG_GETDEFAULT:
    case MSG_USERSELECT: {
        // No chooser: the first source found is the default.
        TW_UINT16 result = NextSource(identity, true);
        return result == TWRC_SUCCESS ? result : Fail(TWCC_NODS);
    }
    case MSG_OPENDS: return OpenSourceNamed(identity);
    case MSG_CLOSEDS: return CloseSource(identity);
    }
    return Fail(TWCC_BADPROTOCOL);
}

}  // namespace

extern "C" {

TW_UINT16 WINAPI DSM_Entry(TW_IDENTITY* pOrigin, TW_IDENTITY* pDest, TW_UINT32 DG, TW_UINT16 DAT, TW_UINT16 MSG,
                           TW_MEMREF pData) {
    Manager& m = State();
    // A source speaking to its application.
    if (DG == DG_CONTROL && DAT == DAT_NULL) return Notified(pOrigin, MSG, false);
    if (!pDest) return ManagerTriplet(pOrigin, DAT, MSG, pData);
    if (!m.source.entry || pDest->Id != m.source.identity.Id) return Fail(TWCC_BADDEST);
    ++m.callDepth;
    TW_UINT16 result = m.source.entry(pOrigin, DG, DAT, MSG, pData);
    --m.callDepth;
    return result;
}

int TestDsmTakeNotifications(TestDsmNotification* notifications, int most) {
    Manager& m = State();
    int count = 0;
    for (; count < most && count < int(m.notifications.size()); ++count) notifications[count] = m.notifications[size_t(count)];
    m.notifications.erase(m.notifications.begin(), m.notifications.begin() + count);
    return count;
}

void TestDsmSetAnswer(TW_UINT16 answer) { State().answer = answer; }

void TestDsmUseEntryPoints(int on) { State().entryPoints = on != 0; }

void TestDsmMemoryCalls(int* allocations, int* locks) {
    *allocations = State().allocations;
    *locks = State().locks;
}

}  // extern "C"
