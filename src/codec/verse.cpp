#include "codec/verse.h"

namespace bramble {

// A short poem on the game itself, in GBK. Kept encoded so that it does
// not show up as plain text in the program.
const std::string_view kHiddenVerse =
    "w/vVvQogICAgIMG9w/vP4LbUyrEKCtK7tK7X1sS4u6/J7dDOo6wKyq7B+bj2yv3X1raoyuTT"
    "rqGjCgq1trnizrTG8M/IzsrD+6OsCsutvNK1xMP719a4/Lzh07KjvwoKyqS4urK7uf3Su7vY"
    "us+jrArD98jVu7vD+9TZ1tjAtKGjCgo=";

// The same verse in English, for the player who chose English.
const std::string_view kEnglishHiddenVerse =
    "TmFtZSBCYXR0bGUKICAgICBXaGVuIHR3byBuYW1lcyBmYWNlIG9mZgoKQSBzdHJpbmcgb2Yg"
    "bGV0dGVycyB0YWtlcyBvbiBhIGJvZHksCnNpeHRlZW4gbnVtYmVycyBzZXR0bGUgd2hvIHdp"
    "bnMuCgpCZWZvcmUgdGhlIGJsYWRlcyBmbGFzaCwgYXNrIHRoZSBuYW1lOgp3aG9zZSBuYW1l"
    "IGlzIHRoZSB0b3VnaGVyIG9uZT8KCldpbiBvciBsb3NlLCBpdCBpcyBvbmx5IG9uZSByb3Vu"
    "ZDsKdG9tb3Jyb3csIHRha2UgYSBuZXcgbmFtZSBhbmQgZmlnaHQgYWdhaW4uCgo=";

}  // namespace bramble
