#pragma once

#include "Comments.h"
#include "Range.h"

#include <memory>
#include <string>

namespace word {

class ApplicationState;

// One open document.
class Document {
public:
    Document() = default;
    Document(std::shared_ptr<DocumentModel> model, std::shared_ptr<ApplicationState> app)
        : model_(std::move(model)), app_(std::move(app)) {}

    bool IsNull() const { return !model_; }
    void Activate() const;
    word::Range Range(long start, long end) const;
    word::Range Content() const;
    word::Fields Fields() const;
    word::Paragraphs Paragraphs() const;
    word::Comments Comments() const;
    void Select() const;
    void Close(bool saveChanges = false);
    // Saves under `path`; ".docx" writes Word 2007 XML, anything else Word 97-2003.
    void SaveAs(const std::string& path, int fileFormat = 0);
    std::string FullName() const;

    const std::shared_ptr<DocumentModel>& model() const { return model_; }

private:
    std::shared_ptr<DocumentModel> model_;
    std::shared_ptr<ApplicationState> app_;
};

}  // namespace word
