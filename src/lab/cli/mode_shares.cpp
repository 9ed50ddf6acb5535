// Exact runs spread over machines: the job lines of a split, and the
// shares they write merged into the exact report or ranking.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "lab/cli/session.h"
#include "lab/json_read.h"
#include "lab/runs.h"

namespace bramble::lab {

namespace {

// One job of a split: the share `ranges` of the pair's exact run, saved to
// `file`, on one thread (the job runner runs one job per core). The names
// are the game's bytes, taken as they are under LC_ALL=C, so a job plays
// the same fighters whatever the locale of the shell or host that runs it;
// every word is quoted for a POSIX shell, so any name survives.
std::string JobLine(const std::string& program, const std::vector<StateRange>& ranges,
                    const std::string& name1, const std::string& name2, const std::string& file) {
  std::string states;
  for (const StateRange& range : ranges)
    states += (states.empty() ? "" : ",") + std::to_string(range.first) + ":" +
              std::to_string(range.count);
  return "LC_ALL=C " + ShellQuote(program) + " --exact-range=" + states +
         " --format=json -j 1 -- " + ShellQuote(name1) + " " + ShellQuote(name2) + " > " +
         ShellQuote(file) + "\n";
}

std::string PartNumber(uint64_t k, uint64_t of) {
  std::string number = std::to_string(k);
  return std::string(std::to_string(of).size() - number.size(), '0') + number;
}

std::string ReadWholeFile(const std::string& path, std::string* error) {
  std::error_code code;
  if (std::filesystem::is_directory(path, code)) {
    *error = "a directory, not a share; give the files in it (" +
             (std::filesystem::path(path) / "*.json").string() + ")";
    return {};
  }
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    *error = std::strerror(errno);
    return {};
  }
  std::ostringstream text;
  text << file.rdbuf();
  if (file.bad()) {
    *error = "it could not be read";
    return {};
  }
  return text.str();
}

// Reads the shares named on the command line.
std::optional<std::vector<ExactPart>> ReadParts(const Session& session,
                                                const std::vector<std::string>& files) {
  std::vector<ExactPart> parts;
  for (const std::string& path : files) {
    Refusal why;
    std::string text = ReadWholeFile(path, &why.text);
    std::optional<ExactPart> part;
    if (why.text.empty())
      part = ReadExactPart(text, &why);
    if (!part) {
      session.BadInput("--merge: '" + path + "': " + why.text);
      return std::nullopt;
    }
    parts.push_back(std::move(*part));
  }
  return parts;
}

std::string CoverageLine(size_t parts, uint64_t covered) {
  char share[32];
  std::snprintf(share, sizeof share, "%.6f %%",
                100.0 * static_cast<double>(covered) / static_cast<double>(kStateCount));
  return "Merged " + std::to_string(parts) + (parts == 1 ? " part" : " parts") + ": " +
         std::to_string(covered) + " of the " + std::to_string(kStateCount) + " start states (" +
         share + ")\n";
}

}  // namespace

int Run(const Session& session, const SplitCommand& command) {
  std::vector<std::vector<StateRange>> jobs = SplitRanges(command.ranges, command.jobs);
  auto write = [&](const std::string& name1, const std::string& name2, const std::string& file) {
    uint64_t k = 0;
    for (const std::vector<StateRange>& ranges : jobs)
      session.io.data << JobLine(session.io.program, ranges, name1, name2,
                                 file + PartNumber(++k, command.jobs) + ".json");
  };
  if (!command.rank_file) {
    std::optional<MatchUp> match = session.Meet(command.name1, command.name2);
    if (!match)
      return 2;
    write(match->one.name, match->two.name, "part-");
    return 0;
  }
  std::vector<Fighter> field;
  if (!ReadRankFile(session, *command.rank_file, &field))
    return 2;
  size_t n = field.size();
  for (size_t i = 0; i < n; ++i)
    for (size_t j = i + 1; j < n; ++j)
      write(field[i].name, field[j].name,
            "pair-" + PartNumber(i + 1, n) + "-" + PartNumber(j + 1, n) + "-part-");
  return 0;
}

int Run(const Session& session, const MergeCommand& command) {
  std::vector<Fighter> field;
  if (command.rank_file && !ReadRankFile(session, *command.rank_file, &field))
    return 2;
  std::optional<std::vector<ExactPart>> parts = ReadParts(session, command.files);
  if (!parts)
    return 2;
  Refusal why;
  if (command.rank_file) {
    std::optional<RankReport> merged = MergedRank(
        field, std::move(*parts), [&](const std::string& name) { return session.Shown(name); },
        &why);
    return merged ? ShowRanking(session, command.output, *merged)
                  : session.BadInput("--merge: " + why.text);
  }
  std::optional<PairReport> merged = MergedPair(*parts, &why);
  return merged ? ShowExact(session, command.output, *merged,
                            CoverageLine(parts->size(), Covered(merged->ranges)))
                : session.BadInput("--merge: " + why.text);
}

}  // namespace bramble::lab
