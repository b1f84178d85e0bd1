#include "entity/VEXFiles.h"

#include <openssl/evp.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace fs = std::filesystem;

bool IsTextFile(const std::string& FileName) {
  std::string bytes;
  if (!ReadFileBytes(FileName, bytes)) return false;
  for (char ch : bytes) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (c == 9 || c == 10 || c == 12 || c == 13 || (c >= 32 && c <= 126)) continue;
    return false;
  }
  return true;
}

std::string HashText(std::string_view Text) {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int len = 0;
  EVP_Digest(Text.data(), Text.size(), digest, &len, EVP_md5(), nullptr);
  static const char hex[] = "0123456789abcdef";
  std::string out;
  for (unsigned int i = 0; i < len; ++i) {
    out += hex[digest[i] >> 4];
    out += hex[digest[i] & 15];
  }
  return out;
}

TResult ReadFileBytes(const std::string& FileName, std::string& Bytes) {
  std::error_code ec;
  if (fs::is_directory(FileName, ec)) {
    return TResult::Failure("[" + FileName + "] is a folder, not a file");
  }
  std::ifstream in(FileName, std::ios::binary);
  if (!in) {
    return TResult::Failure("Cannot open file [" + FileName + "]");
  }
  std::ostringstream s;
  s << in.rdbuf();
  if (in.bad()) {
    return TResult::Failure("Cannot read file [" + FileName + "]");
  }
  Bytes = s.str();
  return {};
}

namespace {

// Writes straight into an existing file that is not a regular file (a device
// such as /dev/null, a pipe): renaming over it would replace it.
TResult WriteInPlace(const std::string& FileName, std::string_view Bytes) {
  std::ofstream out(FileName, std::ios::binary);
  out.write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
  out.flush();
  if (out) return {};
  return TResult::Failure("Cannot write file [" + FileName + "]");
}

}  // namespace

TResult WriteFileAtomic(const std::string& FileName, std::string_view Bytes) {
  fs::path target(FileName);
  std::error_code ec;
  // A link is followed, so the file it names is replaced and the link kept.
  if (fs::is_symlink(target, ec)) {
    fs::path resolved = fs::weakly_canonical(target, ec);
    if (!ec) target = resolved;
  }
  const fs::file_status existing = fs::status(target, ec);
  if (!ec && fs::exists(existing)) {
    if (fs::is_directory(existing)) {
      return TResult::Failure("[" + FileName + "] is a folder, not a file");
    }
    if (!fs::is_regular_file(existing)) return WriteInPlace(target.string(), Bytes);
  }
  fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
  std::string tmpl = (dir / ("." + target.filename().string() + ".XXXXXX")).string();
  std::vector<char> name(tmpl.begin(), tmpl.end());
  name.push_back('\0');
  int fd = mkstemp(name.data());
  if (fd < 0) return TResult::Failure("Cannot write file [" + FileName + "]");
  size_t done = 0;
  bool ok = true;
  while (done < Bytes.size()) {
    ssize_t w = ::write(fd, Bytes.data() + done, Bytes.size() - done);
    if (w <= 0) {
      ok = false;
      break;
    }
    done += static_cast<size_t>(w);
  }
  if (ok && ::fsync(fd) != 0) ok = false;
  ::close(fd);
  if (ok) {
    // Keep the permissions an existing file had.
    auto perms = fs::status(target, ec).permissions();
    if (!ec) fs::permissions(name.data(), perms, ec);
    else fs::permissions(name.data(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                          fs::perms::others_read, ec);
    fs::rename(name.data(), target, ec);
    ok = !ec;
  }
  if (ok) return {};
  fs::remove(name.data(), ec);
  return TResult::Failure("Cannot write file [" + FileName + "]");
}

bool FileExists(const std::string& FileName) {
  std::error_code ec;
  return fs::is_regular_file(FileName, ec);
}
