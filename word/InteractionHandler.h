#pragma once

#include "Uno.h"

#include <com/sun/star/task/XInteractionHandler.hpp>

#include <atomic>
#include <memory>

namespace word {

// Answers every question the engine asks while loading a file with "abort",
// so that nothing ever waits for a user; remembers whether a password was
// asked for, to tell the user why the file did not open.
class AbortingInteractionHandler {
public:
    AbortingInteractionHandler();
    uno::Reference<uno::css::task::XInteractionHandler> handler() const { return handler_; }
    bool passwordRequested() const;

private:
    std::shared_ptr<std::atomic<bool>> passwordRequested_;
    uno::Reference<uno::css::task::XInteractionHandler> handler_;
};

}  // namespace word
