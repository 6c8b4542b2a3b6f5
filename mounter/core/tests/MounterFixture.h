// A camera simulator on COM1 with a fresh card image, the Mounter's settings pointing at it, and the
// Mounter registered in the test's Wine prefix so that the shell can reach the camera folder.
#pragma once

#include "ComPtr.h"
#include "MounterItemId.h"
#include "PeerClient.h"
#include "TaskMemory.h"
#include "RegistryFixture.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <memory>
#include <string>
#include <vector>

constexpr int kCom = 1;

// An identifier list the shell handed out, and an interface pointer, each released with its scope.
using Pidl = pv::TaskMemory<ITEMIDLIST>;
template <typename T>
using ComPtr = pv::ComPtr<T>;

class MounterCameraTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The simulator's command-line arguments.
    virtual std::string SimulatorArguments() const { return "--no-throttle"; }
    std::string Sim(const std::string& command) { return sim->command(command); }
    std::string CardPath(const std::string& relative) const;
    // The whole of a file of the card image.
    std::string CardFile(const std::string& relative) const;

    pvtest::ScopedLinkKey key;
    pvtest::PeerClient peer;
    std::unique_ptr<pvtest::PeerClient> sim;
    std::string card;
};

// The camera folder as the shell finds it: the junction under My Computer, bound from the desktop.
void BindCameraFolder(IShellFolder** folder, Pidl* absolute);
// The items of a folder's enumeration with the given flags.
std::vector<Pidl> Enumerate(IShellFolder* folder, SHCONTF flags);
// The name of an item as GetDisplayNameOf answers it ("<hr>" on failure).
std::string DisplayName(IShellFolder* folder, LPCITEMIDLIST item, SHGDNF flags);
// The child of a folder with the given display name (null when none).
Pidl FindChild(IShellFolder* folder, const std::string& name, SHCONTF flags);
// pvmount.dll of the test's build tree, loaded once; registered in the prefix on first use.
HMODULE MounterModule();
// The whole of a local file.
std::string ReadLocalFile(const std::string& path);
