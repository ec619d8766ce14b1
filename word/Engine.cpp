#include "Engine.h"

#include "EngineFonts.h"
#include "ProcessLauncher.h"
#include "ProcessTag.h"
#include "WordError.h"

#include <com/sun/star/bridge/XUnoUrlResolver.hpp>
#include <com/sun/star/bridge/UnoUrlResolver.hpp>
#include <com/sun/star/connection/NoConnectException.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/lang/XMultiComponentFactory.hpp>
#include <com/sun/star/lang/XSingleComponentFactory.hpp>
#include <com/sun/star/loader/XImplementationLoader.hpp>
#include <com/sun/star/registry/XRegistryKey.hpp>
#include <osl/file.hxx>
#include <rtl/digest.h>
#include <cppuhelper/bootstrap.hxx>

#include <atomic>
#include <new>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <thread>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace word {

namespace css = uno::css;
using uno::Reference;

namespace {

constexpr const char* kProgramDir = "/usr/lib/libreoffice/program";
constexpr auto kStartTimeout = std::chrono::seconds(90);
constexpr int kRestartRequested = 81;
constexpr auto kTerminateBound = std::chrono::seconds(5);
constexpr const char* kProfilePrefix = "quillmark-engine-";
constexpr const char* kPipeStem = "quillmark-";
// The engine's address space: a document that needs more ends the engine
// instead of exhausting the machine. soffice maps about 0.6 GB at start
// and a few hundred MB more for a long thesis.
constexpr std::uint64_t kDefaultAddressSpaceMb = 4096;

// The engine's pipes live in /tmp whatever TMPDIR says.
const std::filesystem::path kPipeFolder = "/tmp";

std::string pipeFilePrefix() { return "OSL_PIPE_" + std::to_string(getuid()) + "_" + kPipeStem; }

std::string uniquePipeName() {
    static std::atomic<int> counter{0};
    return kPipeStem + processTag() + "-" + std::to_string(++counter);
}

// The profile folder as the engine takes it: a file URL, blanks and all
// escaped (a TMPDIR with a blank in it made an engine that never answered).
OUString profileUrl(const std::string& profileDir) {
    OUString url;
    osl::FileBase::getFileURLFromSystemPath(uno::toOU(profileDir), url);
    return url;
}

}  // namespace

// The engine's single-instance pipe, which it makes whatever its command
// line says and never removes when it is killed: always in /tmp, named
// after the MD5 of the profile's URL as UTF-16 code units, each byte in
// hex without a leading zero.
std::filesystem::path singleInstancePipeOf(const std::string& profileDir) {
    const OUString url = profileUrl(profileDir);
    sal_uInt8 digest[RTL_DIGEST_LENGTH_MD5];
    if (rtl_digest_MD5(url.getStr(), static_cast<sal_uInt32>(url.getLength() * sizeof(sal_Unicode)), digest,
                       sizeof digest) != rtl_Digest_E_None) {
        return {};
    }
    std::string hash;
    static constexpr char kHex[] = "0123456789abcdef";
    for (const sal_uInt8 byte : digest) {
        if (byte >= 16) hash += kHex[byte >> 4];
        hash += kHex[byte & 15];
    }
    return kPipeFolder / ("OSL_PIPE_" + std::to_string(getuid()) + "_SingleOfficeIPC_" + hash);
}

