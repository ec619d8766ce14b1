#pragma once

#include "DocumentModel.h"

#include <memory>
#include <mutex>
#include <vector>

namespace word {

// What an Application and the objects it hands out share.
class ApplicationState {
public:
    std::recursive_mutex mutex;
    std::vector<std::shared_ptr<DocumentModel>> documents;
    std::shared_ptr<DocumentModel> active;
    bool visible = false;

    void activate(const std::shared_ptr<DocumentModel>& document);
    void forget(const std::shared_ptr<DocumentModel>& document);
};

}  // namespace word
