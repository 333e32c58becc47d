// qxhost: the reference host. It loads the plug-in modules as the photo host
// does, lists their commands, shows a module's about box and runs a command on
// photos given on the command line.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "invoke_request.h"
#include "plugin_folder.h"
#include "plugin_module.h"
#include "ui_robot.h"

namespace {

using qx::host::PluginModule;

constexpr int kBadUse = 2;
constexpr int32_t kUntouchedFlag = -7;  // what the host puts behind resultFlag

void Usage() {
    std::fprintf(stderr,
                 "usage: qxhost [--batch] [--plugins DIR] list\n"
                 "       qxhost [--batch] [--plugins DIR] about NAME\n"
                 "       qxhost [--batch] [--plugins DIR] run NAME PHOTO...\n"
                 "  --batch    answer every dialog with OK and echo message boxes\n"
                 "  --plugins  the folder of the *.kzp modules (default: plugins\\ beside qxhost)\n");
}

std::string ModuleFile(std::string name) {
    if (name.size() < 4 || lstrcmpiA(name.c_str() + name.size() - 4, ".kzp") != 0) name += ".kzp";
    return name;
}

std::unique_ptr<PluginModule> LoadModule(const std::string& folder, const std::string& file) {
    std::string error;
    auto module = PluginModule::Load(folder + file, error);
    if (!module) std::fprintf(stderr, "qxhost: %s\n", error.c_str());
    return module;
}

std::string FileTypes(const qx::CommandInfo& command) {
    std::string types;
    for (const auto& slot : command.fileTypes) {
        if (slot[0] == '\0') continue;
        if (!types.empty()) types += ' ';
        types.append(slot, strnlen(slot, sizeof slot));
    }
    return types;
}

int List(const std::string& folder) {
    std::vector<std::string> files = qx::host::ListModules(folder);
    if (files.empty()) {
        std::fprintf(stderr, "qxhost: no *.kzp module in %s\n", folder.c_str());
        return kBadUse;
    }
    int failures = 0;
    for (const std::string& file : files) {
        auto module = LoadModule(folder, file);
        if (!module) {
            ++failures;
            continue;
        }
        module->Init(0);
        qx::PlugInInfo* info = nullptr;
        module->GetPlugInInfo(&info);
        if (info == nullptr || info->commandInfo == nullptr) {
            std::fprintf(stderr, "qxhost: %s registered no command\n", file.c_str());
            ++failures;
            continue;
        }
        const qx::CommandInfo& command = *info->commandInfo;
        std::printf("%-14s %-14s %-36s %s\n", file.c_str(), command.commandName,
                    info->description, FileTypes(command).c_str());
    }
    return failures == 0 ? 0 : 1;
}

int About(const std::string& folder, const std::string& name) {
    auto module = LoadModule(folder, ModuleFile(name));
    if (!module) return kBadUse;
    module->Init(0);
    int result = module->ShowPlugInDialog(nullptr);
    std::printf("about box closed, result %d\n", result);
    return 0;
}

int Run(const std::string& folder, const std::string& name, std::vector<std::string> photos) {
    if (photos.empty()) {
        std::fprintf(stderr, "qxhost: run needs at least one photo\n");
        return kBadUse;
    }
    auto module = LoadModule(folder, ModuleFile(name));
    if (!module) return kBadUse;
    module->Init(0);
    qx::host::HostRequest request(std::move(photos));
    int32_t resultFlag = kUntouchedFlag;
    int result = module->InvokeCommand(request.Get(), &resultFlag);
    std::printf("result %d\nresultFlag %d\n", result, resultFlag);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    bool batch = false;
    std::string pluginsArg;
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--batch") {
            batch = true;
        } else if (arg == "--plugins" && i + 1 < argc) {
            pluginsArg = argv[++i];
        } else {
            args.push_back(arg);
        }
    }
    if (args.empty()) {
        Usage();
        return kBadUse;
    }
    std::setvbuf(stdout, nullptr, _IONBF, 0);

    std::optional<qx::test::UiRobot> robot;
    if (batch) {
        robot.emplace();
        robot->OnDialog([](const qx::test::DialogRecord& box) {
            std::printf("[%s] %s\n", box.caption.c_str(), box.text.c_str());
        });
    }

    const std::string folder = qx::host::PluginFolder(pluginsArg);
    const std::string& verb = args[0];
    if (verb == "list" && args.size() == 1) return List(folder);
    if (verb == "about" && args.size() == 2) return About(folder, args[1]);
    if (verb == "run" && args.size() >= 2) {
        return Run(folder, args[1], std::vector<std::string>(args.begin() + 2, args.end()));
    }
    Usage();
    return kBadUse;
}
