// qxhost as a user runs it: a separate process, its console output, its exit code.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

#include "plugin_folder.h"

namespace {

struct Outcome {
    DWORD exitCode = 0;
    std::string output;
};

struct OwnedHandle {
    HANDLE h = nullptr;
    ~OwnedHandle() {
        if (h != nullptr && h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
};

std::string BinFolder() {
    std::string plugins = qx::host::PluginFolder("");
    return plugins.substr(0, plugins.size() - std::string("plugins\\").size());
}

// Runs qxhost with `arguments`, collecting stdout and stderr; bounded.
Outcome RunHost(const std::string& arguments) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    OwnedHandle read, write;
    EXPECT_TRUE(CreatePipe(&read.h, &write.h, &inherit, 0));
    SetHandleInformation(read.h, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = write.h;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    std::string command = "\"" + BinFolder() + "qxhost.exe\" " + arguments;
    PROCESS_INFORMATION process{};
    Outcome outcome;
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &process)) {
        ADD_FAILURE() << "cannot start " << command;
        return outcome;
    }
    OwnedHandle processHandle{process.hProcess}, threadHandle{process.hThread};
    CloseHandle(write.h);
    write.h = nullptr;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(read.h, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        outcome.output.append(buffer, got);
    }
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 60000), WAIT_OBJECT_0) << command;
    GetExitCodeProcess(process.hProcess, &outcome.exitCode);
    return outcome;
}

TEST(Host, ListShowsTheCommandOfEveryModule) {
    Outcome list = RunHost("--batch list");
    EXPECT_EQ(list.exitCode, 0u) << list.output;
    for (const char* line : {"email.kzp", "Email Photos", "Email selected photos", "web.kzp",
                             "Web Upload", "print.kzp", "Print Photos", "rotate.kzp",
                             "Rotate Photos", "swiftpage.kzp", "Swiftpage", "JPG BMP TIF FPX"}) {
        EXPECT_NE(list.output.find(line), std::string::npos) << line << " in\n" << list.output;
    }
}

TEST(Host, RunHandsEveryPathThroughTheHostsArray) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string log = std::string(temp) + "qx-probe.log";
    DeleteFileA(log.c_str());
    SetEnvironmentVariableA("QX_PROBE_LOG", log.c_str());
    Outcome run = RunHost("--plugins \"" + BinFolder() +
                          "probe\" run probe C:\\a.jpg \"C:\\with space\\b.tif\" D:\\c.bmp");
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_NE(run.output.find("result 7"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("resultFlag 42"), std::string::npos) << run.output;
    std::ifstream in(log, std::ios::binary);
    std::stringstream seen;
    seen << in.rdbuf();
    EXPECT_EQ(seen.str(), "count 3\nC:\\a.jpg\nC:\\with space\\b.tif\nD:\\c.bmp\nflag -7\n");
    DeleteFileA(log.c_str());
}

TEST(Host, BadUseSaysWhyAndFails) {
    struct Case {
        const char* arguments;
        const char* says;
    } cases[] = {
        {"run nosuch C:\\a.jpg", "cannot load"},
        {"run email", "at least one photo"},
        {"about", "usage"},
        {"--plugins C:\\no\\such\\folder list", "no *.kzp module"},
    };
    for (const Case& c : cases) {
        Outcome outcome = RunHost(c.arguments);
        EXPECT_EQ(outcome.exitCode, 2u) << c.arguments;
        EXPECT_NE(outcome.output.find(c.says), std::string::npos)
            << c.arguments << " said:\n" << outcome.output;
    }
}

}  // namespace
