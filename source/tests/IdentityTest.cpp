// The source's identity before any open, with the language and country of the Windows
// installation as the Windows directory's progman.exe tells them.
#include "SourceSession.h"
#include "UniqueModule.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string WindowsFile(const char* name) {
    char directory[MAX_PATH] = {};
    GetWindowsDirectoryA(directory, MAX_PATH);
    return std::string(directory) + "\\" + name;
}

std::string ProgramFolderFile(const char* name) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string program = path;
    return program.substr(0, program.find_last_of('\\') + 1) + name;
}

// Puts a stand-in progman.exe (or none) in the Windows directory for the test, and takes it away.
class ProgmanInPlace {
public:
    explicit ProgmanInPlace(const char* standIn) {
        DeleteFileA(WindowsFile("progman.exe").c_str());
        if (standIn) placed_ = CopyFileA(ProgramFolderFile(standIn).c_str(), WindowsFile("progman.exe").c_str(), FALSE);
    }
    ~ProgmanInPlace() { DeleteFileA(WindowsFile("progman.exe").c_str()); }
    bool placed() const { return placed_; }

private:
    bool placed_ = false;
};

// The identity a freshly loaded source answers.
TW_IDENTITY FreshIdentity() {
    pv::UniqueModule module = pv::UniqueModule::load(sourcetest::InstalledSourcePath().c_str());
    auto entry = module.proc<DSENTRYPROC>("DS_Entry");
    TW_IDENTITY identity{};
    identity.Id = 0x5A5A;
    EXPECT_NE(nullptr, entry);
    if (entry) {
        EXPECT_EQ(TWRC_SUCCESS, entry(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GET, &identity));
    }
    return identity;
}

}  // namespace

TEST(SourceIdentity, BeforeAnyOpen) {
    ASSERT_TRUE(sourcetest::InstallSource());
    ProgmanInPlace none(nullptr);
    TW_IDENTITY identity = FreshIdentity();
    EXPECT_EQ(0u, identity.Id);
    EXPECT_EQ(1, identity.Version.MajorNum);
    EXPECT_EQ(0, identity.Version.MinorNum);
    EXPECT_EQ(TWLG_USA, identity.Version.Language);
    EXPECT_EQ(TWCY_USA, identity.Version.Country);
    EXPECT_STREQ("Version 2.0.1 March 2th, 1998", identity.Version.Info);
    EXPECT_EQ(1, identity.ProtocolMajor);
    EXPECT_EQ(6, identity.ProtocolMinor);
#ifdef _WIN64
    EXPECT_EQ(DG_CONTROL | DG_IMAGE | DF_DS2, identity.SupportedGroups);
#else
    EXPECT_EQ(DG_CONTROL | DG_IMAGE, identity.SupportedGroups);
#endif
    EXPECT_STREQ("Brisway Orvik Company", identity.Manufacturer);
    EXPECT_STREQ("TWAIN32", identity.ProductFamily);
    EXPECT_STREQ("ORVIK PV350/PV360 Zoom Acquire", identity.ProductName);
}

TEST(SourceIdentity, LanguageFromTheInstallationsProgman) {
    ASSERT_TRUE(sourcetest::InstallSource());
    struct Expected {
        const char* standIn;
        TW_UINT16 language, country;
    };
    for (Expected e : {Expected{"progman_de.exe", TWLG_GERMAN, TWCY_GERMANY},
                       {"progman_gb.exe", TWLG_ENGLISH, TWCY_BRITAIN}, {"progman_fr.exe", TWLG_FRENCH, TWCY_FRANCE},
                       {"progman_it.exe", TWLG_ITALIAN, TWCY_ITALY}, {"progman_nl.exe", TWLG_USA, TWCY_USA},
                       {"progman_none.exe", TWLG_USA, TWCY_USA}}) {
        ProgmanInPlace progman(e.standIn);
        ASSERT_TRUE(progman.placed()) << e.standIn;
        TW_IDENTITY identity = FreshIdentity();
        EXPECT_EQ(e.language, identity.Version.Language) << e.standIn;
        EXPECT_EQ(e.country, identity.Version.Country) << e.standIn;
    }
}
