// What hostile input costs each parser as it grows: the time for a
// megabyte over the time for half of it (2 when the cost is linear, 4 when
// it grows with the square), and the cost per byte beside that of plain
// letters through the same parser. Run on a Release build; the inputs of a
// row are timed side by side, so a busy machine moves them alike.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "codec/base64.h"
#include "codec/md5.h"
#include "console/charset.h"
#include "console/color_printer.h"
#include "console/read_long.h"
#include "console/sgr.h"
#include "lab/cli/options.h"
#include "lab/json_read.h"
#include "lab/rank.h"
#include "shell/command_line.h"

namespace {

using Clock = std::chrono::steady_clock;

// The best of five runs, in seconds.
double Time(const std::function<void(const std::string&)>& parse, const std::string& input) {
  double best = 1e9;
  for (int i = 0; i < 5; ++i) {
    auto start = Clock::now();
    parse(input);
    best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
  }
  return best;
}

std::string Repeat(const std::string& piece, size_t size) {
  std::string text;
  while (text.size() + piece.size() <= size)
    text += piece;
  return text;
}

// Bytes 1 to 255 at random (no zero byte: a name ends at one); with
// `line_every`, a line feed after every so many bytes and no blanks.
std::string RandomBytes(size_t size, size_t line_every = 0) {
  std::string text(size, '\0');
  uint32_t state = 12345;
  for (size_t i = 0; i < size; ++i) {
    state = state * 1103515245u + 12345u;
    char c = static_cast<char>(1 + (state >> 16) % 255);
    if (line_every && (c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f' || c == '\n'))
      c = 'x';
    text[i] = line_every && i % line_every == line_every - 1 ? '\n' : c;
  }
  return text;
}

void ParseMarkup(const std::string& text) {
  bramble::ColorPrinter printer;
  printer.Clear();
  printer.Parse(text);
  printer.Clear();
}

void ParseArguments(const std::string& argument) {
  const char* argv[] = {"brambleworthen", argument.c_str()};
  bramble::CommandLine command_line(2, argv);
  bramble::ReadLong(command_line.OptionValue("I:", ":"));
  command_line.HasOption("S:");
}

void ParseRankFile(const std::string& file) {
  std::istringstream in(file);
  bramble::lab::ReadNames(in, [](std::string typed) { return bramble::Utf8ToGbk(typed); });
}

}  // namespace

int main(int argc, char** argv) {
  // bench_parsers [BYTES]
  size_t size = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 0;
  if (size == 0)
    size = size_t{1} << 20;
  const std::string random = RandomBytes(size);

  struct Row {
    const char* parser;
    std::function<void(const std::string&)> parse;
    const char* what;
    std::string input;  // its first half is the half-size input
  };
  auto md5 = [](const std::string& s) { bramble::Md5Text(s); };
  auto base64 = [](const std::string& s) { bramble::Base64Decode(s); };
  auto to_gbk = [](const std::string& s) { bramble::Utf8ToGbk(s); };
  auto to_utf8 = [](const std::string& s) { bramble::GbkToUtf8(bramble::ShowControls(s)); };
  auto lab = [](const std::string& s) { bramble::lab::ParseOptions({"-s", s, "--", s, s}); };
  auto share = [](const std::string& s) {
    bramble::lab::Refusal error;
    bramble::lab::ReadExactPart(s, &error);
  };
  std::vector<Row> rows = {
      {"markup", ParseMarkup, "\"<\" only", std::string(size, '<')},
      {"markup", ParseMarkup, "\"<1>\" repeated", Repeat("<1>", size)},
      {"markup", ParseMarkup, "\"<1,\" repeated", Repeat("<1,", size)},
      {"markup", ParseMarkup, "random bytes", random},
      {"base64", base64, "\"=\" only", std::string(size, '=')},
      {"base64", base64, "random bytes", random},
      {"digest", md5, "random bytes", random},
      {"digest", md5, "0xFF only", std::string(size, '\xFF')},
      {"command line", ParseArguments, "\"/i\" repeated", Repeat("/i", size)},
      {"command line", ParseArguments, "\"I:\" then digits", "I:" + std::string(size - 2, '9')},
      {"typed word", to_gbk, "random bytes", random},
      {"typed word", to_gbk, "cut UTF-8 leads", std::string(size, '\xE7')},
      {"typed word", to_gbk, "U+3447 repeated", Repeat("\xE3\x91\x87", size)},
      {"shown text", to_utf8, "random bytes", random},
      {"shown text", to_utf8, "lone lead bytes", std::string(size, '\x81')},
      {"shown text", to_utf8, "GB18030 4-byte", Repeat("\x81\x30\x81\x30", size)},
      {"lab options", lab, "digits", std::string(size, '9')},
      {"rank file", ParseRankFile, "blank lines", std::string(size, '\n')},
      {"rank file", ParseRankFile, "blanks", std::string(size, ' ')},
      {"rank file", ParseRankFile, "random names", RandomBytes(size, 16)},
      {"share file", share, "\"[\" only", std::string(size, '[')},
      {"share file", share, "a long string", "[\"" + std::string(size - 2, 'x')},
      {"share file", share, "random bytes", random},
  };

  std::printf(
      "%zu bytes; seconds for the input named, its growth from half the size (2: linear),\n"
      "nanoseconds per byte for it and for as many letters\n",
      size);
  std::printf("%-13s %-18s %9s %7s %8s %8s\n", "parser", "input", "seconds", "growth", "ns/byte",
              "letters");
  for (const Row& row : rows) {
    double half = Time(row.parse, row.input.substr(0, row.input.size() / 2));
    double whole = Time(row.parse, row.input);
    double letters = Time(row.parse, std::string(row.input.size(), 'a'));
    double bytes = static_cast<double>(row.input.size());
    std::printf("%-13s %-18s %9.4f %7.2f %8.1f %8.1f\n", row.parser, row.what, whole, whole / half,
                whole / bytes * 1e9, letters / bytes * 1e9);
  }
}
