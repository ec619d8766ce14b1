#include "Uno.h"

#include "Engine.h"
#include "WordError.h"

#include <com/sun/star/connection/NoConnectException.hpp>
#include <com/sun/star/io/IOException.hpp>
#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/uno/Exception.hpp>
#include <com/sun/star/uno/RuntimeException.hpp>

#include <string>

namespace word::uno {

namespace {
constexpr const char* kEngineGone = "文档引擎意外退出，本文档的检测没有完成";
constexpr const char* kEngineOutOfMemory = "文档引擎内存不足，文档可能过大或已损坏，本文档的检测没有完成";

// An engine that ran out of memory answers with the C++ exception's name in
// a RuntimeException; it is in no state to go on with this document.
bool isOutOfMemory(const OUString& message) { return message.indexOf("bad_alloc") >= 0; }
}

OUString toOU(std::string_view utf8) {
    return OUString(utf8.data(), static_cast<sal_Int32>(utf8.size()), RTL_TEXTENCODING_UTF8);
}

std::string toUtf8(const OUString& text) {
    OString bytes = OUStringToOString(text, RTL_TEXTENCODING_UTF8);
    return std::string(bytes.getStr(), static_cast<size_t>(bytes.getLength()));
}

std::string toUtf8(std::u16string_view text) {
    return toUtf8(OUString(reinterpret_cast<const sal_Unicode*>(text.data()), static_cast<sal_Int32>(text.size())));
}

std::u16string toU16(const OUString& text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.getStr()), static_cast<size_t>(text.getLength()));
}

css::beans::PropertyValue prop(const char* name, const Any& value) {
    css::beans::PropertyValue p;
    p.Name = OUString::createFromAscii(name);
    p.Value = value;
    return p;
}

void set(const Reference<css::beans::XPropertySet>& props, const char* name, const Any& value) {
    props->setPropertyValue(OUString::createFromAscii(name), value);
}

void rethrowAsWordError() {
    if (callTimedOut()) {
        // Whatever the ended engine answered, the cause is the call's time.
        Engine::instance().markDead();
        throw WordError(errors::EngineUnavailable, "文档引擎超过 " + std::to_string(callTimeout().count()) +
                                                       " 秒没有答复，本文档的检测没有完成");
    }
    try {
        throw;
    } catch (const WordError&) {
        throw;
    } catch (const css::lang::DisposedException& e) {
        Engine::instance().markDead();
        throw WordError(errors::EngineUnavailable, kEngineGone);
    } catch (const css::uno::RuntimeException& e) {
        // A broken bridge surfaces as a plain RuntimeException too.
        if (!Engine::instance().alive()) {
            throw WordError(errors::EngineUnavailable, kEngineGone);
        }
        if (isOutOfMemory(e.Message)) {
            Engine::instance().markDead();
            throw WordError(errors::EngineUnavailable, kEngineOutOfMemory);
        }
        throw WordError(errors::BadArgument, toUtf8(e.Message));
    } catch (const css::uno::Exception& e) {
        throw WordError(errors::BadArgument, toUtf8(e.Message));
    } catch (const std::bad_alloc&) {
        throw;
    } catch (const std::exception& e) {
        throw WordError(errors::BadArgument, e.what());
    }
}

}  // namespace word::uno
