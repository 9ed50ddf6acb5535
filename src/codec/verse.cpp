#include "codec/verse.h"

namespace bramble {

// A short poem on the game itself, in GBK. Kept encoded so that it does
// not show up as plain text in the program.
const std::string_view kHiddenVerse =
    "w/vVvQogICAgIMG9w/vP4LbUyrEKCtK7tK7X1sS4u6/J7dDOo6wKyq7B+bj2yv3X1raoyuTT"
    "rqGjCgq1trnizrTG8M/IzsrD+6OsCsutvNK1xMP719a4/Lzh07KjvwoKyqS4urK7uf3Su7vY"
    "us+jrArD98jVu7vD+9TZ1tjAtKGjCgo=";

}  // namespace bramble
