#include "lab/lanes/lane_paths.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>

#include "lab/lanes/players.h"

namespace bramble::lab {

namespace {

constexpr LanePath kWidestFirst[] = {LanePath::k16, LanePath::k8, LanePath::k4};

LanePath Widest() {
  for (LanePath path : kWidestFirst) {
    if (lane_cpu::PlayerIfRunnable(path))
      return path;
  }
  return LanePath::kScalar;
}

LanePath Choose() {
  const char* forced = std::getenv("BRAMBLE_LANES");
  if (forced == nullptr || *forced == '\0')
    return Widest();
  std::optional<LanePath> path = ParseLanePath(forced);
  if (!path) {
    std::fprintf(stderr,
                 "BRAMBLE_LANES=%s: not a lane path (scalar, 4, 8 or 16); using the widest, %s\n",
                 forced, LanePathName(Widest()).c_str());
    return Widest();
  }
  if (*path != LanePath::kScalar && !lane_cpu::PlayerIfRunnable(*path)) {
    std::fprintf(stderr,
                 "BRAMBLE_LANES=%s: this build or processor has no such lanes; using the "
                 "widest, %s\n",
                 forced, LanePathName(Widest()).c_str());
    return Widest();
  }
  return *path;
}

}  // namespace

std::string LanePathName(LanePath path) {
  return path == LanePath::kScalar ? "scalar" : std::to_string(static_cast<int>(path));
}

std::optional<LanePath> ParseLanePath(std::string_view name) {
  for (LanePath path : {LanePath::kScalar, LanePath::k4, LanePath::k8, LanePath::k16}) {
    if (name == LanePathName(path))
      return path;
  }
  return std::nullopt;
}

std::vector<LanePath> RunnablePaths() {
  std::vector<LanePath> paths = {LanePath::kScalar};
  for (LanePath path : {LanePath::k4, LanePath::k8, LanePath::k16}) {
    if (lane_cpu::PlayerIfRunnable(path))
      paths.push_back(path);
  }
  return paths;
}

LanePlayer PlayerOf(LanePath path) { return lane_cpu::PlayerIfRunnable(path); }

LanePath ChosenLanePath() {
  // Read once: a rank table plays thousands of runs, and a message about
  // the variable is worth one line.
  static std::once_flag once;
  static LanePath chosen = LanePath::kScalar;
  std::call_once(once, [] { chosen = Choose(); });
  return chosen;
}

}  // namespace bramble::lab
