#include "InteractionHandler.h"

#include <com/sun/star/task/DocumentPasswordRequest.hpp>
#include <com/sun/star/task/DocumentPasswordRequest2.hpp>
#include <com/sun/star/task/DocumentMSPasswordRequest.hpp>
#include <com/sun/star/task/DocumentMSPasswordRequest2.hpp>
#include <com/sun/star/document/OwnLockOnDocumentRequest.hpp>
#include <com/sun/star/task/XInteractionAbort.hpp>
#include <com/sun/star/task/XInteractionApprove.hpp>
#include <com/sun/star/task/XInteractionRequest.hpp>
#include <cppuhelper/implbase1.hxx>

namespace word {

namespace {

namespace task = uno::css::task;
namespace document = uno::css::document;

class Handler : public cppu::WeakImplHelper1<task::XInteractionHandler> {
public:
    explicit Handler(std::shared_ptr<std::atomic<bool>> passwordRequested)
        : passwordRequested_(std::move(passwordRequested)) {}

    void SAL_CALL handle(const uno::Reference<task::XInteractionRequest>& request) override {
        const uno::Any what = request->getRequest();
        if (what.has<task::DocumentPasswordRequest>() || what.has<task::DocumentPasswordRequest2>() ||
            what.has<task::DocumentMSPasswordRequest>() || what.has<task::DocumentMSPasswordRequest2>()) {
            *passwordRequested_ = true;
        }
        // A lock left behind by an earlier run of ours: open the copy anyway.
        if (what.has<document::OwnLockOnDocumentRequest>()) {
            for (const auto& continuation : request->getContinuations()) {
                uno::Reference<task::XInteractionApprove> approve(continuation, uno::UNO_QUERY);
                if (approve.is()) {
                    approve->select();
                    return;
                }
            }
        }
        for (const auto& continuation : request->getContinuations()) {
            uno::Reference<task::XInteractionAbort> abort(continuation, uno::UNO_QUERY);
            if (abort.is()) {
                abort->select();
                return;
            }
        }
    }

private:
    std::shared_ptr<std::atomic<bool>> passwordRequested_;
};

}  // namespace

AbortingInteractionHandler::AbortingInteractionHandler()
    : passwordRequested_(std::make_shared<std::atomic<bool>>(false)),
      handler_(new Handler(passwordRequested_)) {}

bool AbortingInteractionHandler::passwordRequested() const { return *passwordRequested_; }

}  // namespace word
