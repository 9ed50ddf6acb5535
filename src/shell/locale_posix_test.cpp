#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "shell/locale.h"

namespace bramble {
namespace {

// The locale of messages decides, as setlocale would take it from the
// environment; a Chinese, C or POSIX locale keeps Chinese.
TEST(PlayerReadsEnglish, FollowsTheLocaleOfMessages) {
  struct Case {
    const char* all;
    const char* messages;
    const char* lang;
    bool english;
  };
  const Case cases[] = {
      {nullptr, nullptr, "en_US.UTF-8", true},
      {nullptr, nullptr, "en", true},
      {nullptr, nullptr, "en@quot", true},
      {nullptr, nullptr, "zh_CN.GBK", false},
      {nullptr, nullptr, "C", false},
      {nullptr, nullptr, "POSIX", false},
      {nullptr, nullptr, "C.UTF-8", false},
      {nullptr, nullptr, "eng", false},
      {nullptr, nullptr, nullptr, false},
      {"", "", "en_GB.UTF-8", true},  // empty is unset
      {nullptr, "en_GB.UTF-8", "zh_CN.UTF-8", true},
      {nullptr, "zh_CN.UTF-8", "en_GB.UTF-8", false},
      {"C", "en_GB.UTF-8", "en_GB.UTF-8", false},  // LC_ALL overrides all
      {"en_AU.UTF-8", "zh_CN.UTF-8", "C", true},
  };
  const char* const names[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
  std::string kept[3];
  bool had[3];
  for (int i = 0; i < 3; ++i) {
    const char* value = std::getenv(names[i]);
    had[i] = value != nullptr;
    kept[i] = value != nullptr ? value : "";
  }
  for (const Case& c : cases) {
    const char* values[] = {c.all, c.messages, c.lang};
    for (int i = 0; i < 3; ++i) {
      if (values[i] != nullptr)
        setenv(names[i], values[i], 1);
      else
        unsetenv(names[i]);
    }
    EXPECT_EQ(PlayerReadsEnglish(), c.english)
        << (c.all ? c.all : "-") << " " << (c.messages ? c.messages : "-") << " "
        << (c.lang ? c.lang : "-");
  }
  for (int i = 0; i < 3; ++i) {
    if (had[i])
      setenv(names[i], kept[i].c_str(), 1);
    else
      unsetenv(names[i]);
  }
}

}  // namespace
}  // namespace bramble
