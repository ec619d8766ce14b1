#include "FontFamilyName.h"

#include <rtl/string.hxx>
#include <rtl/textcvt.h>
#include <rtl/textenc.h>

namespace word {

namespace {

bool codePage936Holds(const rtl::OUString& name) {
    rtl::OString bytes;
    return name.convertToString(&bytes, RTL_TEXTENCODING_MS_936,
                                RTL_UNICODETOTEXT_FLAGS_UNDEFINED_ERROR | RTL_UNICODETOTEXT_FLAGS_INVALID_ERROR);
}

}  // namespace

rtl::OUString reportedFontName(const rtl::OUString& engineName) {
    sal_Int32 index = 0;
    const rtl::OUString first = engineName.getToken(0, ';', index);
    if (index < 0 || codePage936Holds(first)) return first;
    while (index >= 0) {
        const rtl::OUString alternate = engineName.getToken(0, ';', index).trim();
        if (!alternate.isEmpty() && codePage936Holds(alternate)) return alternate;
    }
    return first;
}

}  // namespace word
