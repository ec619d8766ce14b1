#pragma once

#include <com/sun/star/uno/Any.hxx>
#include <com/sun/star/uno/Reference.hxx>
#include <com/sun/star/uno/XComponentContext.hpp>

#include <functional>

namespace word {

// Runs `work` on the engine's main thread and waits for its answer.
//
// A call into the component arrives on a bridge thread, while the main
// thread goes on with the engine's idle work (background layout, word
// counts): both take the engine's one lock for every call, so a walk of
// thousands of small calls spends much of its time handing that lock back
// and forth. On the main thread the walk holds it throughout and the idle
// work waits until it is done. Exceptions thrown by `work` reach the caller.
// Where no main thread can be asked, or it does not pick the work up at once
// (busy with a long stretch of layout), `work` runs on the calling thread.
::com::sun::star::uno::Any callOnMainThread(
    const ::com::sun::star::uno::Reference<::com::sun::star::uno::XComponentContext>& context,
    const std::function<::com::sun::star::uno::Any()>& work);

}  // namespace word