namespace {

// A profile folder and what the engine made for it outside: its
// single-instance pipe.
void removeProfileFiles(const std::filesystem::path& profileDir) {
    std::error_code ignored;
    std::filesystem::remove(singleInstancePipeOf(profileDir.string()), ignored);
    // A second pass for what an engine that was being ended wrote meanwhile.
    if (std::filesystem::remove_all(profileDir, ignored), ignored) std::filesystem::remove_all(profileDir, ignored);
}

std::uint64_t addressSpaceLimitBytes() {
    std::uint64_t megabytes = kDefaultAddressSpaceMb;
    if (const char* text = std::getenv("QUILLMARK_ENGINE_MEMORY_MB"); text && *text) {
        megabytes = std::strtoull(text, nullptr, 10);
    }
    return megabytes << 20;
}

std::filesystem::path profileTemplateDir();

// Profiles and pipes of earlier runs that ended without cleaning up (killed,
// power loss): their process is gone, so nobody else will remove them.
void removeStaleLeftovers() {
    static std::once_flag once;
    std::call_once(once, [] {
        removeLeftoversOfDeadProcesses(std::filesystem::temp_directory_path(), kProfilePrefix, removeProfileFiles);
        removeLeftoversOfDeadProcesses(kPipeFolder, pipeFilePrefix());
        removeLeftoversOfDeadProcesses(profileTemplateDir().parent_path(), profileTemplateDir().filename().string() + ".tmp-");
    });
}

// Settings of the private profile: no lock files (a stale one would make the
// engine ask a question), macros never run, no backups, recovery or updates;
// no spelling or word collection while idle (they compete with the walks
// that read the layout, and nothing here shows their marks). No sidebar,
// status bar or font previews either: a hidden document has them too, and
// they hold the engine's main thread that the walks run on (the sidebar
// rebuilds its panels at every view-cursor move, the status bar counts the
// words of the whole document after a load, the font box draws every
// font's name in that font).
constexpr const char* kProfileSettings = R"(<?xml version="1.0" encoding="UTF-8"?>
<oor:items xmlns:oor="http://openoffice.org/2001/registry" xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">
<item oor:path="/org.openoffice.Office.Common/Misc"><prop oor:name="UseLocking" oor:op="fuse"><value>false</value></prop></item>
<item oor:path="/org.openoffice.Office.Common/Misc"><prop oor:name="UseDocumentSystemFileLocking" oor:op="fuse"><value>false</value></prop></item>
<item oor:path="/org.openoffice.Office.Common/Misc"><prop oor:name="UseDocumentOOoLockFile" oor:op="fuse"><value>false</value></prop></item>
<item oor:path="/org.openoffice.Office.Common/Misc"><prop oor:name="FirstRun" oor:op="fuse"><value>false</value></prop></item>
<item oor:path="/org.openoffice.Office.Common/Security/Scripting"><prop oor:name="MacroSecurityLevel" oor:op="fuse"><value>3</value></prop></item>
<item oor:path="/org.openoffice.Office.Common/Security/Scripting"><prop oor:name="DisableMacrosExecution" oor:op="fuse"><value>true</value></prop></item>
<item oor:path="/org.openoffice.Office.Common/Save/Document"><prop oor:name="CreateBackup" oor:op="fuse"><value>false</value></prop></item>
<item oor:path="/org.openoffice.Office.Recovery/AutoSave"><prop oor:name="Enabled" oor:op="fuse"><value>false</value></prop></item>
<item oor:path="/org.openoffice.Office.Recovery/RecoveryInfo"><prop oor:name="Enabled" oor:op="fuse"><value>false</value></prop></item>
<item oor:path="/org.openoffice.Office.Common/Online"><prop oor:name="CheckForUpdates" oor:op="fuse"><value>false</value></prop></item>
<item oor:path="/org.openoffice.Office.Common/Security/Scripting"><prop oor:name="BlockUntrustedRefererLinks" oor:op="fuse"><value>true</value></prop></item>
<item oor:path="/org.openoffice.Office.Writer/Content/Update"><prop oor:name="Link" oor:op="fuse"><value>2</value></prop></item>
<item oor:path="/org.openoffice.Office.Linguistic/SpellChecking"><prop oor:name="IsSpellAuto" oor:op="fuse"><value>false</value></prop></item>
<item oor:path="/org.openoffice.Office.Writer/AutoFunction/Completion"><prop oor:name="Enable" oor:op="fuse"><value>false</value></prop></item>
<item oor:path="/org.openoffice.Office.Writer/AutoFunction/Completion"><prop oor:name="CollectWords" oor:op="fuse"><value>false</value></prop></item>
<item oor:path="/org.openoffice.Office.Views/Windows/org.openoffice.Office.Views:WindowType['swriter/10336']"><prop oor:name="Visible" oor:op="fuse"><value>false</value></prop></item>
<item oor:path="/org.openoffice.Office.UI.WriterWindowState/UIElements/States"><node oor:name="private:resource/statusbar/statusbar" oor:op="replace"><prop oor:name="Visible" oor:op="fuse"><value>false</value></prop></node></item>
<item oor:path="/org.openoffice.Office.Common/Font/View"><prop oor:name="ShowFontBoxWYSIWYG" oor:op="fuse"><value>false</value></prop></item>
</oor:items>
)";

}  // namespace

