#include "MenuReader.h"

namespace menutest {

namespace {

constexpr int kPolls = 250;
constexpr DWORD kPollMs = 20;

}  // namespace

std::ostream& operator<<(std::ostream& out, const Entry& entry) { return out << entry.text << " " << entry.id; }

Entries EntriesOf(HMENU popup) {
    Entries entries;
    for (int i = 0; i < GetMenuItemCount(popup); ++i) {
        char text[128] = "";
        GetMenuStringA(popup, i, text, sizeof text, MF_BYPOSITION);
        HMENU submenu = GetSubMenu(popup, i);
        UINT id = submenu ? 0 : GetMenuItemID(popup, i);
        if (!submenu && !text[0]) entries.push_back({"-", 0});
        else entries.push_back({std::string(text) + (submenu ? " >" : ""), id});
    }
    return entries;
}

TrackedMenuReader::TrackedMenuReader(UINT choice) : m_choice(choice), m_thread([this] { Watch(); }) {}

void TrackedMenuReader::Watch() {
    for (int poll = 0; poll < kPolls; ++poll) {
        HWND popup = FindWindowA("#32768", nullptr);
        if (popup && IsWindowVisible(popup)) {
            m_entries = EntriesOf(reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0)));
            m_shown = true;
            // Each Down moves to the next entry that is no separator, the first to the first one.
            int downs = 0;
            for (const Entry& entry : m_entries) {
                if (entry.text != "-") ++downs;
                if (m_choice && entry.id == m_choice) {
                    for (int i = 0; i < downs; ++i) PostMessageA(popup, WM_KEYDOWN, VK_DOWN, 0);
                    PostMessageA(popup, WM_KEYDOWN, VK_RETURN, 0);
                    return;
                }
            }
            PostMessageA(popup, WM_KEYDOWN, VK_ESCAPE, 0);
            return;
        }
        Sleep(kPollMs);
    }
}

Entries TrackedMenuReader::Read() {
    Join();
    return m_shown ? m_entries : Entries{{"(no menu)", 0}};
}

}  // namespace menutest
