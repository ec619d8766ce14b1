#pragma once

#include "derive/TemplateDerivation.h"
#include "shell/RunLock.h"

#include <filesystem>
#include <optional>
#include <string>

namespace quillmark {

// What deriving from a model document gave: the template with its
// not-found lines, or the one message that says why there is none.
struct ModelDerivation {
    std::optional<DerivedTemplate> derived;
    std::string error;  // set when `derived` is empty
};

// Derives a template from the model document at `model`, opened as a thesis
// is for a check: a working copy in the working folder, every bound and
// refusal of the engine layer, the same message texts. The engine is used
// under `runLock`; the document is closed and its working copy deleted
// before the call returns. Front ends call this (the command line, the
// window on a worker thread, the web service).
ModelDerivation deriveTemplateFromModel(const std::filesystem::path& model, const DerivationRequest& request,
                                        RunLock& runLock, const DerivationProgress& progress = {});

}  // namespace quillmark
