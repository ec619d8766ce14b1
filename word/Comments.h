#pragma once

#include "Uno.h"

#include <com/sun/star/text/XTextContent.hpp>

#include <memory>
#include <string>
#include <vector>

namespace word {

class DocumentModel;

// One review comment of a document, as read back: who wrote it, its text
// and where its anchor stands in the main story.
struct Comment {
    std::string Author;
    std::string Text;
    long Start = 0;
};

// A document's review comments (Word's Document.Comments). Comments are the
// engine's annotation fields; adding one puts a field character into the
// story, so a caller that adds several adds them from the last position to
// the first and removes them with `DeleteAdded` before the story is read
// again.
class Comments {
public:
    explicit Comments(std::shared_ptr<DocumentModel> model) : model_(std::move(model)) {}

    // Every comment of the main story, in story order (the story is read anew).
    std::vector<Comment> All() const;
    // Adds a comment anchored at `position`, dated now.
    void Add(long position, const std::string& text, const std::string& author);
    // Removes the comments this object added.
    void DeleteAdded();

private:
    std::shared_ptr<DocumentModel> model_;
    std::vector<uno::Reference<uno::css::text::XTextContent>> added_;
};

}  // namespace word
