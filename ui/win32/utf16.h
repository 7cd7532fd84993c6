// Conversions between the UTF-8 of the operations and the UTF-16 of the
// Win32 calls.
#pragma once

#include <string>
#include <string_view>

namespace ui::win32 {

// Invalid UTF-8 becomes U+FFFD.
std::wstring toUtf16(std::string_view utf8);
// An unpaired surrogate becomes U+FFFD.
std::string toUtf8(std::wstring_view utf16);

}  // namespace ui::win32
