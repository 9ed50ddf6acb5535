// The lab's JSON documents, each kind written and read in one place (its
// keys named once, in key::), through nlohmann/json. Documents come back
// from other machines: the reader refuses anything that is not ours or does
// not add up, and nesting deeper than any document of ours.
#include <algorithm>
#include <nlohmann/json.hpp>

#include "console/ascii.h"
#include "lab/export.h"
#include "lab/json_read.h"
#include "lab/numbers.h"
#include "lab/request.h"
#include "lab/wilson.h"
#include "version.h"

namespace bramble::lab {

namespace {

// Keys keep the order they are written in.
using Json = nlohmann::ordered_json;

namespace key {
constexpr char kProgram[] = "program", kVersion[] = "version", kSchema[] = "schema",
               kKind[] = "kind";
constexpr char kName[] = "name", kGbk[] = "gbk", kHidden[] = "hidden";
constexpr char kFighters[] = "fighters", kBattles[] = "battles", kWins[] = "wins",
               kUnfinished[] = "unfinished", kFractions[] = "fractions", kTicks[] = "ticks",
               kCap[] = "cap", kMean[] = "mean", kMedian[] = "median", kLengths[] = "lengths";
constexpr char kIntervals[] = "intervals", kConfidence[] = "confidence", kSeed[] = "seed",
               kThreads[] = "threads";
constexpr char kExact[] = "exact", kRanges[] = "ranges", kStates[] = "states",
               kCoverage[] = "coverage";
constexpr char kPerPair[] = "battles_per_pair", kNames[] = "names", kMatrix[] = "matrix",
               kRank[] = "rank", kMeanWinRate[] = "mean_win_rate", kInterval[] = "interval",
               kBeaten[] = "beaten", kRate[] = "rate";
constexpr char kState[] = "state", kEnded[] = "ended", kWinner[] = "winner",
               kTickCap[] = "tick_cap", kHpAfter[] = "hp_after";
}  // namespace key

constexpr char kProgramName[] = "brambleworthen-odds";
constexpr char kSampleKind[] = "sample", kExactKind[] = "exact", kRankKind[] = "rank",
               kExactRankKind[] = "exact-rank", kReplayKind[] = "replay";
// Deeper nesting than any document of ours is refused while parsing.
constexpr int kMaxDepth = 64;
constexpr double kConfidence = 0.95;

// --- Writing ------------------------------------------------------------------

// A value on one line: ", " between items, ": " after keys; numbers as the
// shortest text that reads back the same.
void WriteValue(std::string* out, const Json& value) {
  switch (value.type()) {
    case Json::value_t::object:
    case Json::value_t::array: {
      bool object = value.is_object();
      const char* comma = "";
      *out += object ? '{' : '[';
      for (const auto& item : value.items()) {
        *out += comma + (object ? JsonString(item.key()) + ": " : "");
        WriteValue(out, item.value());
        comma = ", ";
      }
      *out += object ? '}' : ']';
      break;
    }
    case Json::value_t::string:
      *out += JsonString(value.get_ref<const std::string&>());
      break;
    case Json::value_t::number_float:
      *out += ShortestNumber(value.get<double>());
      break;
    default:  // whole numbers, true, false, null
      *out += value.dump();
      break;
  }
}

// A document: each member on a line of its own, and each item of a list of
// objects (names, the matrix's rows) too; the two fighters one under the
// other.
std::string DocumentText(const Json& doc) {
  auto holds_objects = [](const Json& value) {
    return value.is_array() && std::any_of(value.begin(), value.end(), [](const Json& item) {
             return item.is_object() ||
                    (item.is_array() && std::any_of(item.begin(), item.end(), [](const Json& cell) {
                       return cell.is_object();
                     }));
           });
  };
  std::string text = "{\n";
  const char* comma = "";
  for (const auto& [name, value] : doc.items()) {
    text += comma + std::string("  ") + JsonString(name) + ": ";
    if (name == key::kFighters && value.size() == 2) {
      std::string indent(text.size() - text.rfind('\n'), ' ');
      text += "[";
      WriteValue(&text, value[0]);
      text += ",\n" + indent;
      WriteValue(&text, value[1]);
      text += "]";
    } else if (holds_objects(value)) {
      text += "[\n";
      for (size_t i = 0; i < value.size(); ++i) {
        text += "    ";
        WriteValue(&text, value[i]);
        text += i + 1 < value.size() ? ",\n" : "\n";
      }
      text += "  ]";
    } else {
      WriteValue(&text, value);
    }
    comma = ",\n";
  }
  return text + "\n}\n";
}

std::string Hex(const std::string& bytes) {
  std::string hex;
  for (char c : bytes)
    AppendHexByte(&hex, static_cast<unsigned char>(c));
  return hex;
}

Json Head(const char* kind) {
  return {{key::kProgram, kProgramName},
          {key::kVersion, BRAMBLE_VERSION},
          {key::kSchema, kJsonSchema},
          {key::kKind, kind}};
}

// A fighter's name and attributes; the hidden ones are listed as such.
Json FighterJson(const Fighter& f) {
  Json fighter = {{key::kName, NameText(f.name)}, {key::kGbk, Hex(f.name)}};
  Json hidden = Json::array();
  for (const Attribute& attribute : kAttributes) {
    fighter[attribute.key] = f.*attribute.slot;
    if (attribute.hidden)
      hidden.push_back(attribute.key);
  }
  fighter[key::kHidden] = std::move(hidden);
  return fighter;
}

Json IntervalJson(const Interval& interval) { return Json::array({interval.low, interval.high}); }

// Counts, fractions and battle lengths, common to both pair reports.
void AddTally(Json* doc, const Fighter& one, const Fighter& two, const Tally& tally) {
  uint64_t n = tally.battles();
  Json lengths = Json::array();
  for (uint32_t ticks = 1; ticks <= kTickCap; ++ticks) {
    if (uint64_t count = tally.LengthCount(ticks))
      lengths.push_back({ticks, count});
  }
  (*doc)[key::kFighters] = {FighterJson(one), FighterJson(two)};
  (*doc)[key::kBattles] = n;
  (*doc)[key::kWins] = {tally.first_wins, tally.second_wins};
  (*doc)[key::kUnfinished] = tally.unfinished;
  (*doc)[key::kFractions] = {Ratio(tally.first_wins, n), Ratio(tally.second_wins, n)};
  (*doc)[key::kTicks] = {{key::kCap, kTickCap},
                         {key::kMean, tally.MeanTicks()},
                         {key::kMedian, tally.MedianTicks()},
                         {key::kLengths, std::move(lengths)}};
}

// --- Reading ------------------------------------------------------------------

// A document that is not sound: damaged, edited, or not the lab's.
std::nullopt_t Damaged(Refusal* why, std::string text) {
  return Refuse(why, Refusal::Kind::kDocument, std::move(text));
}

// Builds the document as the library's own parser does, but stops at
// nesting deeper than kMaxDepth, and notes where a text stops being JSON.
// No exceptions: the browser's build does not catch them.
class Limited : public nlohmann::detail::json_sax_dom_parser<Json> {
 public:
  explicit Limited(Json* doc) : json_sax_dom_parser(*doc, false) {}
  bool start_object(std::size_t size) {
    return Deeper() && json_sax_dom_parser::start_object(size);
  }
  bool end_object() {
    --depth_;
    return json_sax_dom_parser::end_object();
  }
  bool start_array(std::size_t size) { return Deeper() && json_sax_dom_parser::start_array(size); }
  bool end_array() {
    --depth_;
    return json_sax_dom_parser::end_array();
  }
  bool parse_error(std::size_t position, const std::string& token,
                   const nlohmann::detail::exception& problem) {
    at = position;
    return json_sax_dom_parser::parse_error(position, token, problem);
  }
  bool too_deep = false;
  size_t at = 0;

