#pragma once

// Shared helpers for talking UNO: string conversion, property access and the
// translation of UNO failures into WordError.

#include "CallBound.h"

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/uno/Reference.hxx>
#include <com/sun/star/uno/Sequence.hxx>
#include <rtl/ustring.hxx>

#include <string>
#include <string_view>

namespace word {
using ::rtl::OString;
using ::rtl::OUString;
}  // namespace word

namespace word::uno {

namespace css = ::com::sun::star;
using css::uno::Any;
using css::uno::Reference;
using css::uno::Sequence;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

OUString toOU(std::string_view utf8);
std::string toUtf8(const OUString& text);
std::string toUtf8(std::u16string_view text);
std::u16string toU16(const OUString& text);

css::beans::PropertyValue prop(const char* name, const Any& value);

template <typename T>
T get(const Reference<css::beans::XPropertySet>& props, const char* name) {
    T value{};
    props->getPropertyValue(OUString::createFromAscii(name)) >>= value;
    return value;
}

void set(const Reference<css::beans::XPropertySet>& props, const char* name, const Any& value);

// Runs `call` and turns any UNO exception into a WordError. A lost connection
// marks the engine dead so the next use starts a fresh one; so does a call
// past its time limit (CallBound.h).
[[noreturn]] void rethrowAsWordError();

template <typename F>
auto guarded(F&& call) -> decltype(call()) {
    BoundedCall bound;
    try {
        return call();
    } catch (...) {
        rethrowAsWordError();
    }
}

}  // namespace word::uno
