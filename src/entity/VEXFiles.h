// Whole files: reading, writing atomically, telling text from binary, and
// hashing.
#pragma once

#include <string>
#include <string_view>

// Reads a whole file; false (and Error set) when it cannot be read.
bool ReadFileBytes(const std::string& FileName, std::string& Bytes, std::string* Error = nullptr);
// Writes a file through a temporary file in the same folder renamed over the
// old one, so a failure never leaves a half-written file.
bool WriteFileAtomic(const std::string& FileName, std::string_view Bytes, std::string* Error = nullptr);
bool FileExists(const std::string& FileName);
// True when every byte is TAB, LF, FF, CR or printable ASCII.
bool IsTextFile(const std::string& FileName);
// MD5 of the UTF-8 bytes, as 32 lower-case hexadecimal digits.
std::string HashText(std::string_view Text);
