// Send To and Open With under test: shortcuts in the prefix's Send To folder, the program that
// notes its command line, and a driver for the picture menu of the thumbnail view that walks into
// its "Se&nd To" submenu, notes what it shows and chooses an entry.
#pragma once

#include "ThumbViewFixture.h"

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace viewtest {

// The test program started by Send To and Open With, and the record of its last start.
std::string RecorderPath();
std::string RecorderRecord();
// The record's command line, waited for while messages are pumped (at most about 20 seconds);
// the record is removed; "" when none came.
std::string AwaitRecordedCommandLine();

// Shortcuts made in the user's Send To folder for the test's life.
class SendToShortcuts {
public:
    SendToShortcuts() = default;
    ~SendToShortcuts();
    SendToShortcuts(const SendToShortcuts&) = delete;
    SendToShortcuts& operator=(const SendToShortcuts&) = delete;

    // Makes "<name>.lnk" pointing at target; false when the shell refused.
    bool Add(const std::string& name, const std::string& target);

private:
    std::vector<std::string> m_files;
};

// One entry of the Send To submenu as the menu holds it.
struct SendToEntry {
    UINT id = 0;
    std::string name;
    int type = -1;
    bool ownerDrawn = false;
};

// Drives the context menu that the test's thread tracks next: opens its third entry's submenu,
// notes the entries, saves a screenshot when a name is given, runs beforeChoice, then chooses the
// entry whose name begins with choice (none: the menu is closed).
class SendToMenuDriver {
public:
    SendToMenuDriver(std::string choice, std::string screenshot = "", std::function<void()> beforeChoice = {});
    ~SendToMenuDriver() { Join(); }
    SendToMenuDriver(const SendToMenuDriver&) = delete;
    SendToMenuDriver& operator=(const SendToMenuDriver&) = delete;

    std::vector<SendToEntry> Entries() {
        Join();
        return m_entries;
    }
    bool SubmenuShown() {
        Join();
        return m_submenuShown;
    }

private:
    void Drive();
    void Join() {
        if (m_thread.joinable()) m_thread.join();
    }

    std::string m_choice;
    std::string m_screenshot;
    std::function<void()> m_beforeChoice;
    std::vector<SendToEntry> m_entries;
    std::atomic<bool> m_submenuShown{false};
    std::thread m_thread;
};

class SendToTest : public ThumbViewTest {
protected:
    void SetUp() override;
    void TearDown() override;
    void RightClickCell(int n);
    // A click on a cell and the double-click that follows it.
    void DoubleClickCell(int n);
    // The menu key: the context menu of the remembered cell, the selection kept.
    void MenuKey();
    // Whether a local file holds exactly the bytes of a picture of the card.
    bool SameAsCard(const std::string& picture, const std::string& local) const;

    std::string area;          // the temporary area
    std::string targetFolder;  // a folder that a shortcut leads to
    SendToShortcuts shortcuts;
};

}  // namespace viewtest
