// Reading the context menu that a view tracks: its entries as the user sees them, noted from a
// watcher thread while the menu is up, which then closes it.
#pragma once

#include <windows.h>

#include <atomic>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

namespace menutest {

struct Entry {
    std::string text;   // "-" for a separator, "name >" for a submenu
    UINT id = 0;
    bool operator==(const Entry&) const = default;
};
using Entries = std::vector<Entry>;

std::ostream& operator<<(std::ostream& out, const Entry& entry);

Entries EntriesOf(HMENU popup);

// Notes the entries of the next popup menu shown (within about five seconds), then closes it, or,
// when a command is given, chooses that command's entry with the keyboard.
class TrackedMenuReader {
public:
    explicit TrackedMenuReader(UINT choice = 0);
    ~TrackedMenuReader() { Join(); }
    TrackedMenuReader(const TrackedMenuReader&) = delete;
    TrackedMenuReader& operator=(const TrackedMenuReader&) = delete;

    // The entries; one "(no menu)" entry when no menu came up.
    Entries Read();

private:
    void Watch();
    void Join() {
        if (m_thread.joinable()) m_thread.join();
    }

    UINT m_choice;
    std::atomic<bool> m_shown{false};
    Entries m_entries;
    std::thread m_thread;
};

}  // namespace menutest
