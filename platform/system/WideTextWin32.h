#pragma once

#include <string>
#include <string_view>

namespace korvan {

// Text between the system's wide calls and the program's UTF-8 (or the
// ANSI code page's bytes), converted by the system and never throwing: what
// does not convert (an unpaired surrogate, bytes that are no UTF-8) becomes
// U+FFFD.
std::string Utf8FromWide(std::wstring_view wide);
// `bytes` in the code page `codePage` (CP_UTF8, CP_ACP) as UTF-16.
std::wstring WideFrom(std::string_view bytes, unsigned codePage);

}  // namespace korvan
