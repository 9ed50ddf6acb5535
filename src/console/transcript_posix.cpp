#include "console/transcript.h"

#include <cstdio>

namespace bramble {

TranscriptResult AppendToTranscript(const std::string& path, std::string_view plain) {
  std::FILE* file = std::fopen(path.c_str(), "ab");
  if (!file)
    return TranscriptResult::kOpenFailed;
  // There is no text mode here: write the carriage return ourselves.
  std::string stored;
  stored.reserve(plain.size() + 8);
  for (char c : plain) {
    if (c == '\n')
      stored += '\r';
    stored += c;
  }
  bool written = std::fwrite(stored.data(), 1, stored.size(), file) == stored.size();
  bool closed = std::fclose(file) == 0;
  return written && closed ? TranscriptResult::kSaved : TranscriptResult::kWriteFailed;
}

}  // namespace bramble
