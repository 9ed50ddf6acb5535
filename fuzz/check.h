#ifndef BRAMBLE_FUZZ_CHECK_H_
#define BRAMBLE_FUZZ_CHECK_H_

#include <cstdio>
#include <cstdlib>

// A broken property is a finding: say which and abort, so that libFuzzer
// saves the input that broke it.
#define FUZZ_CHECK(condition)                                                               \
  do {                                                                                      \
    if (!(condition)) {                                                                     \
      std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                         \
    }                                                                                       \
  } while (0)

#endif  // BRAMBLE_FUZZ_CHECK_H_
