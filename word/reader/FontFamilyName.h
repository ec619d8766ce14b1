#pragma once

#include <rtl/ustring.hxx>

namespace word {

// The name Word reports for an engine font name. Word-saved files name a
// font with its alternates ("黑体;SimHei"), and Word reports the first.
// A first name that code page 936 cannot hold ("ˎ̥", a mangled 宋体 that
// many Chinese model documents carry) names no font of a Chinese system and
// no template can ask for it: Word shows such text in the alternate, so the
// first alternate that code page 936 holds is reported instead.
rtl::OUString reportedFontName(const rtl::OUString& engineName);

}  // namespace word
