#include "console/transcript.h"

#include <errno.h>
#include <fcntl.h>
#include <unistd.h>

namespace bramble {

TranscriptResult AppendToTranscript(const std::string& path, std::string_view plain) {
  // Opened without waiting: a FIFO nobody reads, or a device that would
  // block, fails at once instead of hanging the game; a full FIFO fails its
  // write the same way. A regular file is not affected.
  int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
  if (fd < 0)
    return TranscriptResult::kOpenFailed;
  // There is no text mode here: write the carriage return ourselves.
  std::string stored = WithCrLf(plain);
  bool written = true;
  for (size_t done = 0; done < stored.size();) {
    ssize_t n = ::write(fd, stored.data() + done, stored.size() - done);
    if (n > 0) {
      done += static_cast<size_t>(n);
    } else if (!(n < 0 && errno == EINTR)) {
      written = false;
      break;
    }
  }
  bool closed = ::close(fd) == 0;
  return written && closed ? TranscriptResult::kSaved : TranscriptResult::kWriteFailed;
}

}  // namespace bramble
