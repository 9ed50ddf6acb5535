#include "console/print_marked.h"

namespace bramble {

const std::string_view kFrameLine = "<14>*-----------------------------------------------*";

std::string TranscriptNotice(std::string_view path, TranscriptResult result) {
  std::string notice = "<12>战况文件“<13>" + std::string(path);
  notice += result == TranscriptResult::kOpenFailed ? "<12>”创建失败，战况保存功能已禁用。\n"
                                                    : "<12>”写入失败，战况保存功能已禁用。\n";
  return notice;
}

std::string EnglishTranscriptNotice(std::string_view path, TranscriptResult result) {
  std::string notice = "<12>Battle log \"<13>" + std::string(path);
  notice += result == TranscriptResult::kOpenFailed
                ? "<12>\" could not be created; saving is off.\n"
                : "<12>\" could not be written; saving is off.\n";
  return notice;
}

void Screen::PrintMarked(std::string_view text, bool with_newline) {
  printer_.Clear();
  if (with_newline)
    printer_.Parse(std::string(text) + "\n");
  else
    printer_.Parse(text);
  std::string plain = printer_.Emit(console_);
  if (transcript_path_.empty())
    return;
  TranscriptResult result = AppendToTranscript(transcript_path_, plain);
  if (result == TranscriptResult::kSaved)
    return;
  // Told once: saving is off from now on.
  printer_.Clear();
  printer_.Parse(notice_(transcript_path_, result));
  printer_.Parse(std::string(kFrameLine) + "\n\n\n");
  printer_.Parse(std::string(kFrameLine) + "\n");
  printer_.Emit(console_);
  transcript_path_.clear();
  saving_ = result;
}

void Screen::ShowOnly(std::string_view text) {
  printer_.Clear();
  printer_.Parse(text);
  printer_.Emit(console_);  // the plain text is dropped: never in the transcript
}

void Screen::WriteBare(std::string_view text) {
  console_.Write(text);
  console_.Flush();
}

}  // namespace bramble
