#include "Document.h"

#include "ApplicationState.h"
#include "DocumentModel.h"
#include "Engine.h"
#include "FieldScanner.h"
#include "StagedSave.h"
#include "WordError.h"

#include <com/sun/star/frame/XStorable.hpp>

#include <osl/file.hxx>

#include <algorithm>
#include <filesystem>

namespace word {

namespace {

std::string fileUrl(const std::string& path) {
    const std::string absolute = std::filesystem::absolute(path).lexically_normal().string();
    OUString url;
    osl::FileBase::getFileURLFromSystemPath(uno::toOU(absolute), url);
    return uno::toUtf8(url);
}

const char* filterFor(const std::string& path) {
    const std::string extension = std::filesystem::path(path).extension().string();
    if (extension == ".docx" || extension == ".DOCX") return "MS Word 2007 XML";
    if (extension == ".odt" || extension == ".ODT") return "writer8";
    return "MS Word 97";
}

SpanPtr spanOf(const std::shared_ptr<DocumentModel>& model, long start, long end) {
    auto span = std::make_shared<Span>();
    span->doc = model;
    const long storyEnd = model->storyEnd();
    if (start > end) std::swap(start, end);
    span->start = std::clamp<long>(start, 0, storyEnd);
    span->end = std::clamp<long>(end, 0, storyEnd);
    return span;
}

}  // namespace

void Document::Activate() const {
    if (!model_) return;
    if (model_->closed()) throw WordError(errors::NoDocument, "文档已关闭");
    app_->activate(model_);
}

word::Range Document::Range(long start, long end) const {
    if (!model_) throw WordError(errors::NoDocument, "没有打开的文档");
    return word::Range(spanOf(model_, start, end));
}

word::Range Document::Content() const {
    if (!model_) throw WordError(errors::NoDocument, "没有打开的文档");
    return word::Range(spanOf(model_, 0, model_->storyEnd()));
}

word::Fields Document::Fields() const {
    if (!model_) throw WordError(errors::NoDocument, "没有打开的文档");
    return word::Fields(model_, scanFields(model_));
}

word::Paragraphs Document::Paragraphs() const {
    if (!model_) throw WordError(errors::NoDocument, "没有打开的文档");
    return word::Paragraphs(model_, 0, static_cast<long>(model_->paragraphs().size()) - 1);
}

void Document::Select() const { Content().Select(); }

void Document::Close(bool saveChanges) {
    if (!model_) return;
    if (model_->closed()) throw WordError(errors::NoDocument, "文档已关闭");
    if (saveChanges) SaveAs(model_->path());
    model_->close();
    if (app_) app_->forget(model_);
}

void Document::SaveAs(const std::string& path, int fileFormat) {
    if (!model_) return;
    // The engine waits forever on a target inside a folder that is not there.
    const auto folder = std::filesystem::absolute(path).parent_path();
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) {
        throw WordError(errors::SaveFailed, "无法保存文档 " + path + ": 文件夹不存在");
    }
    std::string ownFolder = Engine::instance().profileDirectory();
    if (ownFolder.empty()) ownFolder = std::filesystem::temp_directory_path().string();
    const std::filesystem::path staged = stagingPath(ownFolder, path);
    {
        BoundedCall bound;  // the whole save, as one call to the engine
        uno::Reference<uno::css::frame::XStorable> storable(model_->unoDocument(), uno::UNO_QUERY_THROW);
        const char* filter = fileFormat == 12 ? "MS Word 2007 XML" : filterFor(path);
        const uno::css::beans::PropertyValue argList[] = {
            uno::prop("FilterName", uno::Any(OUString::createFromAscii(filter))), uno::prop("Overwrite", uno::Any(true))};
        const uno::Sequence<uno::css::beans::PropertyValue> args(argList, 2);
        // The saved document keeps the thesis's snapping to the grid; the working
        // copy goes on without it.
        model_->restoreGridSnapping();
        try {
            storable->storeToURL(uno::toOU(fileUrl(staged.string())), args);
            model_->releaseGridSnapping();
        } catch (...) {
            std::filesystem::remove(staged, error);
            try {
                model_->releaseGridSnapping();
            } catch (...) {
            }
            try {
                uno::rethrowAsWordError();
            } catch (const WordError& e) {
                if (e.code() == errors::EngineUnavailable) throw;
                throw WordError(errors::SaveFailed,
                                "无法保存文档 " + path + (e.description().empty() ? "" : ": " + e.description()));
            }
        }
    }
    putInPlace(staged, path);
    model_->setPath(path);
}

std::string Document::FullName() const { return model_ ? model_->path() : std::string(); }

}  // namespace word
