#ifndef BRAMBLE_CONSOLE_TRANSCRIPT_H_
#define BRAMBLE_CONSOLE_TRANSCRIPT_H_

#include <string>
#include <string_view>

namespace bramble {

enum class TranscriptResult { kSaved, kOpenFailed, kWriteFailed };

/// Appends plain GBK text to the transcript file at `path`, creating it when
/// absent. Every line feed is stored as CR LF. The file is opened and closed
/// within the call, so each text is on disk as soon as it has been shown.
/// A failure to write or to close (a full disk, a device that rejects
/// writes) is reported, not ignored. Implemented per platform.
TranscriptResult AppendToTranscript(const std::string& path, std::string_view plain);

/// The bytes a transcript stores for plain text: every line feed as CR LF.
std::string WithCrLf(std::string_view plain);

}  // namespace bramble

#endif  // BRAMBLE_CONSOLE_TRANSCRIPT_H_
