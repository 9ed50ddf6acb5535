#include "console/terminal.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>

namespace bramble {
namespace {

// The write(2) calls this process has made so far, from Linux's /proc/self/io;
// -1 where the system does not count them.
long long WriteCalls() {
  std::ifstream io("/proc/self/io");
  std::string key;
  long long value;
  while (io >> key >> value) {
    if (key == "syscw:")
      return value;
  }
  return -1;
}

struct Sent {
  long long writes_before_flush;
  long long writes;
  std::string bytes;
};

// Runs `print` on the process's terminal, opened with standard output sent
// to a file, then flushes (or, without `flush`, only closes the terminal);
// counts the write(2) calls before and with the flush or the closing, and
// reads back what was sent.
Sent SendToFile(const std::function<void(Console&)>& print, bool flush = true) {
  char path[] = "/tmp/bramble-terminal-XXXXXX";
  int file = ::mkstemp(path);
  EXPECT_GE(file, 0);
  std::fflush(stdout);
  int saved = ::dup(STDOUT_FILENO);
  ::dup2(file, STDOUT_FILENO);
  Sent sent{};
  std::unique_ptr<Console> terminal = OpenTerminal();
  // UndefinedBehaviorSanitizer checks the type behind a virtual call the
  // first time it meets it, with write(2) calls of its own: met before the
  // count starts.
  terminal->Write("");
  terminal->Flush();
  long long start = WriteCalls();
  print(*terminal);
  sent.writes_before_flush = WriteCalls() - start;
  if (flush)
    terminal->Flush();
  terminal.reset();
  sent.writes = WriteCalls() - start;
  ::dup2(saved, STDOUT_FILENO);
  ::close(saved);
  ::close(file);
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  sent.bytes = bytes.str();
  ::unlink(path);
  return sent;
}

// A printed line leaves in one write, not one per segment, whatever its
// segments: many colours, or a name of many "<" (each "<" that never closes
// is a segment of its own); a line beyond 64 KiB in a write per 64 KiB.
TEST(TerminalPosix, ALineLeavesInAFewWrites) {
  if (::isatty(STDOUT_FILENO) || WriteCalls() < 0)
    GTEST_SKIP() << "needs standard output off the terminal, and Linux's count of writes";
  struct Case {
    const char* what;
    int segments;
    std::string segment;
    bool change_colour;
  };
  const Case cases[] = {
      {"two colours", 2, "abc", true},
      {"a colour change per segment", 500, "x", true},
      {"a name of 60,000 unclosed <", 60000, "<", false},
      {"a name of 1 MiB of unclosed <", 1 << 20, "<", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::string expected;
    Sent sent = SendToFile([&](Console& terminal) {
      for (int i = 0; i < c.segments; ++i) {
        terminal.SetAttribute(c.change_colour ? static_cast<uint16_t>(9 + i % 6) : 7);
        terminal.Write(c.segment);
        expected += c.segment;
      }
      terminal.Write("\n");
      expected += "\n";
      terminal.SetAttribute(kDefaultAttribute);
    });
    EXPECT_EQ(sent.bytes, expected) << "standard output is no terminal: the text alone";
    long long pieces = static_cast<long long>((expected.size() + 65535) / 65536);
    EXPECT_EQ(sent.writes, pieces);
    if (pieces == 1) {
      EXPECT_EQ(sent.writes_before_flush, 0) << "nothing leaves before the line is whole";
    }
  }
}

// Text no flush sent leaves when the terminal is closed, as the game's and
// the lab's end close it, in one write.
TEST(TerminalPosix, WhatIsLeftLeavesWhenTheTerminalCloses) {
  if (::isatty(STDOUT_FILENO) || WriteCalls() < 0)
    GTEST_SKIP() << "needs standard output off the terminal, and Linux's count of writes";
  Sent sent = SendToFile(
      [](Console& terminal) {
        terminal.Write("left ");
        terminal.SetAttribute(12);
        terminal.Write("over\n");
      },
      false);
  EXPECT_EQ(sent.bytes, "left over\n");
  EXPECT_EQ(sent.writes_before_flush, 0);
  EXPECT_EQ(sent.writes, 1);
}

}  // namespace
}  // namespace bramble
