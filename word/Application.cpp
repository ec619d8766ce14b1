#include "Application.h"

#include "ApplicationState.h"
#include "CallBound.h"
#include "CompoundFile.h"
#include "DocumentModel.h"
#include "Engine.h"
#include "FileFormat.h"
#include "InteractionHandler.h"
#include "WordConstants.h"
#include "WordError.h"

#include <com/sun/star/document/MacroExecMode.hpp>
#include <com/sun/star/document/UpdateDocMode.hpp>
#include <com/sun/star/document/XUndoManager.hpp>
#include <com/sun/star/document/XUndoManagerSupplier.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <osl/file.hxx>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <thread>

namespace word {

namespace css = uno::css;
using uno::Reference;

// ApplicationState

void ApplicationState::activate(const std::shared_ptr<DocumentModel>& document) {
    std::lock_guard lock(mutex);
    active = document;
    document->selection()->doc = document;
}

void ApplicationState::forget(const std::shared_ptr<DocumentModel>& document) {
    std::lock_guard lock(mutex);
    std::erase(documents, document);
    if (active == document) active = documents.empty() ? nullptr : documents.back();
    document->selection()->doc.reset();  // the selection no longer keeps the document alive
}

namespace {

// The word-processing formats a thesis may come in. Anything else the engine
// can read (plain text, spreadsheets, pictures) is not a thesis document.
bool isWordProcessingFilter(const std::string& filter) {
    static const std::set<std::string> accepted = {
        "MS Word 97", "MS Word 97 Vorlage", "MS Word 95", "MS Word 95 Vorlage", "MS WinWord 6.0", "MS WinWord 5",
        "MS Word 2007 XML", "MS Word 2007 XML Template", "MS Word 2007 XML VBA", "Office Open XML Text",
        "Office Open XML Text Template", "MS Word 2003 XML", "Rich Text Format", "writer8", "writer8_template",
        "StarOffice XML (Writer)", "writer_MS_Word_2007", "writer_MS_Word_97", "WordPerfect", "writer_web_HTML"};
    return accepted.count(filter) > 0 && filter != "writer_web_HTML";
}

std::string loadedFilter(const Reference<css::frame::XModel>& model) {
    for (const auto& arg : model->getArgs()) {
        if (arg.Name == "FilterName") {
            OUString name;
            arg.Value >>= name;
            return uno::toUtf8(name);
        }
    }
    return {};
}

void closeQuietly(const Reference<css::lang::XComponent>& component) {
    try {
        Reference<css::util::XCloseable> closeable(component, uno::UNO_QUERY);
        if (closeable.is()) closeable->close(true); else if (component.is()) component->dispose();
    } catch (...) {
    }
}

// Checks and fixes write thousands of marks and corrections into the working
// copy; none of them is ever undone, and recording each one costs the engine
// as much as the write itself.
void stopRecordingUndo(const Reference<css::lang::XComponent>& component) {
    uno::guarded([&] {
        Reference<css::document::XUndoManagerSupplier> supplier(component, uno::UNO_QUERY);
        if (supplier.is()) supplier->getUndoManager()->lock();
    });
}

std::atomic<long> openTimeoutSeconds{120};

// The user's texts for a file that does not open, one per cause.
WordError notADocument(const std::string& path) {
    return WordError(errors::NotADocument, "不是 Word 文档（.doc 或 .docx），无法检测：" + path);
}
WordError damaged(const std::string& path, const std::string& why = {}) {
    return WordError(errors::OpenFailed, "文档已损坏，无法打开：" + path + (why.empty() ? "" : "（" + why + "）"));
}
WordError passwordProtected(const std::string& path) {
    return WordError(errors::PasswordProtected, "文档受密码保护，无法打开：" + path);
}
WordError tooLarge(const std::string& path, const std::string& figures) {
    return WordError(errors::TooLarge, "文档过大或已损坏：" + path + "（" + figures + "）");
}
WordError engineGone(const std::string& path) {
    return WordError(errors::EngineUnavailable, "文档引擎在打开文档时退出，文档可能过大或已损坏：" + path);
}

void requireReadableFile(const std::string& file, const std::string& path) {
    std::error_code error;
    const auto status = std::filesystem::status(file, error);
    if (std::filesystem::is_directory(status)) {
        throw WordError(errors::NotADocument, "这是一个文件夹，不是文档：" + path);
    }
    if (error || !std::filesystem::exists(status)) throw WordError(errors::OpenFailed, "文件不存在：" + path);
    std::ifstream probe(file, std::ios::binary);
    if (!probe) throw WordError(errors::OpenFailed, "无法读取文件（" + std::string(std::strerror(errno)) + "）：" + path);
    if (std::filesystem::file_size(file, error) == 0) throw WordError(errors::NotADocument, "文件是空的，不是文档：" + path);
}

// Refuses by the file's first bytes and a package's directory what the
// engine would otherwise spend minutes or gigabytes on.
void requireWordFormat(const std::string& file, const std::string& path) {
    switch (sniffFileKind(file)) {
        case FileKind::Unknown:
            throw notADocument(path);
        case FileKind::Xml:
            if (xmlDeclaresDocumentType(file)) throw damaged(path, "含有文档类型声明");
            return;
        case FileKind::Zip: {
            const PackageCheck check = checkPackage(file);
            if (check.verdict == PackageVerdict::TooLarge) throw tooLarge(path, check.figures);
            if (check.verdict == PackageVerdict::Damaged) throw damaged(path, check.figures);
            if (check.verdict == PackageVerdict::NotADocument) throw notADocument(path);
            return;
        }
        case FileKind::Ole2:
            if (compoundFileIsEncrypted(file)) throw passwordProtected(path);
            return;
        default:
            return;
    }
}

// Ends the engine when opening a document takes longer than the bound; the
// engine's call then returns with an error and the next use starts a new
// engine.
class OpenWatchdog {
public:
    explicit OpenWatchdog(std::chrono::seconds limit)
        : thread_([this, limit] {
              std::unique_lock lock(mutex_);
              if (wake_.wait_for(lock, limit, [this] { return done_; })) return;
              fired_ = true;
              lock.unlock();
              Engine::instance().markDead();
          }) {}
    ~OpenWatchdog() {
        {
            std::lock_guard lock(mutex_);
            done_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }
    bool fired() const { return fired_; }

private:
    std::mutex mutex_;
    std::condition_variable wake_;
    bool done_ = false;
    std::atomic<bool> fired_{false};
    std::thread thread_;
};

}  // namespace

// Documents

void setOpenTimeout(std::chrono::seconds limit) { openTimeoutSeconds = static_cast<long>(limit.count()); }

std::chrono::seconds openTimeout() { return std::chrono::seconds(openTimeoutSeconds.load()); }

Document Documents::Open(const std::string& openedPath, const OpenOptions& options) {
    const std::string& path = options.shownName.empty() ? openedPath : options.shownName;
    refuseUnfitFile(openedPath, path);
    const std::string absolute = std::filesystem::absolute(openedPath).lexically_normal().string();
    OUString url;
    osl::FileBase::getFileURLFromSystemPath(uno::toOU(absolute), url);

    // Starting the engine has its own bound; the opening's bound begins
    // when the engine is there.
    Reference<css::frame::XComponentLoader> loader;
    try {
        loader.set(Engine::instance().desktop(), uno::UNO_QUERY_THROW);
    } catch (...) {
        uno::rethrowAsWordError();
    }
    AbortingInteractionHandler interaction;
    Reference<css::lang::XComponent> component;
    const auto limit = openTimeout();
    OpenWatchdog watchdog(limit);
    const auto timedOut = [&] {
        return tooLarge(path, "打开超过 " + std::to_string(limit.count()) + " 秒");
    };
    try {
        const css::beans::PropertyValue argList[] = {
            uno::prop("Hidden", uno::Any(!options.visible)),
            uno::prop("ReadOnly", uno::Any(options.readOnly)),
            uno::prop("MacroExecutionMode", uno::Any(css::document::MacroExecMode::NEVER_EXECUTE)),
            uno::prop("UpdateDocMode", uno::Any(css::document::UpdateDocMode::NO_UPDATE)),
            uno::prop("InteractionHandler", uno::Any(interaction.handler())),
            uno::prop("RepairPackage", uno::Any(false)),
        };
        const uno::Sequence<css::beans::PropertyValue> args(argList, std::size(argList));
        component = loader->loadComponentFromURL(url, "_blank", 0, args);
    } catch (...) {
        if (watchdog.fired()) throw timedOut();
        if (interaction.passwordRequested()) throw passwordProtected(path);
        try {
            uno::rethrowAsWordError();
        } catch (const WordError& e) {
            if (e.code() == errors::EngineUnavailable) throw engineGone(path);
            throw damaged(path);
        }
    }
    if (!component.is()) {
        if (watchdog.fired()) throw timedOut();
        if (interaction.passwordRequested()) throw passwordProtected(path);
        throw damaged(path);
    }
    // The engine may be ended by the watchdog between the load's return and
    // these calls: every one of them is guarded. They finish the opening and
    // count against its bound, not against the bound of one call: after a
    // load the engine may go on laying a huge document out for a while
    // before it answers.
    std::shared_ptr<DocumentModel> document;
    try {
        BoundedCall opening;
        UnboundedWait onTheOpeningsClock;
        document = uno::guarded([&] {
            Reference<css::text::XTextDocument> textDocument(component, uno::UNO_QUERY);
            Reference<css::frame::XModel> model(component, uno::UNO_QUERY);
            if (!textDocument.is() || !model.is() || !isWordProcessingFilter(loadedFilter(model))) {
                closeQuietly(component);
                throw notADocument(path);
            }
            if (!options.readOnly) stopRecordingUndo(component);
            return std::make_shared<DocumentModel>(textDocument, absolute);
        });
    } catch (const WordError& e) {
        if (watchdog.fired()) throw timedOut();
        if (e.code() == errors::EngineUnavailable) throw engineGone(path);
        throw;
    }
    if (watchdog.fired()) throw timedOut();
    {
        std::lock_guard lock(app_->mutex);
        app_->documents.push_back(document);
    }
    app_->activate(document);
    return Document(document, app_);
}

long Documents::Count() const {
    std::lock_guard lock(app_->mutex);
    return static_cast<long>(app_->documents.size());
}

Document Documents::Item(long index) const {
    std::lock_guard lock(app_->mutex);
    if (index < 1 || index > static_cast<long>(app_->documents.size())) {
        throw WordError(errors::BadArgument, "文档序号超出范围: " + std::to_string(index));
    }
    return Document(app_->documents[index - 1], app_);
}

// Browser

void Browser::Next() { Application::Selection(app_).GoTo(wdGoToPage, wdGoToNext, 1); }
void Browser::Previous() { Application::Selection(app_).GoTo(wdGoToPage, wdGoToPrevious, 1); }

// Application

Application::Application() : state_(std::make_shared<ApplicationState>()) {}

void Application::SetVisible(bool visible) {
    std::lock_guard lock(state_->mutex);
    state_->visible = visible;
    for (const auto& document : state_->documents) {
        if (document != state_->active && visible) continue;
        // A document of an engine that has gone (one ended for not
        // answering) has no window left to hide.
        if (!visible && !document->engineAlive()) continue;
        document->setWindowVisible(visible && document == state_->active);
    }
}

bool Application::Visible() const { return state_->visible; }

word::Documents Application::Documents() const { return word::Documents(state_); }

word::Selection Application::Selection(const std::shared_ptr<ApplicationState>& state) {
    std::lock_guard lock(state->mutex);
    if (!state->active) throw WordError(errors::NoDocument, "没有活动文档，无法取得 Selection");
    auto span = state->active->selection();
    span->doc = state->active;
    return word::Selection(span);
}

word::Selection Application::Selection() const { return Selection(state_); }

word::Browser Application::Browser() const { return word::Browser(state_); }

word::Document Application::ActiveDocument() const {
    std::lock_guard lock(state_->mutex);
    if (!state_->active) throw WordError(errors::NoDocument, "没有活动文档");
    return word::Document(state_->active, state_);
}

void Application::Activate() {
    std::lock_guard lock(state_->mutex);
    if (!state_->active) return;
    state_->active->setWindowVisible(true);
    state_->active->showSelection();
}

void Application::Quit(bool saveChanges) {
    std::vector<std::shared_ptr<DocumentModel>> documents;
    {
        std::lock_guard lock(state_->mutex);
        documents = state_->documents;
    }
    for (const auto& model : documents) {
        word::Document document(model, state_);
        try {
            document.Close(saveChanges);
        } catch (const WordError&) {
            state_->forget(model);
        }
    }
    Engine::instance().shutDown();
}

void Application::QuitAtOnce() {
    std::vector<std::shared_ptr<DocumentModel>> documents;
    {
        std::lock_guard lock(state_->mutex);
        documents = state_->documents;
    }
    for (const auto& model : documents) state_->forget(model);
    documents.clear();
    Engine::instance().endAtOnce();
}

void refuseUnfitFile(const std::string& file, const std::string& shownName) {
    requireReadableFile(file, shownName);
    requireWordFormat(file, shownName);
}

}  // namespace word
