#include "lab/json_read.h"

#include <nlohmann/json.hpp>

#include "console/ascii.h"
#include "lab/defaults.h"
#include "lab/export.h"
#include "lab/numbers.h"
#include "version.h"

namespace bramble::lab {

namespace {

using Json = nlohmann::json;

// Deeper nesting than any document of ours is refused before parsing.
constexpr int kMaxDepth = 64;

std::nullopt_t Refuse(std::string* error, const std::string& message) {
  *error = message;
  return std::nullopt;
}

bool TooDeep(std::string_view text) {
  int depth = 0;
  bool quoted = false;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (quoted) {
      if (c == '\\')
        ++i;
      else if (c == '"')
        quoted = false;
    } else if (c == '"') {
      quoted = true;
    } else if (c == '[' || c == '{') {
      if (++depth > kMaxDepth)
        return true;
    } else if (c == ']' || c == '}') {
      --depth;
    }
  }
  return false;
}

// Only notes where a document stops being JSON; parsed without exceptions,
// which the browser's build does not catch.
struct ErrorPlace : nlohmann::json_sax<Json> {
  size_t at = 0;
  bool null() override { return true; }
  bool boolean(bool) override { return true; }
  bool number_integer(number_integer_t) override { return true; }
  bool number_unsigned(number_unsigned_t) override { return true; }
  bool number_float(number_float_t, const string_t&) override { return true; }
  bool string(string_t&) override { return true; }
  bool binary(binary_t&) override { return true; }
  bool start_object(std::size_t) override { return true; }
  bool key(string_t&) override { return true; }
  bool end_object() override { return true; }
  bool start_array(std::size_t) override { return true; }
  bool end_array() override { return true; }
  bool parse_error(std::size_t position, const std::string&,
                   const nlohmann::detail::exception&) override {
    at = position;
    return false;
  }
};

std::optional<Json> Parse(std::string_view text, std::string* error) {
  if (TooDeep(text))
    return Refuse(error, "not a document of the lab: nested too deep");
  Json doc = Json::parse(text, nullptr, false);
  if (doc.is_discarded()) {
    ErrorPlace place;
    Json::sax_parse(text, &place);
    return Refuse(error, "not valid JSON: an error at byte " + std::to_string(place.at));
  }
  return doc;
}

const Json* Member(const Json& object, const char* key) {
  if (!object.is_object())
    return nullptr;
  auto it = object.find(key);
  return it == object.end() ? nullptr : &*it;
}

std::optional<uint64_t> Unsigned(const Json* value) {
  if (!value || !value->is_number_unsigned())
    return std::nullopt;
  return value->get<uint64_t>();
}

std::optional<uint64_t> Unsigned(const Json& object, const char* key) {
  return Unsigned(Member(object, key));
}

const Json* Array(const Json& object, const char* key, size_t size = 0) {
  const Json* value = Member(object, key);
  if (!value || !value->is_array() || (size && value->size() != size))
    return nullptr;
  return value;
}

std::string Text(const Json& object, const char* key) {
  const Json* value = Member(object, key);
  return value && value->is_string() ? value->get<std::string>() : std::string();
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
  std::optional<std::string> name = FromHex(Text(fighter, "gbk"));
  if (!name || name->empty())
    return std::nullopt;
  Fighter built;
  built.Build(*name);
  return built;
}

// The program, version and schema every document carries.
bool SameLab(const Json& doc, std::string* error) {
  std::string version = Text(doc, "version");
  if (version != BRAMBLE_VERSION) {
    *error = "written by version " + (version.empty() ? std::string("?") : version) +
             ", this is " BRAMBLE_VERSION ": the rules may differ";
    return false;
  }
  if (Unsigned(doc, "schema") != uint64_t{kJsonSchema}) {
    *error = "written with another schema of the lab's JSON than " + std::to_string(kJsonSchema);
    return false;
  }
  if (Text(doc, "program") != "brambleworthen-odds") {
    *error = "not written by brambleworthen-odds";
    return false;
  }
  return true;
}

// [first, count] pairs within the start states, sorted and apart.
bool ReadRanges(const Json& doc, std::vector<StateRange>* ranges, std::string* error) {
  const Json* list = Array(doc, "ranges");
  if (!list || list->empty()) {
    *error = "no ranges of start states";
    return false;
  }
  for (const Json& range : *list) {
    std::optional<uint64_t> first, count;
    if (range.is_array() && range.size() == 2) {
      first = Unsigned(&range[0]);
      count = Unsigned(&range[1]);
    }
    if (!first || !count || *count == 0 || *first >= kStateCount || *count > kStateCount - *first) {
      *error = "a range beyond the 2^32 start states";
      return false;
    }
    ranges->push_back({*first, *count});
  }
  if (!SortApart(ranges)) {
    *error = "its own ranges overlap";
    return false;
  }
  return true;
}

bool ReadTally(const Json& doc, Tally* tally, std::string* error) {
  const Json* wins = Array(doc, "wins", 2);
  std::optional<uint64_t> first = wins ? Unsigned(&(*wins)[0]) : std::nullopt;
  std::optional<uint64_t> second = wins ? Unsigned(&(*wins)[1]) : std::nullopt;
  std::optional<uint64_t> unfinished = Unsigned(doc, "unfinished");
  if (!first || !second || !unfinished) {
    *error = "no counts of wins and unfinished battles";
    return false;
  }
  if (*first > kStateCount || *second > kStateCount || *unfinished > kStateCount) {
    *error = "its counts do not add up to its ranges";
    return false;
  }
  tally->first_wins = *first;
  tally->second_wins = *second;
  tally->unfinished = *unfinished;

  const Json* ticks = Member(doc, "ticks");
  const Json* lengths = ticks ? Array(*ticks, "lengths") : nullptr;
  if (!lengths || Unsigned(*ticks, "cap") != uint64_t{kTickCap}) {
    *error = "no battle lengths, or another tick cap";
    return false;
  }
  uint64_t finished = 0;
  for (const Json& length : *lengths) {
    std::optional<uint64_t> t, count;
    if (length.is_array() && length.size() == 2) {
      t = Unsigned(&length[0]);
      count = Unsigned(&length[1]);
    }
    if (!t || !count || *t == 0 || *t > kTickCap || *count > kStateCount) {
      *error = "a battle length out of range";
      return false;
    }
    tally->AddLengths(static_cast<uint32_t>(*t), *count);
    finished += *count;
  }
  if (finished != tally->finished()) {
    *error = "its counts do not add up to its ranges";
    return false;
  }
  return true;
}

std::optional<Json> LabDocument(std::string_view text, std::string* error) {
  std::optional<Json> doc = Parse(text, error);
  if (doc && !doc->is_object())
    return Refuse(error, "not a document of brambleworthen-odds (--format json)");
  return doc;
}

}  // namespace

