// The lab's rank-file reader on any file: either a message, or at least two
// different names, each one word as the game reads names; from a stream and
// from text alike.
#include <cstddef>
#include <cstdint>
#include <set>
#include <sstream>
#include <string>
#include <string_view>

#include "check.h"
#include "console/charset.h"
#include "lab/rank.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string file(reinterpret_cast<const char*>(data), size);
  // Names as typed, and as decoded from a UTF-8 terminal's file.
  for (bool utf8 : {false, true}) {
    auto decode = [utf8](std::string typed) { return utf8 ? bramble::Utf8ToGbk(typed) : typed; };
    std::istringstream in(file);
    bramble::lab::NameList list = bramble::lab::ReadNames(in, decode);
    // The browser's lab reads the same file from text: the same answer.
    bramble::lab::NameList from_text = bramble::lab::ReadNames(std::string_view(file), decode);
    FUZZ_CHECK(from_text.names == list.names && from_text.error == list.error);
    if (!list.error.empty())
      continue;
    FUZZ_CHECK(list.names.size() >= 2);
    std::set<std::string> seen;
    for (const std::string& name : list.names) {
      FUZZ_CHECK(!name.empty());
      FUZZ_CHECK(name.find_first_of(" \t\n\v\f\r") == std::string::npos);
      FUZZ_CHECK(seen.insert(name).second);
    }
  }
  return 0;
}
