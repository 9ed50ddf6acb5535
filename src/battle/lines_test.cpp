#include "battle/lines.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "battle/narrated_bout_test.h"

namespace bramble {
namespace {

// Keeps every line a language makes of a battle, with what happened.
class LineRecorder : public Narrator {
 public:
  explicit LineRecorder(BattleTexts texts) : texts_(texts) {}
  void Tell(const Event& event, const Fighter& first, const Fighter& second) override {
    told.push_back(event);
    lines.push_back(texts_(event, first, second));
  }
  std::vector<Event> told;
  std::vector<std::string> lines;

 private:
  BattleTexts texts_;
};

// A battle of `one` and `two` from `seed` to its end, in the words of `texts`.
LineRecorder Battle(BattleTexts texts, const char* one, const char* two, uint32_t seed) {
  LineRecorder recorder(texts);
  PlayNarrated(&recorder, one, two, seed);
  return recorder;
}

// What a line shows beside its words: its colour tags in order, and the
// numbers of its plain text in order.
struct Shape {
  std::vector<std::string> colours;
  std::vector<std::string> numbers;
  bool operator==(const Shape&) const = default;
};

Shape ShapeOf(const std::string& line) {
  Shape shape;
  std::string digits;
  for (size_t i = 0; i < line.size(); ++i) {
    bool digit = line[i] >= '0' && line[i] <= '9';
    if (digit)
      digits += line[i];
    if ((!digit || i + 1 == line.size()) && !digits.empty())
      shape.numbers.push_back(std::exchange(digits, {}));
    if (line[i] == '<') {
      size_t end = line.find('>', i);
      if (end == std::string::npos)
        break;
      shape.colours.push_back(line.substr(i, end + 1 - i));
      i = end;
    }
  }
  return shape;
}

// The English narration tells the same battle as the Chinese: over 520
// seeded battles every line has the Chinese line's colours and numbers in
// the same order, the lines are ASCII but for the names, and every kind of
// line, song title and reaction occurs.
TEST(EnglishLine, TellsTheChineseBattleWithItsColoursAndNumbers) {
  const std::pair<const char*, const char*> pairs[] = {
      {"abc", "xyz"}, {"alice", "bob"}, {"\xbc\xd7\xd2\xd2", "\xd5\xc5\xc8\xfd"}, {"R2D2", "7up"}};
  std::set<Happening> happenings;
  std::set<int32_t> titles;
  std::set<int32_t> reactions;
  int battles = 0;
  for (const auto& [one, two] : pairs) {
    for (uint32_t seed = 1; seed <= 130; ++seed, ++battles) {
      LineRecorder chinese = Battle(ChineseLine, one, two, seed);
      LineRecorder english = Battle(EnglishLine, one, two, seed);
      ASSERT_EQ(english.lines.size(), chinese.lines.size()) << one << " " << two << " " << seed;
      for (size_t i = 0; i < english.lines.size(); ++i) {
        const Event& event = english.told[i];
        ASSERT_EQ(event.what, chinese.told[i].what);
        ASSERT_EQ(event.number, chinese.told[i].number);
        const std::string& line = english.lines[i];
        ASSERT_EQ(ShapeOf(line), ShapeOf(chinese.lines[i])) << "seed " << seed << "\n"
                                                            << line << "\n"
                                                            << chinese.lines[i];
        std::string words = line;
        for (const char* name : {one, two}) {
          for (size_t at = words.find(name); at != std::string::npos; at = words.find(name))
            words.erase(at, std::string(name).size());
        }
        for (char c : words)
          ASSERT_LT(static_cast<unsigned char>(c), 0x80u) << line;
        happenings.insert(event.what);
        if (event.what == Happening::kSong)
          titles.insert(event.number);
        if (event.what == Happening::kListenerRefreshed ||
            event.what == Happening::kSingerRefreshed)
          reactions.insert(event.number);
      }
    }
  }
  EXPECT_GE(battles, 500);
  // Every happening but the bare line end, which the Arena alone tells.
  EXPECT_EQ(happenings.size(), static_cast<size_t>(Happening::kHurtBySong));
  EXPECT_FALSE(happenings.contains(Happening::kLineBreak));
  EXPECT_EQ(titles.size(), static_cast<size_t>(rules::kSongTitleCount));
  EXPECT_EQ(reactions.size(), static_cast<size_t>(rules::kReactionLineCount));
}

}  // namespace
}  // namespace bramble
