#ifndef BRAMBLE_LAB_BROWSER_LAB_BROWSER_H_
#define BRAMBLE_LAB_BROWSER_LAB_BROWSER_H_

// The win-rate lab for a web page: lab.js and lab.wasm, made by the web
// build (createBrambleLab(), one instance per Worker). The instance never
// starts a thread: a page spreads work over Workers, each running one
// call at a time.
//
// Contract of the C functions (call them with Module.ccall/cwrap):
// - Every `const char*` argument is UTF-8 text ending in a zero byte.
// - Every function but LabFree returns a new zero-ended UTF-8 string that
//   the caller owns and frees with LabFree (NULL only when memory runs
//   out).
// - The string is a JSON document: a report exactly as
//   `brambleworthen-odds --format json` writes it for the same question
//   (same keys, same schema, "schema": 2), or {"error": "message"} for a
//   question the command line would refuse (the message is the lab's, as
//   the request layer (lab/request.h) or a reader words it, and "code",
//   the kind of problem, for a page to say it in its own words: "names",
//   "rank-names", "battles", "seed", "range", "report", "words", or for
//   LabMerge "merge-pair" (shares of different pairs), "merge-overlap"
//   (start states in two shares), "merge-version" (a share of another
//   version or schema), "merge-kind" (a document that is no share of an
//   exact run) and "merge" (anything else: damaged, not JSON); LabSvg
//   returns an SVG document, or {"error": ...} when its argument is no
//   report.
// - Names become the game's GBK bytes as the page's battle converts typed
//   names, so a name is the same fighter as in the console. A name is one
//   word: no blanks, not empty; the two names of a pair differ.
// - Numbers come as doubles and must be whole, within the limits LabLimits
//   gives: battles 1 to 2^32, seeds 0 to 2^53 (a double holds no more),
//   first + count within the 2^32 start states.
//
//   LabLimits()   the lab's limits, for a page to check against and show:
//       {"states": 4294967296, "tick_cap": 100000, "battles": [low, high],
//       "seed": [low, high], "threads": [low, high]}
//   LabRanges(text)   FIRST:COUNT, or several joined by commas, as a link
//       or --exact-range gives them: the ranges as [[first, count], ...],
//       sorted, or the refusal (code "range")
//   LabSample(name1, name2, battles, seed)   kind "sample", "threads": 1
//   LabExactRange(name1, name2, first, count)
//       kind "exact" over states first .. first + count - 1: a share, as
//       --exact-range=FIRST:COUNT writes it
//   LabExactShare(name1, name2, ranges)   the same over the start states
//       of `ranges`, a JSON array of [first, count] pairs (not
//       overlapping); a battle and its twin (lab/exact_parts.h) in them
//       are played once
//   LabExactPlan(ranges, most)   how a page spreads the start states of
//       `ranges` (as for LabExactShare) over calls of LabExactShare, each
//       playing at most `most` battles: a JSON array of each call's ranges
//   LabMerge(shares)   `shares` is a JSON array of share documents (the
//       objects themselves, or strings holding them); the merged "exact"
//       document as --merge --format json gives it. Shares of different
//       pairs or versions, overlapping shares and damaged ones are refused.
//   LabRank(names, battles_per_pair, seed)   `names` one a line, as a rank
//       file; kind "rank"
//   LabSvg(report, words)   the picture --svg draws for a report of
//       LabSample, LabExactRange, LabMerge (the histogram of battle
//       lengths) or LabRank (the heat map), in the words of `words`: a
//       JSON object of every key of SvgWords (lab/svg.h), or "" for the
//       command line's English; names in it are escaped text, never markup
//   LabFree(text)   frees a string returned by any of the above

#include <string>

namespace bramble::lab::browser {

/// The functions behind the C exports, each returning the JSON (or SVG)
/// text the export hands over. Native builds test them.
std::string Limits();
std::string Ranges(const std::string& typed);
std::string Sample(const std::string& name1, const std::string& name2, double battles, double seed);
std::string ExactRange(const std::string& name1, const std::string& name2, double first,
                       double count);
std::string ExactShare(const std::string& name1, const std::string& name2,
                       const std::string& ranges);
std::string ExactPlan(const std::string& ranges, double most);
std::string Merge(const std::string& shares);
std::string Rank(const std::string& names, double battles_per_pair, double seed);
std::string Svg(const std::string& report, const std::string& words = "");

}  // namespace bramble::lab::browser

extern "C" {
char* LabLimits();
char* LabRanges(const char* text);
char* LabSample(const char* name1, const char* name2, double battles, double seed);
char* LabExactRange(const char* name1, const char* name2, double first, double count);
char* LabExactShare(const char* name1, const char* name2, const char* ranges);
char* LabExactPlan(const char* ranges, double most);
char* LabMerge(const char* shares);
char* LabRank(const char* names, double battles_per_pair, double seed);
char* LabSvg(const char* report, const char* words);
void LabFree(char* text);
}

#endif  // BRAMBLE_LAB_BROWSER_LAB_BROWSER_H_
