#include "lab/export.h"

#include <cstdio>

#include "console/charset.h"
#include "console/sgr.h"
#include "lab/json.h"
#include "lab/report.h"
#include "lab/wilson.h"
#include "version.h"

namespace bramble::lab {

namespace {

std::string Hex(const std::string& bytes) {
  static const char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (char c : bytes) {
    hex += kDigits[static_cast<unsigned char>(c) >> 4];
    hex += kDigits[static_cast<unsigned char>(c) & 15];
  }
  return hex;
}

std::string Head(const char* kind) {
  return std::string("{\n  \"program\": \"brambleworthen-odds\",\n  \"version\": ") +
         JsonString(BRAMBLE_VERSION) + ",\n  \"kind\": \"" + kind + "\",\n";
}

// A fighter's name and attributes; the hidden ones are listed as such.
std::string FighterJson(const Fighter& f) {
  return "{\"name\": " + JsonString(NameText(f.name)) + ", \"gbk\": \"" + Hex(f.name) +
         "\", \"hp\": " + std::to_string(f.hp()) + ", \"mp\": " + std::to_string(f.mp()) +
         ", \"atk\": " + std::to_string(f.atk()) + ", \"def\": " + std::to_string(f.def()) +
         ", \"agility\": " + std::to_string(f.agility()) +
         ", \"cunning\": " + std::to_string(f.cunning()) +
         ", \"hidden\": [\"agility\", \"cunning\"]}";
}

std::string Fraction(uint64_t part, uint64_t whole) {
  return JsonNumber(whole ? static_cast<double>(part) / static_cast<double>(whole) : 0);
}

// Counts, fractions and battle lengths, common to both pair reports.
std::string TallyJson(const Fighter& one, const Fighter& two, const Tally& tally) {
  uint64_t n = tally.battles();
  std::string json =
      "  \"fighters\": [" + FighterJson(one) + ",\n               " + FighterJson(two) + "],\n";
  json += "  \"battles\": " + std::to_string(n) + ",\n";
  json += "  \"wins\": [" + std::to_string(tally.firstWins) + ", " +
          std::to_string(tally.secondWins) + "],\n";
  json += "  \"unfinished\": " + std::to_string(tally.unfinished) + ",\n";
  json += "  \"fractions\": [" + Fraction(tally.firstWins, n) + ", " +
          Fraction(tally.secondWins, n) + "],\n";
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

// One CSV field: quoted when it holds a comma, a quote or a line break.
std::string CsvField(const std::string& text) {
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
       {std::pair{&one, tally.firstWins}, std::pair{&two, tally.secondWins}}) {
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

std::string SampleJson(const Fighter& one, const Fighter& two, const Tally& tally, uint64_t seed,
                       int threads) {
  uint64_t n = tally.battles();
  return Head("sample") + TallyJson(one, two, tally) + ",\n  \"intervals\": [" +
         IntervalJson(WilsonInterval(tally.firstWins, n)) + ", " +
         IntervalJson(WilsonInterval(tally.secondWins, n)) + "],\n  \"confidence\": 0.95,\n" +
         "  \"seed\": " + std::to_string(seed) + ",\n  \"threads\": " + std::to_string(threads) +
         "\n}\n";
}

std::string SampleCsv(const Fighter& one, const Fighter& two, const Tally& tally) {
  return PairCsv(one, two, tally, true);
}

std::string ExactJson(const Fighter& one, const Fighter& two, const Tally& tally,
                      const std::vector<StateRange>& ranges) {
  std::string json = Head("exact") + TallyJson(one, two, tally) + ",\n  \"exact\": [\"" +
                     LowestTerms(tally.firstWins, tally.battles()) + "\", \"" +
                     LowestTerms(tally.secondWins, tally.battles()) + "\"],\n  \"ranges\": [";
  for (size_t i = 0; i < ranges.size(); ++i)
    json += (i ? ", [" : "[") + std::to_string(ranges[i].first) + ", " +
            std::to_string(ranges[i].count) + "]";
  uint64_t covered = Covered(ranges);
  return json + "],\n  \"states\": " + std::to_string(covered) +
         ",\n  \"coverage\": " + Fraction(covered, kStateCount) + "\n}\n";
}

std::string ExactCsv(const Fighter& one, const Fighter& two, const Tally& tally) {
  return PairCsv(one, two, tally, false);
}

std::string RankJson(const Ranking& ranking, std::optional<uint64_t> battles,
                     std::optional<uint64_t> seed, uint64_t states) {
  std::string json = Head(battles ? "rank" : "exact-rank");
  json += "  \"battlesPerPair\": " + std::to_string(battles.value_or(states)) + ",\n";
  json += "  \"seed\": " + (seed ? std::to_string(*seed) : std::string("null")) + ",\n";
  json += "  \"confidence\": 0.95,\n  \"names\": [\n";
  for (size_t r = 0; r < ranking.rows.size(); ++r) {
    const RankRow& row = ranking.rows[r];
    std::string fighter = FighterJson(row.fighter);
    fighter.pop_back();  // the closing brace: the row's own fields follow
    json += "    " + fighter + ", \"rank\": " + std::to_string(r + 1) +
            ", \"meanWinRate\": " + JsonNumber(row.meanWinRate) +
            ", \"interval\": " + IntervalJson(row.interval) +
            ", \"wins\": " + std::to_string(row.total.wins) +
            ", \"battles\": " + std::to_string(row.total.battles) +
            ", \"beaten\": " + std::to_string(row.beaten) + "}" +
            (r + 1 < ranking.rows.size() ? ",\n" : "\n");
  }
  json += "  ],\n  \"matrix\": [\n";
  for (size_t r = 0; r < ranking.matrix.size(); ++r) {
    json += "    [";
    for (size_t c = 0; c < ranking.matrix[r].size(); ++c) {
      const Share& share = ranking.matrix[r][c];
      json += c ? ", " : "";
      json += r == c ? "null"
                     : "{\"wins\": " + std::to_string(share.wins) +
                           ", \"battles\": " + std::to_string(share.battles) +
                           ", \"rate\": " + JsonNumber(share.Rate()) + "}";
    }
    json += r + 1 < ranking.matrix.size() ? "],\n" : "]\n";
  }
  return json + "  ]\n}\n";
}

std::string RankCsv(const Ranking& ranking) {
  std::string csv =
      "rank,name,mean_win_rate,ci_low,ci_high,wins,battles,beaten,hp,mp,atk,def,agility_hidden,"
      "cunning_hidden\n";
  for (size_t r = 0; r < ranking.rows.size(); ++r) {
    const RankRow& row = ranking.rows[r];
    csv += std::to_string(r + 1) + "," + CsvField(NameText(row.name)) + "," +
           JsonNumber(row.meanWinRate) + "," + JsonNumber(row.interval.low) + "," +
           JsonNumber(row.interval.high) + "," + std::to_string(row.total.wins) + "," +
           std::to_string(row.total.battles) + "," + std::to_string(row.beaten) + "," +
           CsvAttributes(row.fighter) + "\n";
  }
  return csv;
}

std::string ReplayJson(uint32_t state, const Fighter& one, const Fighter& two,
                       const BattleResult& result, int32_t hp1, int32_t hp2) {
  bool ended = result.winner != Winner::kUnfinished;
  return Head("replay") + "  \"state\": " + std::to_string(state) + ",\n  \"fighters\": [" +
         FighterJson(one) + ",\n               " + FighterJson(two) +
         "],\n  \"ended\": " + (ended ? "true" : "false") + ",\n  \"winner\": " + WinnerOf(result) +
         ",\n  \"ticks\": " + std::to_string(result.ticks) +
         ",\n  \"tickCap\": " + std::to_string(kTickCap) + ",\n  \"hpAfter\": [" +
         std::to_string(hp1) + ", " + std::to_string(hp2) + "]\n}\n";
}

std::string ReplayCsv(uint32_t state, const Fighter& one, const Fighter& two,
                      const BattleResult& result, int32_t hp1, int32_t hp2) {
  std::string winner = WinnerOf(result);
  return "state,name1,name2,winner,ticks,ended,hp1_after,hp2_after\n" + std::to_string(state) +
         "," + CsvField(NameText(one.name)) + "," + CsvField(NameText(two.name)) + "," +
         (winner == "null" ? "" : winner) + "," + std::to_string(result.ticks) + "," +
         (result.winner != Winner::kUnfinished ? "true" : "false") + "," + std::to_string(hp1) +
         "," + std::to_string(hp2) + "\n";
}

}  // namespace bramble::lab
