#include "lab/cli/options.h"

#include <algorithm>
#include <string_view>

#include "lab/request.h"

namespace bramble::lab {

namespace {

enum class Mode { kOdds, kExact, kRank, kReplay };

// The options as given, before they become a command.
struct Given {
  Mode mode = Mode::kOdds;
  std::vector<std::string> names;  // the operands
  std::optional<uint64_t> battles;
  std::optional<uint64_t> seed;
  int threads = 0;
  std::string rank_file;
  uint64_t replay_state = 0;
  std::optional<std::string> transcript;
  const GameTexts* texts = nullptr;  // --lang; null: Chinese
  bool partial = false;              // --exact-range given
  std::vector<StateRange> ranges{{0, kStateCount}};
  std::optional<Format> format;
  std::optional<std::string> svg;
  uint64_t split = 0;
  bool merge = false;
  bool help = false;
  bool version = false;
};

struct OptionSpec {
  char id;          // what Apply switches on
  char short_name;  // 0: long only
  std::string_view long_name;
  bool takes_value;
};

constexpr OptionSpec kSpecs[] = {
    {'n', 'n', "battles", true},    {'s', 's', "seed", true},  {'j', 'j', "jobs", true},
    {'e', 'e', "exact", false},     {'r', 'r', "rank", true},  {'R', 0, "replay", true},
    {'t', 't', "transcript", true}, {'h', 'h', "help", false}, {'V', 'V', "version", false},
    {'E', 0, "exact-range", true},  {'f', 0, "format", true},  {'S', 0, "svg", true},
    {'p', 0, "split", true},        {'m', 0, "merge", false},  {'L', 0, "lang", true},
};

class Parser {
 public:
  bool Fail(std::string message) {
    if (error_.empty())
      error_ = std::move(message);
    return false;
  }

  bool SetMode(Mode mode, std::string_view option) {
    if (mode_option_.empty() || mode_option_ == option) {
      mode_option_ = std::string(option);
      given_.mode = mode;
      return true;
    }
    return Fail("options " + mode_option_ + " and " + std::string(option) +
                " cannot be used together");
  }

  // A number the request layer takes, or its refusal.
  template <class T>
  bool Number(Quantity quantity, const std::string& value, T* into) {
    Refusal why;
    std::optional<uint64_t> n = NumberOf(quantity, value, &why);
    if (!n)
      return Fail(why.text);
    *into = static_cast<T>(*n);
    return true;
  }

  bool Apply(const OptionSpec& spec, const std::string& value) {
    Given& o = given_;
    switch (spec.id) {
      case 'n':
        return Number(Quantity::kBattles, value, &o.battles);
      case 's':
        return Number(Quantity::kSeed, value, &o.seed);
      case 'j':
        return Number(Quantity::kThreads, value, &o.threads);
      case 'E': {
        Refusal why;
        std::optional<std::vector<StateRange>> ranges = RangesOf(value, &why);
        if (!ranges)
          return Fail(why.text);
        o.ranges = std::move(*ranges);
        o.partial = true;
        return true;
      }
      case 'e':
        return SetMode(Mode::kExact, "--exact");
      case 'f':
        if (value == "text")
          o.format = Format::kText;
        else if (value == "json")
          o.format = Format::kJson;
        else if (value == "csv")
          o.format = Format::kCsv;
        else
          return Fail("--format wants text, json or csv, not '" + value + "'");
        return true;
      case 'S':
        if (value.empty())
          return Fail("--svg wants a file name");
        o.svg = value;
        return true;
      case 'p':
        return Number(Quantity::kJobs, value, &o.split);
      case 'm':
        o.merge = true;
        return true;
      case 'r':
        if (value.empty())
          return Fail("-r wants a file of names, or - for standard input");
        o.rank_file = value;
        return SetMode(Mode::kRank, "--rank");
      case 't':
        if (value.empty())
          return Fail("-t wants a file name");
        o.transcript = value;
        return true;
      case 'L':
        o.texts = TextsFor(value);
        if (o.texts == nullptr)
          return Fail("--lang wants zh (Chinese) or en (English), not '" + value + "'");
        return true;
      case 'h':
        o.help = true;
        return true;
      case 'V':
        o.version = true;
        return true;
      case 'R':
        return Number(Quantity::kState, value, &o.replay_state) &&
               SetMode(Mode::kReplay, "--replay");
    }
    return Fail("unhandled option");
  }

  bool Long(const std::vector<std::string>& args, size_t* i) {
    std::string_view arg = std::string_view(args[*i]).substr(2);
    size_t eq = arg.find('=');
    std::string_view key = arg.substr(0, eq);
    const OptionSpec* found = nullptr;
    int matches = 0;
    for (const OptionSpec& spec : kSpecs) {
      if (spec.long_name == key) {
        found = &spec;
        matches = 1;
        break;
      }
      if (spec.long_name.substr(0, key.size()) == key) {
        found = &spec;
        ++matches;
      }
    }
    if (matches == 0)
      return Fail("unknown option --" + std::string(key) + " (see --help)");
    if (matches > 1)
      return Fail("option --" + std::string(key) + " is ambiguous (see --help)");
    std::string value;
    if (found->takes_value) {
      if (eq != std::string_view::npos) {
        value = std::string(arg.substr(eq + 1));
      } else if (*i + 1 < args.size()) {
        value = args[++*i];
      } else {
        return Fail("option --" + std::string(found->long_name) + " wants a value");
      }
    } else if (eq != std::string_view::npos) {
      return Fail("option --" + std::string(found->long_name) + " takes no value");
    }
    return Apply(*found, value);
  }

