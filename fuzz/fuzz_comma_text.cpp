// Splits arbitrary text by the comma-text rules and checks that joining the
// fields and splitting again gives them back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "entity/VEXUtility.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  auto fields = SplitCommaText(text);
  auto strict = SplitCommaText(text, true);
  (void)strict;
  // Every field that survives a split can be written and read back, except a
  // lone empty field list (written as "" and read as one empty field).
  if (!fields.empty()) {
    auto again = SplitCommaText(JoinCommaText(fields));
    if (again != fields) std::abort();
  }
  (void)UnescapeText(text);
  if (UnescapeText(EscapeText(text)) != text) std::abort();
  return 0;
}
