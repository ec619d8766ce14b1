#include "MacroControl.h"

#include "word/Engine.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace quillmark::testing {

namespace fs = std::filesystem;

namespace {

constexpr const char* kProgramDir = "/usr/lib/libreoffice/program";

constexpr const char* kLowMacroSecurity = R"(<?xml version="1.0" encoding="UTF-8"?>
<oor:items xmlns:oor="http://openoffice.org/2001/registry" xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">
<item oor:path="/org.openoffice.Office.Common/Security/Scripting"><prop oor:name="MacroSecurityLevel" oor:op="fuse"><value>0</value></prop></item>
<item oor:path="/org.openoffice.Office.Common/Security/Scripting"><prop oor:name="DisableMacrosExecution" oor:op="fuse"><value>false</value></prop></item>
</oor:items>
)";

}  // namespace

bool officeRunsBasic() {
    std::ifstream services(std::string(kProgramDir) + "/services/services.rdb", std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(services)), {});
    return text.find("ScriptProviderForBasic") != std::string::npos;
}

namespace {

// Opens `document` in an office of its own whose profile holds `settings`.
bool happensInAnOffice(const std::string& document, const std::string& settings, const std::function<bool()>& happened,
                       const std::string& scratch, std::chrono::seconds bound) {
    const fs::path profile = fs::path(scratch) / "control-profile";
    fs::remove_all(profile);
    fs::create_directories(profile / "user");
    fs::create_directories(profile / "tmp");
    if (!settings.empty()) std::ofstream(profile / "user" / "registrymodifications.xcu") << settings;
    const std::string installation = "-env:UserInstallation=file://" + profile.string();
    const std::string program = std::string(kProgramDir) + "/soffice";

    const pid_t pid = fork();
    if (pid == 0) {
        setpgid(0, 0);  // the launcher and the office it starts end together
        setenv("TMPDIR", (profile / "tmp").c_str(), 1);  // its temporary files go with the profile
        execl(program.c_str(), program.c_str(), "--headless", "--norestore", "--nologo", installation.c_str(),
              document.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    setpgid(pid, pid);
    const auto deadline = std::chrono::steady_clock::now() + bound;
    bool held = false;
    while (!(held = happened()) && std::chrono::steady_clock::now() < deadline) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    kill(-pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    // The office itself may outlive its launcher for a moment.
    for (int i = 0; i < 50 && kill(-pid, 0) == 0; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    std::error_code ignored;
    fs::remove(word::singleInstancePipeOf(profile.string()), ignored);
    fs::remove_all(profile);
    return held || happened();
}

}  // namespace

bool macroRunsWhenAllowed(const std::string& document, const std::string& marker, const std::string& scratch,
                          std::chrono::seconds bound) {
    return happensInAnOffice(document, kLowMacroSecurity, [&] { return fs::exists(marker); }, scratch, bound);
}

bool happensInAPlainOffice(const std::string& document, const std::function<bool()>& happened,
                           const std::string& scratch, std::chrono::seconds bound) {
    return happensInAnOffice(document, "", happened, scratch, bound);
}

}  // namespace quillmark::testing
