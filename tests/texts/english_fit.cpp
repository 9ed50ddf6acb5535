// The English narration on an 80-column console: what english_fit.h says.
#include "english_fit.h"

#include <cstdint>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "battle/bout.h"
#include "battle/lines.h"
#include "battle/random.h"

namespace bramble {

namespace {

constexpr size_t kWidest = 79;

// Keeps the rows of every line the English narration makes of a battle.
class Rows : public Narrator {
 public:
  void Tell(const Event& event, const Fighter& first, const Fighter& second) override {
    told.insert(event.what);
    if (event.what == Happening::kSong)
      titles.insert(event.number);
    if (event.what == Happening::kListenerRefreshed || event.what == Happening::kSingerRefreshed)
      reactions.insert(event.number);
    std::string plain;
    const std::string line = EnglishLine(event, first, second);
    for (size_t i = 0; i < line.size(); ++i) {
      if (line[i] == '<') {  // a colour tag: <f> or <f,b>
        size_t end = line.find('>', i);
        if (end != std::string::npos && line.find_first_not_of("0123456789,", i + 1) == end) {
          i = end;
          continue;
        }
      }
      if (line[i] != '\a')
        plain += line[i];
    }
    for (size_t start = 0; start < plain.size();) {
      size_t end = plain.find('\n', start);
      if (end == std::string::npos)
        end = plain.size();
      if (end > start)
        rows.push_back(plain.substr(start, end - start));
      start = end + 1;
    }
  }
  std::vector<std::string> rows;
  std::set<Happening> told;
  std::set<int32_t> titles;
  std::set<int32_t> reactions;
};

// Columns on the console (a GBK character is two bytes and two columns),
// each number counted as if it had at least three digits.
size_t Columns(const std::string& row) {
  size_t columns = 0;
  size_t digits = 0;
  for (size_t i = 0; i <= row.size(); ++i) {
    if (i < row.size() && row[i] >= '0' && row[i] <= '9') {
      ++digits;
      continue;
    }
    columns += digits == 0 ? 0 : digits < 3 ? 3 : digits;
    digits = 0;
    if (i < row.size())
      ++columns;
  }
  return columns;
}

// Tells the first faults (a fault of a line shows in many battles).
int Fault(const char* what, const std::string& row, int so_far) {
  if (so_far < 20)
    std::fprintf(stderr, "text_session: English %s: %s\n", what, row.c_str());
  return 1;
}

}  // namespace

int EnglishFitFaults(std::string_view shell) {
  int faults = 0;
  for (size_t start = 0; start < shell.size();) {
    size_t end = shell.find('\n', start);
    if (end == std::string_view::npos)
      end = shell.size();
    std::string row(shell.substr(start, end - start));
    if (!row.empty() && row.back() == '\r')
      row.pop_back();
    if (!row.empty() && row.back() == '\a')
      row.pop_back();
    if (row.size() > kWidest)
      faults += Fault("text wider than 79 columns", row, faults);
    start = end + 1;
  }

  // Seven letters each; these pairs between them draw every happening,
  // title and reaction.
  const char* const pairs[][2] = {{"Abigail", "Zachary"},
                                  {"Knights", "Beatrix"},
                                  {"Maximus", "Evelynn"},
                                  {"Orlando", "Quentin"}};
  int battles = 0;
  Rows rows;
  for (const auto& pair : pairs) {
    const std::string one = pair[0], two = pair[1];
    for (uint32_t seed = 1; seed <= 130; ++seed, ++battles) {
      rows.rows.clear();
      Dice dice = Dice::Seeded(seed);
      Bout bout(&rows);
      bout.first.Build(one);
      bout.Tell({Happening::kIntroduced, &bout.first});
      bout.second.Build(two);
      bout.Tell({Happening::kIntroduced, &bout.second});
      bout.PickFirstAttacker(dice);
      bout.Begin();
      while (!bout.ended)
        bout.Step(dice);
      for (const std::string& row : rows.rows) {
        if (Columns(row) > kWidest)
          faults += Fault("line wider than 79 columns", row, faults);
        for (const std::string& name : {one, two}) {
          if (row.find(name + "'s") != std::string::npos)
            faults += Fault("line making a name possessive", row, faults);
        }
        bool capital = row[0] >= 'A' && row[0] <= 'Z';
        if (!capital && row.rfind(one, 0) != 0 && row.rfind(two, 0) != 0 &&
            row.rfind("*--", 0) != 0)
          faults += Fault("line that starts as no sentence starts", row, faults);
      }
    }
  }
  // Every happening but the bare line end, which the Arena alone tells.
  size_t happenings = static_cast<size_t>(Happening::kHurtBySong);
  if (battles < 500 || rows.told.size() != happenings ||
      rows.titles.size() != static_cast<size_t>(rules::kSongTitleCount) ||
      rows.reactions.size() != static_cast<size_t>(rules::kReactionLineCount)) {
    std::fprintf(stderr,
                 "text_session: the English battles prove too little: %d battles, %zu of %zu "
                 "happenings, %zu titles, %zu reactions\n",
                 battles, rows.told.size(), happenings, rows.titles.size(), rows.reactions.size());
    ++faults;
  }
  return faults;
}

}  // namespace bramble
