#include "gui/ProgramLifetime.h"

namespace quillmark::gui {

void ProgramLifetime::hold(const QString& client) {
    if (++holds_[client] == 1) emit clientHolding(client);
}

bool ProgramLifetime::release(const QString& client) {
    auto it = holds_.find(client);
    if (it == holds_.end()) return false;
    if (--it->second == 0) {
        holds_.erase(it);
        emit clientReleased(client);
        endWhenFree();
    }
    return true;
}

void ProgramLifetime::clientLeft(const QString& client) {
    if (holds_.erase(client) == 0) return;
    emit clientReleased(client);
    endWhenFree();
}

void ProgramLifetime::windowClosed() {
    windowClosed_ = true;
    endWhenFree();
}

void ProgramLifetime::endWhenFree() {
    if (windowClosed_ && holds_.empty()) emit endRequested();
}

}  // namespace quillmark::gui
