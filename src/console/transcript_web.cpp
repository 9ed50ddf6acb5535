// The transcript in the browser: the page keeps the bytes of each file and
// offers them for download ("save transcript"), line feeds stored as CR LF
// as on every platform.
#include <emscripten.h>

#include "console/transcript.h"

namespace bramble {

namespace {

// clang-format off
EM_JS(void, PageAppend, (const char* path, const char* bytes, size_t length), {
  Module["page"].appendToTranscript(UTF8ToString(path), HEAPU8.slice(bytes, bytes + length));
});
// clang-format on

}  // namespace

TranscriptResult AppendToTranscript(const std::string& path, std::string_view plain) {
  std::string stored = WithCrLf(plain);
  PageAppend(path.c_str(), stored.data(), stored.size());
  return TranscriptResult::kSaved;
}

}  // namespace bramble
