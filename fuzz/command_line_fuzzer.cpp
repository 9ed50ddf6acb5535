// The game's command line from any argument vector (the input's bytes, cut
// into arguments at zero bytes), with its switches read as the game reads
// them, against the rules written out here plainly.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "check.h"
#include "console/read_long.h"
#include "shell/command_line.h"

namespace {

std::string Folded(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z')
      c = static_cast<char>(c + ('a' - 'A'));
  }
  return text;
}

// atol's reading: C white space, a sign, decimal digits; the digits taken
// modulo 2^32 and the result as a signed 32-bit number.
int32_t ReferenceReadLong(std::string_view text) {
  size_t i = text.find_first_not_of(" \t\n\v\f\r");
  if (i == std::string_view::npos)
    return 0;
  bool negative = text[i] == '-';
  if (text[i] == '-' || text[i] == '+')
    ++i;
  uint64_t value = 0;
  size_t significant = 0;
  std::string digits;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = (value * 10 + static_cast<uint64_t>(text[i] - '0')) % 4294967296u;
    if (significant > 0 || text[i] != '0') {
      ++significant;
      digits += text[i];
    }
  }
  if (negative)
    value = (4294967296u - value) % 4294967296u;
  int32_t wrapped = static_cast<int32_t>(static_cast<uint32_t>(value));
  // Where no wrap can happen, the C library itself is the reference.
  if (significant <= 9) {
    long c_value = std::atol(((negative ? "-" : "") + digits).c_str());
    FUZZ_CHECK(c_value == wrapped);
  }
  return wrapped;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> args = {"brambleworthen"};
  for (size_t start = 0; start <= input.size();) {
    size_t end = std::min(input.find('\0', start), input.size());
    args.emplace_back(input.substr(start, end - start));
    start = end + 1;
  }
  std::vector<const char*> argv;
  for (const std::string& arg : args)
    argv.push_back(arg.c_str());
  bramble::CommandLine command_line(static_cast<int>(argv.size()), argv.data());

  // Each argument's token: everything after its first "/", as typed.
  std::vector<std::string> typed;
  for (size_t i = 1; i < args.size(); ++i) {
    size_t slash = args[i].find('/');
    typed.push_back(slash == std::string::npos ? args[i] : args[i].substr(slash + 1));
  }
  // The switches the game asks for, and the first argument as an option of
  // its own (letters in any case, any bytes).
  for (std::string option : {std::string("?"), std::string("I:"), std::string("S:"), args[1]}) {
    int expected = -1;
    for (size_t i = 0; i < typed.size() && expected < 0; ++i) {
      if (Folded(typed[i]).find(Folded(option)) != std::string::npos)
        expected = static_cast<int>(i);
    }
    FUZZ_CHECK(command_line.FindOption(option) == expected);
    FUZZ_CHECK(command_line.HasOption(option) == (expected >= 0));
    if (expected < 0 || option.find(':') == std::string::npos)
      continue;
    const std::string& token = typed[static_cast<size_t>(expected)];
    std::string value = command_line.OptionValue(option, ":");
    FUZZ_CHECK(value == token.substr(token.find(':') + 1));
    FUZZ_CHECK(bramble::ReadLong(value) == ReferenceReadLong(value));
  }
  FUZZ_CHECK(bramble::ReadLong(input) == ReferenceReadLong(input));
  return 0;
}
