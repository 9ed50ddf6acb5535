// The browser's lab: C functions for lab.js, each handing its text over in
// memory the page frees with LabFree.
#include <emscripten/emscripten.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "lab/browser/lab_browser.h"

namespace {

char* Handed(const std::string& text) {
  char* copy = static_cast<char*>(std::malloc(text.size() + 1));
  if (copy)
    std::memcpy(copy, text.c_str(), text.size() + 1);
  return copy;
}

std::string Text(const char* utf8) { return utf8 ? utf8 : ""; }

}  // namespace

using namespace bramble::lab;

extern "C" {

EMSCRIPTEN_KEEPALIVE char* LabLimits() { return Handed(browser::Limits()); }

EMSCRIPTEN_KEEPALIVE char* LabRanges(const char* text) {
  return Handed(browser::Ranges(Text(text)));
}

EMSCRIPTEN_KEEPALIVE char* LabSample(const char* name1, const char* name2, double battles,
                                     double seed) {
  return Handed(browser::Sample(Text(name1), Text(name2), battles, seed));
}

EMSCRIPTEN_KEEPALIVE char* LabExactRange(const char* name1, const char* name2, double first,
                                         double count) {
  return Handed(browser::ExactRange(Text(name1), Text(name2), first, count));
}

EMSCRIPTEN_KEEPALIVE char* LabExactShare(const char* name1, const char* name2, const char* ranges) {
  return Handed(browser::ExactShare(Text(name1), Text(name2), Text(ranges)));
}

EMSCRIPTEN_KEEPALIVE char* LabExactPlan(const char* ranges, double most) {
  return Handed(browser::ExactPlan(Text(ranges), most));
}

EMSCRIPTEN_KEEPALIVE char* LabMerge(const char* shares) {
  return Handed(browser::Merge(Text(shares)));
}

EMSCRIPTEN_KEEPALIVE char* LabRank(const char* names, double battles_per_pair, double seed) {
  return Handed(browser::Rank(Text(names), battles_per_pair, seed));
}

EMSCRIPTEN_KEEPALIVE char* LabSvg(const char* report, const char* words) {
  return Handed(browser::Svg(Text(report), Text(words)));
}

EMSCRIPTEN_KEEPALIVE void LabFree(char* text) { std::free(text); }
}
