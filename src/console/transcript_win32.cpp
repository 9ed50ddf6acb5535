#include "console/transcript.h"

#include <cstdio>

namespace bramble {

TranscriptResult AppendToTranscript(const std::string& path, std::string_view plain) {
  // Text mode: the C runtime stores every line feed as CR LF. The path is
  // handed over as the command line gave it, in the same code page.
  std::FILE* file = std::fopen(path.c_str(), "a");
  if (!file)
    return TranscriptResult::kOpenFailed;
  bool written = std::fwrite(plain.data(), 1, plain.size(), file) == plain.size();
  bool closed = std::fclose(file) == 0;
  return written && closed ? TranscriptResult::kSaved : TranscriptResult::kWriteFailed;
}

}  // namespace bramble
