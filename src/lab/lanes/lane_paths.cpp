#include "lab/lanes/lane_paths.h"

#include "lab/lanes/players.h"

namespace bramble::lab {

namespace {

constexpr LanePath kWidestFirst[] = {LanePath::k16, LanePath::k8, LanePath::k4};

}  // namespace

LanePath WidestLanePath() {
  for (LanePath path : kWidestFirst) {
    if (lane_cpu::PlayerIfRunnable(path))
      return path;
  }
  return LanePath::kScalar;
}

LaneChoice ChooseLanePath(std::string_view forced) {
  LanePath widest = WidestLanePath();
  if (forced.empty())
    return {widest, {}};
  std::optional<LanePath> path = ParseLanePath(forced);
  std::string asked = "BRAMBLE_LANES=" + std::string(forced) + ": ";
  if (!path)
    return {widest, asked + "not a lane path (scalar, 4, 8 or 16); using the widest, " +
                        LanePathName(widest) + "\n"};
  if (*path != LanePath::kScalar && !lane_cpu::PlayerIfRunnable(*path))
    return {widest, asked + "this build or processor has no such lanes; using the widest, " +
                        LanePathName(widest) + "\n"};
  return {*path, {}};
}

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

}  // namespace bramble::lab