std::string KindOf(std::string_view json) {
  std::string error;
  std::optional<Json> doc = LabDocument(json, &error);
  return doc ? Text(*doc, "kind") : std::string();
}

namespace {

std::optional<PairReport> ReadPair(std::string_view json, bool exact_only, std::string* error) {
  std::optional<Json> doc = LabDocument(json, error);
  if (!doc)
    return std::nullopt;
  std::string kind = Text(*doc, "kind");
  if (exact_only && kind != "exact")
    return Refuse(error, "not an exact result of brambleworthen-odds (--format json)");
  if (kind != "sample" && kind != "exact")
    return Refuse(error, "not a pair report of brambleworthen-odds (--format json)");
  if (!SameLab(*doc, error))
    return std::nullopt;

  PairReport report;
  report.kind = kind == "exact" ? PairReport::Kind::kExact : PairReport::Kind::kSample;
  const Json* fighters = Array(*doc, "fighters", 2);
  std::optional<Fighter> one = fighters ? FighterOf((*fighters)[0]) : std::nullopt;
  std::optional<Fighter> two = fighters ? FighterOf((*fighters)[1]) : std::nullopt;
  if (!one || !two)
    return Refuse(error, "a fighter without its name's bytes (gbk)");
  report.one = *one;
  report.two = *two;
  if (report.kind == PairReport::Kind::kExact) {
    if (!ReadRanges(*doc, &report.ranges, error))
      return std::nullopt;
  } else {
    std::optional<uint64_t> seed = Unsigned(*doc, "seed");
    std::optional<uint64_t> threads = Unsigned(*doc, "threads");
    if (!seed || *seed > kMostSeed || !threads || *threads == 0 || *threads > 1024)
      return Refuse(error, "a sample without its seed and threads");
    report.seed = *seed;
    report.threads = static_cast<int>(*threads);
  }
  if (!ReadTally(*doc, &report.tally, error))
    return std::nullopt;
  // Counts that do not add up are a damaged or edited file.
  uint64_t battles = report.kind == PairReport::Kind::kExact
                         ? Covered(report.ranges)
                         : Unsigned(*doc, "battles").value_or(0);
  if (report.tally.battles() != battles || battles == 0)
    return Refuse(error, "its counts do not add up to its ranges");
  return report;
}

}  // namespace

