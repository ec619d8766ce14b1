#pragma once

#include "DocumentModel.h"
#include "Fields.h"

#include <memory>
#include <vector>

namespace word {

// The fields of a document in story order. A table of contents counts as one
// field of type wdFieldTOC that spans the whole table.
std::vector<Field> scanFields(const std::shared_ptr<DocumentModel>& model);

}  // namespace word
