#include "lab/export.h"

#include <cstdio>

#include "console/charset.h"
#include "console/sgr.h"
#include "lab/numbers.h"
#include "lab/wilson.h"

namespace bramble::lab {

namespace {

std::string Fraction(uint64_t part, uint64_t whole) { return ShortestNumber(Ratio(part, whole)); }

// One CSV field: quoted when it holds a comma, a quote or a line break. A
// field a spreadsheet would run as a formula (= + - @ first) gets an
// apostrophe in front, which spreadsheets take as "text" and hide.
std::string CsvField(std::string text) {
  if (!text.empty() && std::string_view("=+-@").find(text[0]) != std::string_view::npos)
    text.insert(0, 1, '\'');
  if (text.find_first_of(",\"\r\n") == std::string::npos)
    return text;
  std::string quoted = "\"";
  for (char c : text)
    quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

// The attributes' columns, or a fighter's values in them.
std::string CsvAttributes(const Fighter* f = nullptr) {
  std::string csv;
  for (const Attribute& attribute : kAttributes)
    csv += (csv.empty() ? "" : ",") + (f ? std::to_string(f->*attribute.slot) : attribute.csv);
  return csv;
}

std::string PairCsv(const Fighter& one, const Fighter& two, const Tally& tally, bool intervals) {
  std::string csv = "name," + CsvAttributes() +
                    ",wins,battles,fraction,ci_low,ci_high,unfinished,mean_ticks,median_ticks\n";
  uint64_t n = tally.battles();
  for (const auto& [f, wins] :
       {std::pair{&one, tally.first_wins}, std::pair{&two, tally.second_wins}}) {
    Interval ci = WilsonInterval(wins, n);
    csv += CsvField(NameText(f->name)) + "," + CsvAttributes(f) + "," + std::to_string(wins) + "," +
           std::to_string(n) + "," + Fraction(wins, n) + "," +
           (intervals ? ShortestNumber(ci.low) + "," + ShortestNumber(ci.high) : std::string(",")) +
           "," + std::to_string(tally.unfinished) + "," + ShortestNumber(tally.MeanTicks()) + "," +
           ShortestNumber(tally.MedianTicks()) + "\n";
  }
  return csv;
}

const char* WinnerOf(const BattleResult& result) {
  switch (result.winner) {
    case Winner::kFirst:
      return "1";
    case Winner::kSecond:
      return "2";
    default:
      return "";
  }
}

}  // namespace

std::string NameText(const std::string& gbk) { return GbkToUtf8(ShowControls(gbk)); }

std::string JsonString(std::string_view utf8) {
  std::string out = "\"";
  for (char c : utf8) {
    auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20 || byte == 0x7F) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", byte);
      out += escape;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

void WriteCsv(std::ostream& out, const PairReport& report) {
  out << PairCsv(report.one, report.two, report.tally, report.kind == PairReport::Kind::kSample);
}

void WriteCsv(std::ostream& out, const RankReport& report) {
  const Ranking& ranking = report.ranking;
  out << "rank,name,mean_win_rate,ci_low,ci_high,wins,battles,beaten," << CsvAttributes() << "\n";
  for (size_t r = 0; r < ranking.rows.size(); ++r) {
    const RankRow& row = ranking.rows[r];
    out << r + 1 << "," << CsvField(NameText(row.fighter.name)) << ","
        << ShortestNumber(row.mean_win_rate) << "," << ShortestNumber(row.interval.low) << ","
        << ShortestNumber(row.interval.high) << "," << row.total.wins << "," << row.total.battles
        << "," << row.beaten << "," << CsvAttributes(&row.fighter) << "\n";
  }
}

void WriteCsv(std::ostream& out, const ReplayReport& report) {
  const BattleResult& result = report.result;
  out << "state,name1,name2,winner,ticks,ended,hp1_after,hp2_after\n"
      << report.state << "," << CsvField(NameText(report.one.name)) << ","
      << CsvField(NameText(report.two.name)) << "," << WinnerOf(result) << "," << result.ticks
      << "," << (result.winner != Winner::kUnfinished ? "true" : "false") << "," << report.hp1
      << "," << report.hp2 << "\n";
}

}  // namespace bramble::lab
