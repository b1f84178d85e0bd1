// Text encodings at the edges of the program: files are UTF-8 inside; older
// files may be Windows-1252, and the library stream holds UTF-16LE strings.
#pragma once

#include <string>
#include <string_view>

bool IsValidUtf8(std::string_view Bytes);
std::string Cp1252ToUtf8(std::string_view Bytes);
// Characters Windows-1252 cannot hold become "?".
std::string Utf8ToCp1252(std::string_view Text);
// Invalid UTF-8 sequences and unpaired surrogates become U+FFFD.
std::u16string Utf8ToUtf16(std::string_view Text);
std::string Utf16ToUtf8(std::u16string_view Text);
