// The helper as an uninstaller runs it: a stand-in shell window of class "progman", the helper copied
// into a folder of its own beside a stand-in "explorer.exe" (found first when the helper restarts the
// shell), and a stand-in uninstall command that records how it was started.
#include "UniqueHandle.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

std::string ModuleFolder() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\'));
}

std::string WindowsFolder() {
    char path[MAX_PATH] = "";
    GetWindowsDirectoryA(path, sizeof path);
    return path;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// One line of the stand-ins' log: who ran, with which command line, in which folder.
struct StandInRun {
    std::string name, commandLine, directory;
};

class UninstallRun : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH] = "";
        GetTempPathA(sizeof temp, temp);
        static int serial = 0;
        folder = std::string(temp) + "pvuninst test " + std::to_string(GetCurrentProcessId()) + "." +
                 std::to_string(++serial);
        tools = folder + "\\Uninstall Tools";
        CreateDirectoryA(folder.c_str(), nullptr);
        CreateDirectoryA(tools.c_str(), nullptr);
        Copy("pvuninst.exe", folder + "\\pvuninst.exe");
        Copy("uninst_recorder.exe", folder + "\\explorer.exe");
        Copy("uninst_recorder.exe", tools + "\\uninstall.exe");
        SetEnvironmentVariableA("PV_UNINST_TEST_DIR", folder.c_str());
    }
    void TearDown() override {
        for (const char* name : {"\\pvuninst.exe", "\\explorer.exe", "\\log.txt", "\\ready", "\\quit"})
            DeleteFileA((folder + name).c_str());
        DeleteFileA((tools + "\\uninstall.exe").c_str());
        RemoveDirectoryA(tools.c_str());
        RemoveDirectoryA(folder.c_str());
        SetEnvironmentVariableA("PV_UNINST_DELAY_uninstall", nullptr);
    }

    void Copy(const char* from, const std::string& to) {
        ASSERT_TRUE(CopyFileA((ModuleFolder() + "\\" + from).c_str(), to.c_str(), FALSE)) << to;
    }

    // The stand-in shell, running until the helper's WM_QUIT (or for ever with "stubborn").
    pv::UniqueHandle StartShell(const char* mode) {
        std::string line = "\"" + ModuleFolder() + "\\uninst_fakeshell.exe\" " + mode;
        pv::UniqueHandle process = Start(line);
        for (int i = 0; i < 200 && !Exists(folder + "\\ready"); ++i) Sleep(25);
        EXPECT_TRUE(Exists(folder + "\\ready"));
        return process;
    }

    pv::UniqueHandle Start(std::string line) {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
            ADD_FAILURE() << "cannot start " << line;
            return {};
        }
        pv::UniqueHandle thread(info.hThread);
        return pv::UniqueHandle(info.hProcess);
    }

    // Runs the helper with the given tail and answers its exit code (-1 when it did not end in 20 s).
    long RunHelper(const std::string& tail) {
        pv::UniqueHandle helper = Start("\"" + folder + "\\pvuninst.exe\" " + tail);
        if (!helper) return -1;
        if (WaitForSingleObject(helper.get(), 20000) != WAIT_OBJECT_0) {
            TerminateProcess(helper.get(), 99);
            return -1;
        }
        DWORD code = 0;
        GetExitCodeProcess(helper.get(), &code);
        return static_cast<long>(code);
    }

    // The log once it holds the given number of runs, or after 5 s: the shell is started last and not
    // waited for.
    std::vector<StandInRun> RunsOnceThere(size_t expected) {
        std::vector<StandInRun> runs = Runs();
        for (int i = 0; i < 100 && runs.size() < expected; ++i) {
            Sleep(50);
            runs = Runs();
        }
        return runs;
    }

    std::vector<StandInRun> Runs() {
        std::istringstream log(ReadAll(folder + "\\log.txt"));
        std::vector<StandInRun> runs;
        StandInRun run;
        while (std::getline(log, run.name) && std::getline(log, run.commandLine) && std::getline(log, run.directory))
            runs.push_back(run);
        return runs;
    }

    std::string folder, tools;
};

TEST_F(UninstallRun, StopsTheShellRunsTheCommandToItsEndThenRestartsTheShell) {
    pv::UniqueHandle shell = StartShell("");
    SetEnvironmentVariableA("PV_UNINST_DELAY_uninstall", "1500");
    std::string command = "\"" + tools + "\\uninstall.exe\" -y  \"two  spaces\"\t/x";

    EXPECT_EQ(RunHelper(command), 0);

    EXPECT_EQ(WaitForSingleObject(shell.get(), 0), WAIT_OBJECT_0) << "the shell's loop must have ended";
    EXPECT_TRUE(Exists(folder + "\\quit"));
    std::vector<StandInRun> runs = RunsOnceThere(2);
    ASSERT_EQ(runs.size(), 2u);
    // The command first, started exactly as given and in the Windows directory; the shell only
    // after the command has ended (it slept 1.5 s before writing its line).
    EXPECT_EQ(runs[0].name, "uninstall");
    EXPECT_EQ(runs[0].commandLine, command);
    EXPECT_EQ(CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, runs[0].directory.c_str(), -1,
                             WindowsFolder().c_str(), -1), CSTR_EQUAL) << runs[0].directory;
    EXPECT_EQ(runs[1].name, "explorer");
}

TEST_F(UninstallRun, WithNoCommandOnlyStopsAndRestartsTheShell) {
    pv::UniqueHandle shell = StartShell("");
    EXPECT_EQ(RunHelper(""), 0);
    EXPECT_TRUE(Exists(folder + "\\quit"));
    std::vector<StandInRun> runs = RunsOnceThere(1);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].name, "explorer");
}

TEST_F(UninstallRun, ACommandThatCannotStartStillRestartsTheShell) {
    pv::UniqueHandle shell = StartShell("");
    EXPECT_EQ(RunHelper("\"" + tools + "\\absent.exe\" /u"), 0);
    std::vector<StandInRun> runs = RunsOnceThere(1);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].name, "explorer");
}

// The message box of a shell that would not stop: its texts are read back and its OK pressed.
struct AnsweredBox {
    std::string caption, text;
    bool seen = false;
};

void AnswerShellNotStopped(AnsweredBox& box) {
    for (int i = 0; i < 400 && !box.seen; ++i) {
        HWND dialog = FindWindowA("#32770", "Orvik PV240 Uninstall");
        if (dialog && IsWindowVisible(dialog)) {
            char text[512] = "";
            GetDlgItemTextA(dialog, 0xFFFF, text, sizeof text);
            box.caption = "Orvik PV240 Uninstall";
            box.text = text;
            box.seen = true;
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        }
        Sleep(50);
    }
}

TEST_F(UninstallRun, AShellThatComesBackGetsTheMessageAndNothingRuns) {
    pv::UniqueHandle shell = StartShell("stubborn");
    AnsweredBox box;
    std::thread watcher(AnswerShellNotStopped, std::ref(box));
    long code = RunHelper("\"" + tools + "\\uninstall.exe\"");
    watcher.join();
    TerminateProcess(shell.get(), 0);

    EXPECT_EQ(code, 0);
    ASSERT_TRUE(box.seen);
    EXPECT_EQ(box.text, "Explorer was not stopped.\nExit all applications and try to uninstall again.");
    Sleep(1000);
    EXPECT_TRUE(Runs().empty()) << "neither the command nor the shell may be started";
}

}  // namespace
