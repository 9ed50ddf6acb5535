#ifndef BRAMBLE_LAB_JSON_READ_H_
#define BRAMBLE_LAB_JSON_READ_H_

#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "lab/reports.h"
#include "lab/request.h"

namespace bramble::lab {

/// Reads back the lab's own JSON documents (--format json), which may come
/// from other machines: anything else, a document of another version or
/// schema, and counts that do not add up are refused, saying why (a
/// document of another version or schema, one that is no share where a
/// share was wanted, and any other as damaged). Fighters are rebuilt from their names' bytes
/// ("gbk").

/// A pair report of kind "sample" or "exact".
std::optional<PairReport> ReadPairReport(std::string_view json, Refusal* why);

/// A share of an exact run, or several merged (kind "exact"); what
/// --merge reads.
std::optional<ExactPart> ReadExactPart(std::string_view json, Refusal* why);

/// A ranking of kind "rank" or "exact-rank". The number of shares merged is
/// not in the document: `parts` is 0.
std::optional<RankReport> ReadRankReport(std::string_view json, Refusal* why);

/// A pair report or a ranking, whichever the document is (a picture draws
/// either).
std::optional<std::variant<PairReport, RankReport>> ReadReport(std::string_view json, Refusal* why);

}  // namespace bramble::lab

#endif  // BRAMBLE_LAB_JSON_READ_H_
