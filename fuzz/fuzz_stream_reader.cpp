// Reads arbitrary bytes as a library stream file, block after block, as the
// library loader does.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "entity/cEntityList.h"
#include "entity/cEntity.h"

namespace {
class TFuzzItem : public TEntity {
 public:
  TFuzzItem() { SectionName = "FuzzItem"; }
  std::string Name;
  double Value = 0;
  int Count = 0;
  bool IsOn = false;
  TRV_PROPERTIES(TFuzzItem, TEntity, Published("Name", &TFuzzItem::Name), Published("Value", &TFuzzItem::Value),
                 Published("Count", &TFuzzItem::Count), Published("IsOn", &TFuzzItem::IsOn))
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string file = "/tmp/trevalon-fuzz-stream-" + std::to_string(::getpid()) + ".tvl";
  if (FILE* f = std::fopen(file.c_str(), "wb")) {
    std::fwrite(data, 1, size, f);
    std::fclose(f);
  }
  TEntityList list = TEntityList::Of<TFuzzItem>();
  int64_t position = 0;
  for (int block = 0; block < 16; ++block) {
    std::string name;
    if (!TEntityList::PeekStringFromStream(file, position, name) || name.empty()) break;
    int64_t next = position;
    if (!list.LoadFromStream(file, "Name", position, &next) || next <= position) break;
    position = next;
  }
  return 0;
}
