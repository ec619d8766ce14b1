#include "Application.h"

#include "ApplicationState.h"
#include "DocumentModel.h"
#include "Engine.h"
#include "InteractionHandler.h"
#include "WordConstants.h"
#include "WordError.h"

#include <com/sun/star/document/MacroExecMode.hpp>
#include <com/sun/star/document/UpdateDocMode.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <osl/file.hxx>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>

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

void requireReadableFile(const std::string& path) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (error || !std::filesystem::exists(status)) throw WordError(errors::OpenFailed, "文件不存在: " + path);
    if (std::filesystem::is_directory(status)) throw WordError(errors::NotADocument, "不是文档而是文件夹: " + path);
    std::ifstream probe(path, std::ios::binary);
    if (!probe) throw WordError(errors::OpenFailed, "无法读取文件: " + path);
    if (std::filesystem::file_size(path, error) == 0) throw WordError(errors::NotADocument, "文件是空的，不是文档: " + path);
}

}  // namespace

// Documents

Document Documents::Open(const std::string& path, const OpenOptions& options) {
    requireReadableFile(path);
    const std::string absolute = std::filesystem::absolute(path).lexically_normal().string();
    OUString url;
    osl::FileBase::getFileURLFromSystemPath(uno::toOU(absolute), url);

    AbortingInteractionHandler interaction;
    Reference<css::lang::XComponent> component;
    try {
        Reference<css::frame::XComponentLoader> loader(Engine::instance().desktop(), uno::UNO_QUERY_THROW);
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
        if (interaction.passwordRequested()) throw WordError(errors::PasswordProtected, "文档受密码保护，无法打开: " + path);
        try {
            uno::rethrowAsWordError();
        } catch (const WordError& e) {
            if (e.code() == errors::EngineUnavailable) throw;
            throw WordError(errors::OpenFailed, "无法打开文档 " + path + ": " + e.description());
        }
    }
    if (!component.is()) {
        if (interaction.passwordRequested()) throw WordError(errors::PasswordProtected, "文档受密码保护，无法打开: " + path);
        throw WordError(errors::OpenFailed, "无法打开文档（文件已损坏或格式无法识别）: " + path);
    }
    Reference<css::text::XTextDocument> textDocument(component, uno::UNO_QUERY);
    Reference<css::frame::XModel> model(component, uno::UNO_QUERY);
    if (!textDocument.is() || !model.is() || !isWordProcessingFilter(loadedFilter(model))) {
        closeQuietly(component);
        throw WordError(errors::NotADocument, "不是 Word 文档: " + path);
    }
    auto document = std::make_shared<DocumentModel>(textDocument, absolute);
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
        if (document == state_->active || !visible) document->setWindowVisible(visible && document == state_->active);
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

}  // namespace word