  bool Short(const std::vector<std::string>& args, size_t* i) {
    const std::string& arg = args[*i];
    for (size_t k = 1; k < arg.size(); ++k) {
      const OptionSpec* found = nullptr;
      for (const OptionSpec& spec : kSpecs) {
        if (spec.short_name == arg[k])
          found = &spec;
      }
      if (!found)
        return Fail(std::string("unknown option -") + arg[k] + " (see --help)");
      if (!found->takes_value) {
        if (!Apply(*found, ""))
          return false;
        continue;
      }
      std::string value;
      if (k + 1 < arg.size())
        value = arg.substr(k + 1);
      else if (*i + 1 < args.size())
        value = args[++*i];
      else
        return Fail(std::string("option -") + arg[k] + " wants a value");
      return Apply(*found, value);
    }
    return true;
  }

  ParsedCommand Run(const std::vector<std::string>& args) {
    bool options_over = false;
    for (size_t i = 0; i < args.size(); ++i) {
      const std::string& arg = args[i];
      bool ok = true;
      if (options_over || arg.size() < 2 || arg[0] != '-')
        given_.names.push_back(arg);  // "-" alone is a name too
      else if (arg == "--")
        options_over = true;
      else if (arg[1] == '-')
        ok = Long(args, &i);
      else
        ok = Short(args, &i);
      if (!ok)
        return {HelpCommand{}, error_};
    }
    Command command = Build();
    return {std::move(command), error_};
  }

  // What the options mean together: the command, or a message in error_.
  Command Build() {
    Given& o = given_;
    if (o.help)
      return HelpCommand{};
    if (o.version)
      return VersionCommand{};
    // A range of states is an exact run of a pair, or with --rank the
    // range every pair's jobs of a split cover.
    if (o.partial && o.mode == Mode::kOdds && !o.merge)
      SetMode(Mode::kExact, "--exact-range");
    // A split is of an exact run, --exact or not.
    if (o.split && o.mode == Mode::kOdds && !o.merge)
      SetMode(Mode::kExact, "--split");
    bool rank = o.mode == Mode::kRank;
    bool sampled = (o.mode == Mode::kOdds || rank) && !o.merge && !o.split;
    std::string mode = o.merge ? "--merge" : o.split ? "--split" : mode_option_;
    if (!error_.empty())
      return HelpCommand{};
    else if (o.partial && o.mode != Mode::kExact && !(rank && o.split))
      Fail("--exact-range goes with a pair of names, or with --rank and --split");
    else if (!sampled && (o.battles || o.seed))
      Fail("-n and -s choose a random sample; " + mode + " takes none");
    else if (o.texts != nullptr && o.mode != Mode::kReplay)
      Fail("--lang chooses the words of a --replay; the lab's reports are in English");
    else if (o.transcript && o.mode != Mode::kReplay)
      Fail("-t (--transcript) goes with --replay only");
    else if (o.transcript && o.format.value_or(Format::kText) != Format::kText)
      Fail("-t shows the battle; --format json or csv gives its summary only");
    else if (o.svg && o.mode == Mode::kReplay)
      Fail("--svg draws a pair report or a ranking, not a replay");
    else if (o.merge && (o.mode == Mode::kExact || o.mode == Mode::kReplay || o.split))
      Fail("--merge adds up partial results; it goes alone or with --rank");
    else if (o.split && o.mode != Mode::kExact && !rank)
      Fail("--split spreads an exact run of a pair or of a --rank file, not a replay");
    else if (o.split && (o.svg || o.format))
      Fail(std::string(o.svg ? "--svg" : "--format") +
           " goes with the result; --split prints job lines, whose shares are JSON for --merge");
    else if (o.threads && (o.split || o.merge || o.mode == Mode::kReplay))
      Fail("-j chooses the threads that play battles; " +
           std::string(o.split   ? "--split prints job lines (each runs on one)"
                       : o.merge ? "--merge adds up shares"
                                 : "--replay plays one battle") +
           " and takes none");
    else if (o.split && o.split > BattlesPlayed(o.ranges))
      Fail("--split: more jobs than battles in the range");
    else if (o.merge && o.names.empty())
      Fail("--merge wants the files of the partial results");
    else if (rank && !o.merge && !o.names.empty())
      Fail("--rank reads its names from the file; give none on the command line");
    else if (!rank && !o.merge && o.names.size() != 2)
      Fail(o.names.empty() ? "two names are needed (see --help)"
                           : "two names are needed, " + std::to_string(o.names.size()) +
                                 (o.names.size() == 1 ? " was given" : " were given"));
    if (!error_.empty())
      return HelpCommand{};

    std::optional<std::string> rank_file = rank ? std::optional(o.rank_file) : std::nullopt;
    Output output{o.format.value_or(o.partial ? Format::kJson : Format::kText), o.svg};
    if (o.merge)
      return MergeCommand{o.names, rank_file, output};
    std::string name1 = rank ? "" : o.names[0], name2 = rank ? "" : o.names[1];
    if (o.split)
      return SplitCommand{name1, name2, rank_file, o.ranges, o.split};
    switch (o.mode) {
      case Mode::kRank:
        return RankCommand{o.rank_file, o.battles, o.seed, o.threads, output};
      case Mode::kReplay:
        return ReplayCommand{name1,        name2,   static_cast<uint32_t>(o.replay_state),
                             o.transcript, o.texts, output.format};
      case Mode::kExact:
        return ExactCommand{name1, name2, o.ranges, o.threads, output};
      case Mode::kOdds:
        break;
    }
    return SampleCommand{name1, name2, o.battles, o.seed, o.threads, output};
  }

 private:
  Given given_;
  std::string error_;
  std::string mode_option_;
};

}  // namespace

ParsedCommand ParseOptions(const std::vector<std::string>& args) { return Parser().Run(args); }

}  // namespace bramble::lab