 private:
  bool Deeper() {
    too_deep = ++depth_ > kMaxDepth;
    return !too_deep;
  }
  int depth_ = 0;
};

std::optional<Json> LabDocument(std::string_view text, Refusal* why) {
  Json doc;
  Limited builder(&doc);
  if (!Json::sax_parse(text, &builder) || builder.is_errored()) {
    if (builder.too_deep)
      return Damaged(why, "not a document of the lab: nested too deep");
    return Damaged(why, "not valid JSON: an error at byte " + std::to_string(builder.at));
  }
  if (!doc.is_object())
    return Damaged(why, "not a document of brambleworthen-odds (--format json)");
  return doc;
}

const Json* Member(const Json& object, const char* name) {
  if (!object.is_object())
    return nullptr;
  auto it = object.find(name);
  return it == object.end() ? nullptr : &*it;
}

std::optional<uint64_t> Unsigned(const Json* value) {
  if (!value || !value->is_number_unsigned())
    return std::nullopt;
  return value->get<uint64_t>();
}

std::optional<uint64_t> Unsigned(const Json& object, const char* name) {
  return Unsigned(Member(object, name));
}

const Json* Array(const Json& object, const char* name, size_t size = 0) {
  const Json* value = Member(object, name);
  if (!value || !value->is_array() || (size && value->size() != size))
    return nullptr;
  return value;
}

std::string Text(const Json& object, const char* name) {
  const Json* value = Member(object, name);
  return value && value->is_string() ? value->get<std::string>() : std::string();
}

// Two unsigned numbers, [a, b].
bool UnsignedPair(const Json& value, uint64_t* a, uint64_t* b) {
  if (!value.is_array() || value.size() != 2)
    return false;
  std::optional<uint64_t> first = Unsigned(&value[0]), second = Unsigned(&value[1]);
  if (!first || !second)
    return false;
  *a = *first;
  *b = *second;
  return true;
}

std::optional<std::string> FromHex(const std::string& hex) {
  if (hex.size() % 2 != 0)
    return std::nullopt;
  std::string bytes;
  for (size_t i = 0; i < hex.size(); i += 2) {
    int high = HexDigitValue(hex[i]), low = HexDigitValue(hex[i + 1]);
    if (high < 0 || low < 0)
      return std::nullopt;
    bytes += static_cast<char>(high * 16 + low);
  }
  return bytes;
}

// A fighter from its name's bytes.
std::optional<Fighter> FighterOf(const Json& fighter) {
  std::optional<std::string> name = FromHex(Text(fighter, key::kGbk));
  if (!name || name->empty())
    return std::nullopt;
  Fighter built;
  built.Build(*name);
  return built;
}

// Whether a document says it comes from another version or schema of the
// lab (one that says nothing is damaged, not another lab's).
bool OtherLab(const Json& doc) {
  const Json* version = Member(doc, key::kVersion);
  const Json* schema = Member(doc, key::kSchema);
  return (version && *version != BRAMBLE_VERSION) || (schema && *schema != kJsonSchema);
}

// The version, schema and program every document carries.
bool SameLab(const Json& doc, Refusal* why) {
  std::string version = Text(doc, key::kVersion);
  Refusal::Kind kind = OtherLab(doc) ? Refusal::Kind::kOtherLab : Refusal::Kind::kDocument;
  if (version != BRAMBLE_VERSION)
    Refuse(why, kind,
           "written by version " + (version.empty() ? std::string("?") : version) +
               ", this is " BRAMBLE_VERSION ": the rules may differ");
  else if (Unsigned(doc, key::kSchema) != uint64_t{kJsonSchema})
    Refuse(why, kind,
           "written with another schema of the lab's JSON than " + std::to_string(kJsonSchema));
  else if (Text(doc, key::kProgram) != kProgramName)
    Refuse(why, kind, std::string("not written by ") + kProgramName);
  else
    return true;
  return false;
}

// [first, count] pairs within the start states, sorted and apart.
bool ReadRanges(const Json& doc, std::vector<StateRange>* ranges, Refusal* why) {
  const Json* list = Array(doc, key::kRanges);
  if (!list || list->empty()) {
    Damaged(why, "no ranges of start states");
    return false;
  }
  // Checked as a page's ranges are: past 2^32 a double's rounding cannot
  // bring a number back within the states.
  std::vector<std::pair<double, double>> given;
  for (const Json& range : *list) {
    uint64_t first = 0, count = 0;
    bool read = UnsignedPair(range, &first, &count);
    given.emplace_back(read ? static_cast<double>(first) : -1.0, static_cast<double>(count));
  }
  std::optional<std::vector<StateRange>> checked = RangesOf(given, why);
  if (!checked) {
    Damaged(why, why->kind == Refusal::Kind::kRangeOverlap
                     ? "its own ranges overlap"
                     : "a range beyond the 2^32 start states");
    return false;
  }
  *ranges = std::move(*checked);
  return true;
}

bool ReadTally(const Json& doc, Tally* tally, Refusal* why) {
  const Json* wins = Member(doc, key::kWins);
  std::optional<uint64_t> unfinished = Unsigned(doc, key::kUnfinished);
  if (!wins || !UnsignedPair(*wins, &tally->first_wins, &tally->second_wins) || !unfinished) {
    Damaged(why, "no counts of wins and unfinished battles");
    return false;
  }
  tally->unfinished = *unfinished;
  if (tally->first_wins > kStateCount || tally->second_wins > kStateCount ||
      tally->unfinished > kStateCount) {
    Damaged(why, "its counts do not add up to its ranges");
    return false;
  }
  const Json* ticks = Member(doc, key::kTicks);
  const Json* lengths = ticks ? Array(*ticks, key::kLengths) : nullptr;
  if (!lengths || Unsigned(*ticks, key::kCap) != uint64_t{kTickCap}) {
    Damaged(why, "no battle lengths, or another tick cap");
    return false;
  }
  uint64_t finished = 0;
  for (const Json& length : *lengths) {
    uint64_t t = 0, count = 0;
    if (!UnsignedPair(length, &t, &count) || t == 0 || t > kTickCap || count > kStateCount) {
      Damaged(why, "a battle length out of range");
      return false;
    }
    tally->AddLengths(static_cast<uint32_t>(t), count);
    finished += count;
  }
  if (finished != tally->finished()) {
    Damaged(why, "its counts do not add up to its ranges");
    return false;
  }
  return true;
}

std::optional<PairReport> ReadPair(const std::optional<Json>& doc, bool exact_only, Refusal* why) {
  if (!doc)
    return std::nullopt;
  std::string kind = Text(*doc, key::kKind);
  if (exact_only && kind != kExactKind)
    return Refuse(why, OtherLab(*doc) ? Refusal::Kind::kOtherLab : Refusal::Kind::kNotShare,
                  "not an exact result of brambleworthen-odds (--format json)");
  if (kind != kSampleKind && kind != kExactKind)
    return Damaged(why, "not a pair report of brambleworthen-odds (--format json)");
  if (!SameLab(*doc, why))
    return std::nullopt;

  PairReport report;
  report.kind = kind == kExactKind ? PairReport::Kind::kExact : PairReport::Kind::kSample;
  const Json* fighters = Array(*doc, key::kFighters, 2);
  std::optional<Fighter> one = fighters ? FighterOf((*fighters)[0]) : std::nullopt;
  std::optional<Fighter> two = fighters ? FighterOf((*fighters)[1]) : std::nullopt;
  if (!one || !two)
    return Damaged(why, "a fighter without its name's bytes (gbk)");
  report.one = *one;
  report.two = *two;
  if (report.kind == PairReport::Kind::kExact) {
    if (!ReadRanges(*doc, &report.ranges, why))
      return std::nullopt;
  } else {
    std::optional<uint64_t> seed = Unsigned(*doc, key::kSeed);
    std::optional<uint64_t> threads = Unsigned(*doc, key::kThreads);
    if (!seed || *seed > kMostSeed || !threads || *threads == 0 ||
        *threads > BoundsOf(Quantity::kThreads).high)
      return Damaged(why, "a sample without its seed and threads");
    report.seed = *seed;
    report.threads = static_cast<int>(*threads);
  }
  if (!ReadTally(*doc, &report.tally, why))
    return std::nullopt;
  // Counts that do not add up are a damaged or edited file.
  uint64_t battles = report.kind == PairReport::Kind::kExact
                         ? Covered(report.ranges)
                         : Unsigned(*doc, key::kBattles).value_or(0);
  if (report.tally.battles() != battles || battles == 0)
    return Damaged(why, "its counts do not add up to its ranges");
  return report;
}

}  // namespace

// --- Pair reports: a sample, or an exact run (a share, or shares merged) -----

std::string JsonText(const PairReport& report) {
  const Tally& tally = report.tally;
  uint64_t n = tally.battles();
  bool sample = report.kind == PairReport::Kind::kSample;
  Json doc = Head(sample ? kSampleKind : kExactKind);
  AddTally(&doc, report.one, report.two, tally);
  if (sample) {
    doc[key::kIntervals] = {IntervalJson(WilsonInterval(tally.first_wins, n)),
                            IntervalJson(WilsonInterval(tally.second_wins, n))};
    doc[key::kConfidence] = kConfidence;
    doc[key::kSeed] = report.seed;
    doc[key::kThreads] = report.threads;
  } else {
    Json ranges = Json::array();
    for (const StateRange& range : report.ranges)
      ranges.push_back({range.first, range.count});
    uint64_t covered = Covered(report.ranges);
    doc[key::kExact] = {LowestTerms(tally.first_wins, n), LowestTerms(tally.second_wins, n)};
    doc[key::kRanges] = std::move(ranges);
    doc[key::kStates] = covered;
    doc[key::kCoverage] = Ratio(covered, kStateCount);
  }
  return DocumentText(doc);
}

std::optional<PairReport> ReadPairReport(std::string_view json, Refusal* why) {
  return ReadPair(LabDocument(json, why), false, why);
}

std::optional<ExactPart> ReadExactPart(std::string_view json, Refusal* why) {
  std::optional<PairReport> report = ReadPair(LabDocument(json, why), true, why);
  if (!report)
    return std::nullopt;
  return ExactPart{report->one, report->two, std::move(report->ranges), std::move(report->tally)};
}

// --- Rankings: sampled, or exact from merged shares ---------------------------

std::string JsonText(const RankReport& report) {
  const Ranking& ranking = report.ranking;
  Json doc = Head(report.battles ? kRankKind : kExactRankKind);
  doc[key::kPerPair] = report.battles.value_or(report.most);
  doc[key::kSeed] = report.seed ? Json(*report.seed) : Json(nullptr);
  doc[key::kConfidence] = kConfidence;
  Json& names = doc[key::kNames] = Json::array();
  for (size_t r = 0; r < ranking.rows.size(); ++r) {
    const RankRow& row = ranking.rows[r];
    Json name = FighterJson(row.fighter);
    name[key::kRank] = r + 1;
    name[key::kMeanWinRate] = row.mean_win_rate;
    name[key::kInterval] = IntervalJson(row.interval);
    name[key::kWins] = row.total.wins;
    name[key::kBattles] = row.total.battles;
    name[key::kBeaten] = row.beaten;
    names.push_back(std::move(name));
  }
  Json& matrix = doc[key::kMatrix] = Json::array();
  for (size_t r = 0; r < ranking.matrix.size(); ++r) {
    Json line = Json::array();
    for (size_t c = 0; c < ranking.matrix[r].size(); ++c) {
      const Share& share = ranking.matrix[r][c];
      line.push_back(r == c ? Json(nullptr)
                            : Json{{key::kWins, share.wins},
                                   {key::kBattles, share.battles},
                                   {key::kRate, share.Rate()}});
    }
    matrix.push_back(std::move(line));
  }
  return DocumentText(doc);
}

namespace {

std::optional<RankReport> ReadRank(const std::optional<Json>& doc, Refusal* why) {
  if (!doc)
    return std::nullopt;
  std::string kind = Text(*doc, key::kKind);
  if (kind != kRankKind && kind != kExactRankKind)
    return Damaged(why, "not a ranking of brambleworthen-odds (--format json)");
  if (!SameLab(*doc, why))
    return std::nullopt;

  RankReport report;
  std::optional<uint64_t> per_pair = Unsigned(*doc, key::kPerPair);
  if (!per_pair || *per_pair == 0 || *per_pair > kStateCount)
    return Damaged(why, "no number of battles per pair");
  if (kind == kRankKind) {
    report.battles = per_pair;
    report.seed = Unsigned(*doc, key::kSeed);
    if (!report.seed || *report.seed > kMostSeed)
      return Damaged(why, "a sampled ranking without its seed");
  } else {
    report.fewest = report.most = *per_pair;
  }
  const Json* names = Array(*doc, key::kNames);
  const Json* matrix = Array(*doc, key::kMatrix);
  if (!names || names->size() < 2 || !matrix || matrix->size() != names->size())
    return Damaged(why, "no names, or a matrix that is not theirs");
  size_t n = names->size();
  for (size_t r = 0; r < n; ++r) {
    std::optional<Fighter> fighter = FighterOf((*names)[r]);
    if (!fighter)
      return Damaged(why, "a name without its bytes (gbk)");
    RankRow row;
    row.fighter = *fighter;
    row.index = r;
    report.ranking.rows.push_back(std::move(row));
    const Json& line = (*matrix)[r];
    if (!line.is_array() || line.size() != n)
      return Damaged(why, "the matrix is not square");
    std::vector<Share> shares(n);
    for (size_t c = 0; c < n; ++c) {
      if (c == r)
        continue;
      std::optional<uint64_t> wins = Unsigned(line[c], key::kWins);
      std::optional<uint64_t> battles = Unsigned(line[c], key::kBattles);
      if (!wins || !battles || *wins > *battles)
        return Damaged(why, "a cell of the matrix without its counts");
      shares[c] = {*wins, *battles};
    }
    report.ranking.matrix.push_back(std::move(shares));
  }
  return report;
}

}  // namespace

std::optional<RankReport> ReadRankReport(std::string_view json, Refusal* why) {
  return ReadRank(LabDocument(json, why), why);
}

std::optional<std::variant<PairReport, RankReport>> ReadReport(std::string_view json,
                                                               Refusal* why) {
  std::optional<Json> doc = LabDocument(json, why);
  std::string kind = doc ? Text(*doc, key::kKind) : std::string();
  if (kind == kRankKind || kind == kExactRankKind) {
    if (std::optional<RankReport> rank = ReadRank(doc, why))
      return *rank;
  } else if (std::optional<PairReport> pair = ReadPair(doc, false, why)) {
    return *pair;
  }
  return std::nullopt;
}

// --- A replay's summary --------------------------------------------------------

std::string JsonText(const ReplayReport& report) {
  const BattleResult& result = report.result;
  Json doc = Head(kReplayKind);
  doc[key::kState] = report.state;
  doc[key::kFighters] = {FighterJson(report.one), FighterJson(report.two)};
  doc[key::kEnded] = result.winner != Winner::kUnfinished;
  doc[key::kWinner] = result.winner == Winner::kFirst    ? Json(1)
                      : result.winner == Winner::kSecond ? Json(2)
                                                         : Json(nullptr);
  doc[key::kTicks] = result.ticks;
  doc[key::kTickCap] = kTickCap;
  doc[key::kHpAfter] = {report.hp1, report.hp2};
  return DocumentText(doc);
}

void WriteJson(std::ostream& out, const PairReport& report) { out << JsonText(report); }
void WriteJson(std::ostream& out, const RankReport& report) { out << JsonText(report); }
void WriteJson(std::ostream& out, const ReplayReport& report) { out << JsonText(report); }

}  // namespace bramble::lab