std::string engineVersion() {
    // Read in one go: the file has megabytes, and the program waits for
    // this before the engine starts.
    std::ifstream in(std::string(kProgramDir) + "/../share/registry/main.xcd", std::ios::binary | std::ios::ate);
    std::string xcd(in ? static_cast<size_t>(std::max<std::streamoff>(0, in.tellg())) : 0, '\0');
    in.seekg(0);
    in.read(xcd.data(), static_cast<std::streamsize>(xcd.size()));
    xcd.resize(static_cast<size_t>(std::max<std::streamsize>(0, in.gcount())));
    const std::string property = "<prop oor:name=\"ooSetupVersion\">";
    const auto at = xcd.find(property);
    if (at == std::string::npos) return {};
    const auto open = xcd.find("<value>", at);
    const auto close = open == std::string::npos ? std::string::npos : xcd.find("</value>", open);
    if (close == std::string::npos || close - open > 32) return {};
    const std::string version = xcd.substr(open + 7, close - open - 7);
    if (version.empty() || version.find_first_not_of("0123456789.") != std::string::npos) return {};
    return version;
}

std::string versionSeenSetting() {
    static const std::string version = engineVersion();
    if (version.empty()) return {};
    return "<item oor:path=\"/org.openoffice.Setup/Product\"><prop oor:name=\"ooSetupLastVersion\" oor:op=\"fuse\"><value>" +
           version + "</value></prop></item>\n";
}

namespace {

// Our settings go into every profile, also into one copied from the cache
// (which holds what the engine wrote at its first start): appended items
// override earlier ones.
void applyProfileSettings(const std::string& profileDir) {
    const std::string file = profileDir + "/user/registrymodifications.xcu";
    std::ifstream in(file, std::ios::binary);
    std::string xml((std::istreambuf_iterator<char>(in)), {});
    in.close();
    std::string settings(kProfileSettings);
    settings.insert(settings.rfind("</oor:items>"), versionSeenSetting());
    const auto ours = settings.find("<item ");
    const auto oursEnd = settings.rfind("</oor:items>");
    const auto end = xml.rfind("</oor:items>");
    if (end == std::string::npos) {
        std::ofstream(file, std::ios::binary | std::ios::trunc) << settings;
        return;
    }
    xml.insert(end, settings.substr(ours, oursEnd - ours));
    std::ofstream(file, std::ios::binary | std::ios::trunc) << xml;
}

// A profile the engine has already set up once, kept between runs: a fresh
// profile costs the engine a second start.
std::filesystem::path profileTemplateDir() {
    const char* cache = std::getenv("XDG_CACHE_HOME");
    const char* home = std::getenv("HOME");
    std::filesystem::path base = cache && *cache ? std::filesystem::path(cache)
                                 : home && *home ? std::filesystem::path(home) / ".cache"
                                                 : std::filesystem::temp_directory_path();
    return base / "quillmark" / "engine-profile-1";
}

// Programs that start at the same moment share the cached profile: the one
// that saves it holds this lock alone, those that copy it hold it together.
// The cached profile appears whole or not at all (made aside, then renamed).
// A lock that cannot be had within the bound (a file system without locks,
// a program stuck holding it) is done without: the engine then starts on a
// fresh profile, which costs it a restart and nothing else.
class ProfileTemplateLock {
public:
    enum Kind { Shared = LOCK_SH, Alone = LOCK_EX };
    explicit ProfileTemplateLock(Kind kind) {
        std::error_code ignored;
        std::filesystem::create_directories(profileTemplateDir().parent_path(), ignored);
        fd_ = ::open((profileTemplateDir().parent_path() / "engine-profile.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (fd_ >= 0 && !(held_ = ::flock(fd_, kind | LOCK_NB) == 0) && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    ~ProfileTemplateLock() {
        if (fd_ >= 0) ::close(fd_);
    }
    ProfileTemplateLock(const ProfileTemplateLock&) = delete;
    ProfileTemplateLock& operator=(const ProfileTemplateLock&) = delete;
    bool held() const { return held_; }

private:
    int fd_ = -1;
    bool held_ = false;
};

void saveProfileTemplate(const std::string& profileDir) {
    const ProfileTemplateLock lock(ProfileTemplateLock::Alone);
    std::error_code error;
    const auto target = profileTemplateDir();
    if (!lock.held() || std::filesystem::exists(target, error)) return;
    const auto staging = target.string() + ".tmp-" + processTag();
    std::filesystem::remove_all(staging, error);
    std::filesystem::create_directories(staging, error);
    // Everything but the engine's temporary folder.
    for (std::filesystem::directory_iterator it(profileDir, error), end; !error && it != end; it.increment(error)) {
        if (it->path().filename() == "tmp") continue;
        std::filesystem::copy(it->path(), staging / it->path().filename(), std::filesystem::copy_options::recursive, error);
    }
    if (error || (std::filesystem::rename(staging, target, error), error)) std::filesystem::remove_all(staging, error);
}

std::string makeProfileDir() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / (kProfilePrefix + processTag() + "-XXXXXX")).string();
    if (!mkdtemp(pattern.data())) {
        throw WordError(errors::EngineUnavailable, "无法创建文档引擎的临时配置目录");
    }
    std::error_code error;
    if (const ProfileTemplateLock lock(ProfileTemplateLock::Shared); lock.held()) {
        std::filesystem::copy(profileTemplateDir(), pattern, std::filesystem::copy_options::recursive, error);
    }
    if (error || !std::filesystem::exists(pattern + "/user/registrymodifications.xcu")) {
        std::filesystem::create_directories(pattern + "/user");
        std::filesystem::remove(pattern + "/user/registrymodifications.xcu", error);
    }
    applyProfileSettings(pattern);
    return pattern;
}

// With a display the engine runs invisible, so a document window can be shown
// for a finding; without one, or when asked to, it runs headless.
bool wantHeadless() {
    const char* forced = std::getenv("QUILLMARK_ENGINE_HEADLESS");
    if (forced && *forced && std::string(forced) != "0") return true;
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return !(display && *display) && !(wayland && *wayland);
}

Reference<css::uno::XComponentContext> localContext() {
    static Reference<css::uno::XComponentContext> context = [] {
        setenv("URE_BOOTSTRAP", "vnd.sun.star.pathname:/usr/lib/libreoffice/program/fundamentalrc", 0);
        return cppu::defaultBootstrap_InitialComponentContext();
    }();
    return context;
}

// The engine's temporary files go into its profile folder, removed with it.
std::string engineTemporaryFolder(const std::string& profileDir) { return profileDir + "/tmp"; }

// Only the engine sees its font configuration; the machine's stays as it is.
std::vector<std::string> engineEnvironment(const std::string& profileDir) {
    std::vector<std::string> environment = {"TMPDIR=" + engineTemporaryFolder(profileDir)};
    if (const std::string config = engineFontConfigFile(); !config.empty()) {
        environment.push_back("FONTCONFIG_FILE=" + config);
    }
    return environment;
}

// The engine runs without a network: nothing a document links to (pictures,
// OLE links, fields, linked sections, whatever the format) can be fetched,
// whatever the engine's settings let through. Only a display reached over
// the network (DISPLAY=host:n, as ssh forwards it) needs one.
bool displayNeedsNetwork(bool headless) {
    if (headless) return false;
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) return false;
    const std::string_view host = std::string_view(display).substr(0, std::string_view(display).rfind(':'));
    return !host.empty() && host != "unix" && host.front() != '/';
}

