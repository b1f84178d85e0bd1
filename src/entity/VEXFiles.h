// Whole files: reading, writing atomically, telling text from binary, and
// hashing.
#pragma once

#include <string>
#include <string_view>

#include "entity/cResult.h"

// Reads a whole file into Bytes (left alone when it cannot be read).
TResult ReadFileBytes(const std::string& FileName, std::string& Bytes);
// Writes a file through a temporary file in the same folder renamed over the
// old one, so a failure never leaves a half-written file. A link is followed
// (the file it names is replaced); a device or pipe is written in place.
TResult WriteFileAtomic(const std::string& FileName, std::string_view Bytes);
bool FileExists(const std::string& FileName);
// True when every byte is TAB, LF, FF, CR or printable ASCII.
bool IsTextFile(const std::string& FileName);
// MD5 of the UTF-8 bytes, as 32 lower-case hexadecimal digits.
std::string HashText(std::string_view Text);
