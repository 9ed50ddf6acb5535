#include "lab/match_up.h"

namespace bramble::lab {

MatchUp MatchUp::Of(std::string_view name1, std::string_view name2) {
  MatchUp match;
  match.one.Build(name1);
  match.two.Build(name2);
  return match;
}

std::vector<Fighter> FieldOf(const std::vector<std::string>& names) {
  std::vector<Fighter> field(names.size());
  for (size_t i = 0; i < names.size(); ++i)
    field[i].Build(names[i]);
  return field;
}

}  // namespace bramble::lab