// The reader component's library: QUILLMARK_READER_LIBRARY when set, else
// beside the program, else where the build put it.
std::string readerLibraryPath() {
    const char* forced = std::getenv("QUILLMARK_READER_LIBRARY");
    if (forced) return forced;
    std::error_code error;
    const auto beside = std::filesystem::read_symlink("/proc/self/exe", error).parent_path() / "libquillmark_reader.so";
    if (!error && std::filesystem::exists(beside, error)) return beside.string();
#ifdef QUILLMARK_READER_LIBRARY
    return QUILLMARK_READER_LIBRARY;
#else
    return {};
#endif
}

void reportReaderUnavailable(const std::string& reason) {
    static std::once_flag said;
    std::call_once(said, [&] {
        std::cerr << "quillmark: 读取组件无法载入文档引擎（" << reason << "），改为逐项远程读取，速度较慢\n";
    });
}

// Loads the component into the engine through the engine's own shared
// library loader: no registration, nothing written into any profile.
Reference<css::task::XJob> loadStoryReader(const Reference<css::uno::XComponentContext>& context) {
    const std::string path = readerLibraryPath();
    std::error_code error;
    if (path.empty() || !std::filesystem::is_regular_file(path, error)) {
        reportReaderUnavailable("找不到 " + (path.empty() ? std::string("libquillmark_reader.so") : path));
        return {};
    }
    try {
        OUString url;
        osl::FileBase::getFileURLFromSystemPath(uno::toOU(std::filesystem::absolute(path).string()), url);
        Reference<css::loader::XImplementationLoader> loader(
            context->getServiceManager()->createInstanceWithContext("com.sun.star.loader.SharedLibrary", context),
            css::uno::UNO_QUERY_THROW);
        Reference<css::lang::XSingleComponentFactory> factory(
            loader->activate("org.quillmark.StoryReader", OUString(), url, Reference<css::registry::XRegistryKey>()),
            css::uno::UNO_QUERY_THROW);
        return Reference<css::task::XJob>(factory->createInstanceWithContext(context), css::uno::UNO_QUERY_THROW);
    } catch (const css::uno::Exception& e) {
        reportReaderUnavailable(uno::toUtf8(e.Message));
    }
    return {};
}

}  // namespace

