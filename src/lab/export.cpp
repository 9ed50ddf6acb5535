#include "lab/export.h"

#include <cstdio>

#include "console/ascii.h"
#include "console/charset.h"
#include "console/sgr.h"
#include "lab/numbers.h"
#include "lab/wilson.h"
#include "version.h"

namespace bramble::lab {

namespace {

std::string Hex(const std::string& bytes) {
  std::string hex;
  for (char c : bytes)
    AppendHexByte(&hex, static_cast<unsigned char>(c));
  return hex;
}

std::string Head(const char* kind) {
  return std::string("{\n  \"program\": \"brambleworthen-odds\",\n  \"version\": ") +
         JsonString(BRAMBLE_VERSION) + ",\n  \"schema\": " + std::to_string(kJsonSchema) +
         ",\n  \"kind\": \"" + kind + "\",\n";
}

std::string JsonNumber(double value) { return ShortestNumber(value); }

// A fighter's name and attributes; the hidden ones are listed as such.
std::string FighterJson(const Fighter& f) {
  return "{\"name\": " + JsonString(NameText(f.name)) + ", \"gbk\": \"" + Hex(f.name) +
         "\", \"hp\": " + std::to_string(f.hp()) + ", \"mp\": " + std::to_string(f.mp()) +
         ", \"atk\": " + std::to_string(f.atk()) + ", \"def\": " + std::to_string(f.def()) +
         ", \"agility\": " + std::to_string(f.agility()) +
         ", \"cunning\": " + std::to_string(f.cunning()) +
         ", \"hidden\": [\"agility\", \"cunning\"]}";
}

std::string Fraction(uint64_t part, uint64_t whole) { return JsonNumber(Ratio(part, whole)); }

// Counts, fractions and battle lengths, common to both pair reports.
std::string TallyJson(const Fighter& one, const Fighter& two, const Tally& tally) {
  uint64_t n = tally.battles();
  std::string json =
      "  \"fighters\": [" + FighterJson(one) + ",\n               " + FighterJson(two) + "],\n";
  json += "  \"battles\": " + std::to_string(n) + ",\n";
  json += "  \"wins\": [" + std::to_string(tally.first_wins) + ", " +
          std::to_string(tally.second_wins) + "],\n";
  json += "  \"unfinished\": " + std::to_string(tally.unfinished) + ",\n";
  json += "  \"fractions\": [" + Fraction(tally.first_wins, n) + ", " +
          Fraction(tally.second_wins, n) + "],\n";
  json += "  \"ticks\": {\"cap\": " + std::to_string(kTickCap) +
          ", \"mean\": " + JsonNumber(tally.MeanTicks()) +
          ", \"median\": " + JsonNumber(tally.MedianTicks()) + ", \"lengths\": [";
  bool first = true;
  for (uint32_t ticks = 1; ticks <= kTickCap; ++ticks) {
    if (uint64_t count = tally.LengthCount(ticks)) {
      json += (first ? "[" : ", [") + std::to_string(ticks) + ", " + std::to_string(count) + "]";
      first = false;
    }
  }
  return json + "]}";
}

std::string IntervalJson(const Interval& interval) {
  return "[" + JsonNumber(interval.low) + ", " + JsonNumber(interval.high) + "]";
}

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

std::string CsvAttributes(const Fighter& f) {
  return std::to_string(f.hp()) + "," + std::to_string(f.mp()) + "," + std::to_string(f.atk()) +
         "," + std::to_string(f.def()) + "," + std::to_string(f.agility()) + "," +
         std::to_string(f.cunning());
}

const char kPairCsvHeader[] =
    "name,hp,mp,atk,def,agility_hidden,cunning_hidden,wins,battles,fraction,ci_low,ci_high,"
    "unfinished,mean_ticks,median_ticks\n";

std::string PairCsv(const Fighter& one, const Fighter& two, const Tally& tally, bool intervals) {
  std::string csv = kPairCsvHeader;
  uint64_t n = tally.battles();
  for (const auto& [f, wins] :
       {std::pair{&one, tally.first_wins}, std::pair{&two, tally.second_wins}}) {
    Interval ci = WilsonInterval(wins, n);
    csv += CsvField(NameText(f->name)) + "," + CsvAttributes(*f) + "," + std::to_string(wins) +
           "," + std::to_string(n) + "," + Fraction(wins, n) + "," +
           (intervals ? JsonNumber(ci.low) + "," + JsonNumber(ci.high) : std::string(",")) + "," +
           std::to_string(tally.unfinished) + "," + JsonNumber(tally.MeanTicks()) + "," +
           JsonNumber(tally.MedianTicks()) + "\n";
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
      return "null";
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

void WriteJson(std::ostream& out, const PairReport& report) {
  const Tally& tally = report.tally;
  uint64_t n = tally.battles();
  if (report.kind == PairReport::Kind::kSample) {
    out << Head("sample") << TallyJson(report.one, report.two, tally) << ",\n  \"intervals\": ["
        << IntervalJson(WilsonInterval(tally.first_wins, n)) << ", "
        << IntervalJson(WilsonInterval(tally.second_wins, n)) << "],\n  \"confidence\": 0.95,\n"
        << "  \"seed\": " << report.seed << ",\n  \"threads\": " << report.threads << "\n}\n";
    return;
  }
  const std::vector<StateRange>& ranges = report.ranges;
  out << Head("exact") << TallyJson(report.one, report.two, tally) << ",\n  \"exact\": [\""
      << LowestTerms(tally.first_wins, n) << "\", \"" << LowestTerms(tally.second_wins, n)
      << "\"],\n  \"ranges\": [";
  for (size_t i = 0; i < ranges.size(); ++i)
    out << (i ? ", [" : "[") << ranges[i].first << ", " << ranges[i].count << "]";
  uint64_t covered = Covered(ranges);
  out << "],\n  \"states\": " << covered << ",\n  \"coverage\": " << Fraction(covered, kStateCount)
      << "\n}\n";
}

void WriteCsv(std::ostream& out, const PairReport& report) {
  out << PairCsv(report.one, report.two, report.tally, report.kind == PairReport::Kind::kSample);
}

void WriteJson(std::ostream& out, const RankReport& report) {
  const Ranking& ranking = report.ranking;
  out << Head(report.battles ? "rank" : "exact-rank");
  out << "  \"battles_per_pair\": " << report.battles.value_or(report.most) << ",\n";
  out << "  \"seed\": " << (report.seed ? std::to_string(*report.seed) : std::string("null"))
      << ",\n";
  out << "  \"confidence\": 0.95,\n  \"names\": [\n";
  for (size_t r = 0; r < ranking.rows.size(); ++r) {
    const RankRow& row = ranking.rows[r];
    std::string fighter = FighterJson(row.fighter);
    fighter.pop_back();  // the closing brace: the row's own fields follow
    out << "    " << fighter << ", \"rank\": " << r + 1
        << ", \"mean_win_rate\": " << JsonNumber(row.mean_win_rate)
        << ", \"interval\": " << IntervalJson(row.interval) << ", \"wins\": " << row.total.wins
        << ", \"battles\": " << row.total.battles << ", \"beaten\": " << row.beaten << "}"
        << (r + 1 < ranking.rows.size() ? ",\n" : "\n");
  }
  out << "  ],\n  \"matrix\": [\n";
  for (size_t r = 0; r < ranking.matrix.size(); ++r) {
    out << "    [";
    for (size_t c = 0; c < ranking.matrix[r].size(); ++c) {
      const Share& share = ranking.matrix[r][c];
      out << (c ? ", " : "");
      if (r == c)
        out << "null";
      else
        out << "{\"wins\": " << share.wins << ", \"battles\": " << share.battles
            << ", \"rate\": " << JsonNumber(share.Rate()) << "}";
    }
    out << (r + 1 < ranking.matrix.size() ? "],\n" : "]\n");
  }
  out << "  ]\n}\n";
}

void WriteCsv(std::ostream& out, const RankReport& report) {
  const Ranking& ranking = report.ranking;
  out << "rank,name,mean_win_rate,ci_low,ci_high,wins,battles,beaten,hp,mp,atk,def,agility_hidden,"
         "cunning_hidden\n";
  for (size_t r = 0; r < ranking.rows.size(); ++r) {
    const RankRow& row = ranking.rows[r];
    out << r + 1 << "," << CsvField(NameText(row.name)) << "," << JsonNumber(row.mean_win_rate)
        << "," << JsonNumber(row.interval.low) << "," << JsonNumber(row.interval.high) << ","
        << row.total.wins << "," << row.total.battles << "," << row.beaten << ","
        << CsvAttributes(row.fighter) << "\n";
  }
}

void WriteJson(std::ostream& out, const ReplayReport& report) {
  const BattleResult& result = report.result;
  bool ended = result.winner != Winner::kUnfinished;
  out << Head("replay") << "  \"state\": " << report.state << ",\n  \"fighters\": ["
      << FighterJson(report.one) << ",\n               " << FighterJson(report.two)
      << "],\n  \"ended\": " << (ended ? "true" : "false")
      << ",\n  \"winner\": " << WinnerOf(result) << ",\n  \"ticks\": " << result.ticks
      << ",\n  \"tick_cap\": " << kTickCap << ",\n  \"hp_after\": [" << report.hp1 << ", "
      << report.hp2 << "]\n}\n";
}

void WriteCsv(std::ostream& out, const ReplayReport& report) {
  const BattleResult& result = report.result;
  std::string winner = WinnerOf(result);
  out << "state,name1,name2,winner,ticks,ended,hp1_after,hp2_after\n"
      << report.state << "," << CsvField(NameText(report.one.name)) << ","
      << CsvField(NameText(report.two.name)) << "," << (winner == "null" ? "" : winner) << ","
      << result.ticks << "," << (result.winner != Winner::kUnfinished ? "true" : "false") << ","
      << report.hp1 << "," << report.hp2 << "\n";
}

}  // namespace bramble::lab
