// The reader component: loaded into the engine process, it walks a document
// there with direct calls and answers with one packed reply.
#include "MainThreadCall.h"
#include "StoryPacket.h"
#include "StoryWalk.h"
#include "StoryWrite.h"

#include <com/sun/star/beans/NamedValue.hpp>
#include <com/sun/star/lang/IllegalArgumentException.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/lang/XSingleComponentFactory.hpp>
#include <com/sun/star/task/XJob.hpp>
#include <com/sun/star/uno/RuntimeException.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <cppuhelper/factory.hxx>
#include <cppuhelper/implbase2.hxx>
#include <cppuhelper/supportsservice.hxx>
#include <uno/lbnames.h>

#include <cstring>
#include <exception>

namespace {

namespace css = ::com::sun::star;
using css::uno::Any;
using css::uno::Reference;
using css::uno::Sequence;
using ::rtl::OUString;

constexpr const char* kServiceName = "org.quillmark.StoryReader";

Sequence<OUString> serviceNames() {
    Sequence<OUString> names(1);
    names.getArray()[0] = OUString::createFromAscii(kServiceName);
    return names;
}

class StoryReaderJob : public cppu::WeakImplHelper2<css::task::XJob, css::lang::XServiceInfo> {
public:
    explicit StoryReaderJob(Reference<css::uno::XComponentContext> context) : context_(std::move(context)) {}

    // Arguments: "Model" (the document's XModel), "What" (packet::What flags),
    // and optionally the part of the layout to walk (see StoryPacket.h).
    Any SAL_CALL execute(const Sequence<css::beans::NamedValue>& arguments) override {
        Reference<css::frame::XModel> model;
        sal_Int32 what = word::packet::Story | word::packet::Layout;
        word::LayoutRequest request;
        sal_Int32 start = 0, end = 0;
        OUString property;
        Any value;
        for (const auto& argument : arguments) {
            if (argument.Name.equalsAscii(word::packet::kModelArgument)) argument.Value >>= model;
            else if (argument.Name.equalsAscii(word::packet::kWhatArgument)) argument.Value >>= what;
            else if (argument.Name.equalsAscii(word::packet::kFromPhysicalPageArgument)) argument.Value >>= request.fromPhysicalPage;
            else if (argument.Name.equalsAscii(word::packet::kFromPageArgument)) argument.Value >>= request.fromPage;
            else if (argument.Name.equalsAscii(word::packet::kFromPositionArgument)) argument.Value >>= request.fromPosition;
            else if (argument.Name.equalsAscii(word::packet::kUntilArgument)) argument.Value >>= request.until;
            else if (argument.Name.equalsAscii(word::packet::kStoryStampArgument)) argument.Value >>= request.storyStamp;
            else if (argument.Name.equalsAscii(word::packet::kStartArgument)) argument.Value >>= start;
            else if (argument.Name.equalsAscii(word::packet::kEndArgument)) argument.Value >>= end;
            else if (argument.Name.equalsAscii(word::packet::kPropertyArgument)) argument.Value >>= property;
            else if (argument.Name.equalsAscii(word::packet::kValueArgument)) value = argument.Value;
        }
        if (!model.is()) throw css::lang::IllegalArgumentException("no document model", *this, 0);
        // Nothing may escape as a C++ exception: the engine process would end.
        try {
            return word::callOnMainThread(context_, [&]() -> Any {
                if (what & word::packet::WriteCharProperty) {
                    return Any(word::writeCharProperty(model, request.storyStamp, start, end, property, value));
                }
                return Any(word::walkStory(model, what, request));
            });
        } catch (const css::uno::Exception&) {
            throw;
        } catch (const std::exception& e) {
            throw css::uno::RuntimeException(OUString::createFromAscii(e.what()), *this);
        } catch (...) {
            throw css::uno::RuntimeException("the story walk failed", *this);
        }
    }

    OUString SAL_CALL getImplementationName() override {
        return OUString::createFromAscii(word::packet::kImplementationName);
    }
    sal_Bool SAL_CALL supportsService(const OUString& name) override { return cppu::supportsService(this, name); }
    Sequence<OUString> SAL_CALL getSupportedServiceNames() override { return serviceNames(); }

private:
    Reference<css::uno::XComponentContext> context_;
};

Reference<css::uno::XInterface> SAL_CALL createStoryReader(const Reference<css::uno::XComponentContext>& context) {
    return static_cast<cppu::OWeakObject*>(new StoryReaderJob(context));
}

}  // namespace

extern "C" SAL_DLLPUBLIC_EXPORT void SAL_CALL component_getImplementationEnvironment(const char** environmentTypeName,
                                                                                      uno_Environment**) {
    *environmentTypeName = CPPU_CURRENT_LANGUAGE_BINDING_NAME;
}

extern "C" SAL_DLLPUBLIC_EXPORT void* SAL_CALL component_getFactory(const char* implementationName, void*, void*) {
    if (!implementationName || std::strcmp(implementationName, word::packet::kImplementationName) != 0) return nullptr;
    Reference<css::lang::XSingleComponentFactory> factory = cppu::createSingleComponentFactory(
        createStoryReader, OUString::createFromAscii(implementationName), serviceNames());
    factory->acquire();
    return factory.get();
}