std::optional<PairReport> ReadPairReport(std::string_view json, std::string* error) {
  return ReadPair(json, false, error);
}

std::optional<ExactPart> ReadExactPart(std::string_view json, std::string* error) {
  std::optional<PairReport> report = ReadPair(json, true, error);
  if (!report)
    return std::nullopt;
  return ExactPart{report->one.name, report->two.name, std::move(report->ranges),
                   std::move(report->tally)};
}

std::optional<RankReport> ReadRankReport(std::string_view json, std::string* error) {
  std::optional<Json> doc = LabDocument(json, error);
  if (!doc)
    return std::nullopt;
  std::string kind = Text(*doc, "kind");
  if (kind != "rank" && kind != "exact-rank")
    return Refuse(error, "not a ranking of brambleworthen-odds (--format json)");
  if (!SameLab(*doc, error))
    return std::nullopt;

  RankReport report;
  std::optional<uint64_t> per_pair = Unsigned(*doc, "battles_per_pair");
  if (!per_pair || *per_pair == 0 || *per_pair > kStateCount)
    return Refuse(error, "no number of battles per pair");
  if (kind == "rank") {
    report.battles = per_pair;
    report.seed = Unsigned(*doc, "seed");
    if (!report.seed || *report.seed > kMostSeed)
      return Refuse(error, "a sampled ranking without its seed");
  } else {
    report.fewest = report.most = *per_pair;
  }
  const Json* names = Array(*doc, "names");
  const Json* matrix = Array(*doc, "matrix");
  if (!names || names->size() < 2 || !matrix || matrix->size() != names->size())
    return Refuse(error, "no names, or a matrix that is not theirs");
  size_t n = names->size();
  for (size_t r = 0; r < n; ++r) {
    std::optional<Fighter> fighter = FighterOf((*names)[r]);
    if (!fighter)
      return Refuse(error, "a name without its bytes (gbk)");
    RankRow row;
    row.name = fighter->name;
    row.fighter = *fighter;
    row.index = r;
    report.ranking.rows.push_back(std::move(row));
    const Json& line = (*matrix)[r];
    if (!line.is_array() || line.size() != n)
      return Refuse(error, "the matrix is not square");
    std::vector<Share> shares(n);
    for (size_t c = 0; c < n; ++c) {
      if (c == r)
        continue;
      std::optional<uint64_t> wins = Unsigned(line[c], "wins");
      std::optional<uint64_t> battles = Unsigned(line[c], "battles");
      if (!wins || !battles || *wins > *battles)
        return Refuse(error, "a cell of the matrix without its counts");
      shares[c] = {*wins, *battles};
    }
    report.ranking.matrix.push_back(std::move(shares));
  }
  return report;
}

}  // namespace bramble::lab