// Never destroyed: at exit the UNO runtime may already be gone, so the
// process is ended by a plain kill instead (see endAtExit).
Engine& Engine::instance() {
    static Engine* engine = new Engine();
    return *engine;
}

Engine::~Engine() = default;

// At exit the UNO runtime is being torn down: no call into it is safe, and
// killing the engine now would wake the bridge's reader thread in the middle
// of that teardown. The engine is bound to our life (PR_SET_PDEATHSIG) and
// ends with the process; only our files are removed here. Callers that can
// end the engine properly first (the command line, the test runner) call
// shutDown() before they return.
void Engine::endAtExit() {
    Engine& engine = instance();
    std::unique_lock lock(engine.mutex_, std::try_to_lock);
    // A thread that is starting an engine now holds the files' lock for a
    // moment at most; the exit does not wait for it forever either.
    std::unique_lock files(engine.filesMutex_, std::defer_lock);
    for (int i = 0; i < 100 && !files.try_lock(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    if (!engine.profileDir_.empty()) removeProfileFiles(engine.profileDir_);
}

Reference<css::frame::XDesktop2> Engine::desktop() {
    std::lock_guard lock(mutex_);
    if (!alive()) start();
    return desktop_;
}

Reference<css::uno::XComponentContext> Engine::context() {
    std::lock_guard lock(mutex_);
    if (!alive()) start();
    return remoteContext_;
}

Reference<css::task::XJob> Engine::storyReader() {
    std::lock_guard lock(mutex_);
    if (!alive()) start();
    if (storyReaderGeneration_ != generation_) {
        storyReaderGeneration_ = generation_;
        storyReader_ = loadStoryReader(remoteContext_);
    }
    return storyReader_;
}

std::uint64_t Engine::generation() const {
    std::lock_guard lock(mutex_);
    return generation_;
}

bool Engine::alive() {
    std::lock_guard lock(mutex_);
    if (dead_ || pid_ <= 0) return false;
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
        pid_ = -1;
        dead_ = true;
        return false;
    }
    return true;
}

void Engine::markDead() {
    std::lock_guard lock(mutex_);
    if (dead_) return;
    dead_ = true;
    stopProcess();
}

void Engine::shutDown() {
    std::lock_guard lock(mutex_);
    if (!dead_ && desktop_.is()) {
        // An engine still busy with a call (a check that was stopped) would
        // hold the terminate call as long as it likes: it gets a bound, after
        // which the process is ended, which also ends the call.
        auto finished = std::make_shared<std::atomic<bool>>(false);
        std::thread terminating([desktop = desktop_, finished] {
            try {
                desktop->terminate();
            } catch (...) {
                // The engine may answer the terminate by going away mid-call.
            }
            finished->store(true);
        });
        const auto deadline = std::chrono::steady_clock::now() + kTerminateBound;
        while (!finished->load() && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        if (finished->load()) {
            // Give it a moment to end by itself before stopProcess forces it.
            for (int i = 0; i < 100 && pid_ > 0; ++i) {
                if (waitpid(pid_, nullptr, WNOHANG) == pid_) pid_ = -1; else std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
        }
        dead_ = true;
        stopProcess();
        terminating.join();
        return;
    }
    dead_ = true;
    stopProcess();
}

void Engine::endAtOnce() {
    std::lock_guard lock(mutex_);
    dead_ = true;
    stopProcess(Ending::AtOnce);
}

void Engine::abandon() {
    // The engine's files are made and removed under filesMutex_ only, for a
    // moment each time: once it is ours, no other thread starts an engine
    // or is halfway through removing one's files.
    abandoned_ = true;
    std::lock_guard files(filesMutex_);
    const pid_t pid = pid_;
    if (pid > 0) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    removeLeftoversOf(std::filesystem::temp_directory_path(), kProfilePrefix, processTag(), removeProfileFiles);
    removeLeftoversOf(kPipeFolder, pipeFilePrefix(), processTag());
}

void Engine::killUnanswering() {
    if (const pid_t pid = pid_; pid > 0) kill(pid, SIGKILL);
}

void Engine::stopProcess(Ending ending) {
    // Our references go first, while the bridge still carries their release.
    desktop_.clear();
    storyReader_.clear();
    remoteContext_.clear();
    if (pid_ > 0) {
        kill(pid_, ending == Ending::AtOnce ? SIGKILL : SIGTERM);
        for (int i = 0; i < 50 && ending == Ending::GivenTime; ++i) {
            if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
                pid_ = -1;
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
            pid_ = -1;
        }
    }
    std::lock_guard files(filesMutex_);
    if (!pipeName_.empty()) {
        std::error_code ignored;
        std::filesystem::remove(kPipeFolder / ("OSL_PIPE_" + std::to_string(getuid()) + "_" + pipeName_), ignored);
        pipeName_.clear();
    }
    if (!profileDir_.empty()) {
        removeProfileFiles(profileDir_);
        profileDir_.clear();
    }
}

void Engine::start() {
    static const bool registered = [] { return std::atexit(&Engine::endAtExit) == 0; }();
    (void)registered;
    stopProcess();
    removeStaleLeftovers();
    std::unique_lock files(filesMutex_);
    if (abandoned_) throw WordError(errors::EngineUnavailable, "程序正在结束，不再启动文档引擎");
    profileDir_ = makeProfileDir();
    const std::string pipeName = uniquePipeName();
    pipeName_ = pipeName;
    std::vector<std::string> args = {
        std::string(kProgramDir) + "/soffice.bin",
        "--invisible",
        "--nologo",
        "--norestore",
        "--nodefault",
        "--nolockcheck",
        "--nofirststartwizard",
        "-env:UserInstallation=" + uno::toUtf8(profileUrl(profileDir_)),
        "--accept=pipe,name=" + pipeName + ";urp;StarOffice.ComponentContext",
    };
    if (wantHeadless()) args.insert(args.begin() + 1, "--headless");
    launch(args);
    files.unlock();
    connect(pipeName, args);
    dead_ = false;
    ++generation_;
}

void Engine::launch(const std::vector<std::string>& args) {
    std::error_code ignored;
    std::filesystem::create_directories(engineTemporaryFolder(profileDir_), ignored);
    ChildSettings settings;
    settings.environment = engineEnvironment(profileDir_);
    settings.addressSpaceBytes = addressSpaceLimitBytes();
    settings.withoutNetwork = !displayNeedsNetwork(wantHeadless());
    pid_ = ProcessLauncher::instance().launch(args, settings);
    if (pid_ <= 0) throw WordError(errors::EngineUnavailable, "无法启动文档引擎 (soffice)");
}

void Engine::connect(const std::string& pipeName, const std::vector<std::string>& args) {
    auto resolver = css::bridge::UnoUrlResolver::create(localContext());
    const OUString url = uno::toOU("uno:pipe,name=" + pipeName + ";urp;StarOffice.ComponentContext");
    const auto deadline = std::chrono::steady_clock::now() + kStartTimeout;
    int restarts = 0;
    while (true) {
        try {
            remoteContext_.set(resolver->resolve(url), css::uno::UNO_QUERY_THROW);
            desktop_ = css::frame::Desktop::create(remoteContext_);
            return;
        } catch (const css::connection::NoConnectException&) {
        }
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            // A fresh profile makes the engine ask for one restart (exit code 81).
            if (WIFEXITED(status) && WEXITSTATUS(status) == kRestartRequested && restarts++ < 3) {
                saveProfileTemplate(profileDir_);
                std::lock_guard files(filesMutex_);
                if (abandoned_) throw WordError(errors::EngineUnavailable, "程序正在结束，不再启动文档引擎");
                launch(args);
                continue;
            }
            throw WordError(errors::EngineUnavailable, "文档引擎启动后立即退出");
        }
        if (std::chrono::steady_clock::now() > deadline) {
            stopProcess();
            throw WordError(errors::EngineUnavailable, "连接文档引擎超时");
        }
        // A failed attempt costs next to nothing; a long pause between
        // attempts is time the program waits for an engine that is ready.
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

}  // namespace word
