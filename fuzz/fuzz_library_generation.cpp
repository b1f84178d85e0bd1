// Generates a library file from a CSV file of arbitrary bytes, set beside
// small valid files of the five other libraries, and holds the generator to
// its promise: a library file it writes loads back, every library whole.
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "entity/VEXUtility.h"
#include "project/cSession.h"

namespace {

struct TKind {
  const char* Type;
  const char* Marker;  // a column only this library has, to tell which one the input is
  const char* Valid;   // a small file that passes every check
};

constexpr TKind kKinds[] = {
    {"SHEARCONNECTOR", "HSC", "ConnectorType,dbs,hsc,fuc,Name\n0,19,95,410,\"19 mm stud\"\n"},
    {"STEELDECK", "VOIDRATIO",
     "Name,Mass,sr,bsr,hr,t,StudsPerRib,VoidRatio,Beta,DeckType\n\"Solid slab\",0,0,0,0,0,1,0,1,0\n"},
    {"FLOORUSE", "CONCRETESTRENGTH",
     "Name,Ds,ConcreteStrength,NominalLiveLoad,IsLiveLoadReducible,DeadLoad,IncrementalRelLimit,TotalRelLimit,"
     "LFliveShort,LFliveLong\nOffice,120,32,3,-1,1.5,500,250,0.7,0.4\n"},
    {"LIMITSTATE", "LIMITSTATELABEL", "LimitStateLabel,LFdead,LFlive\nStrength,1.2,1.5\n"},
    {"CWBRESTRICTION", "MINDEPTH", "MinDepth,MaxDepth,bfMin,tfMin,twMin\n0,-1,200,10,8\n"},
    // Last: the library of any input that names none of the markers.
    {"STEELSECTION", "", "Name,Grade,d,b,tf,tw,fyf,fyw\n310UB40.4,300PLUS,304,165,10.2,6.1,320,320\n"},
};

void Write(const std::filesystem::path& File, std::string_view Bytes) {
  std::ofstream(File, std::ios::binary).write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("trevalon-fuzz-library-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::string header = UpperCase(input.substr(0, std::min(input.find('\n'), input.size())));
  const TKind* fuzzed = &kKinds[std::size(kKinds) - 1];
  for (const TKind& k : kKinds)
    if (*k.Marker && header.find(k.Marker) != std::string::npos) {
      fuzzed = &k;
      break;
    }

  std::string definitions = "[Libraries]\r\nCount=" + std::to_string(std::size(kKinds)) + "\r\n";
  int i = 0;
  for (const TKind& k : kKinds) {
    const std::string n = std::to_string(++i);
    Write(dir / (std::string(k.Type) + ".csv"), &k == fuzzed ? input : std::string_view(k.Valid));
    definitions += "Library" + n + "=" + k.Type + ".csv\r\nType" + n + "=" + k.Type + "\r\n";
  }
  Write(dir / "Defs.ini", definitions);
  const std::string out = (dir / "Out.tvl").string();
  std::filesystem::remove(out);

  const TResult made = GenerateLibraryFile((dir / "Defs.ini").string(), out);
  if (made) {
    TSession loaded;
    if (!loaded.LoadLibraries(out) || !loaded.IsOK()) std::abort();
  } else if (std::filesystem::exists(out)) {
    std::abort();  // a refused input leaves no library file behind
  }
  return 0;
}
