#include "console/print_marked.h"

#include <string>

#include "console/color_printer.h"
#include "console/transcript.h"

namespace bramble {

std::string g_transcript_path;

const std::string_view kFrameLine = "<14>*-----------------------------------------------*";

std::string TranscriptNotice(std::string_view path, TranscriptResult result) {
  std::string notice = "<12>战况文件“<13>" + std::string(path);
  notice += result == TranscriptResult::kOpenFailed ? "<12>”创建失败，战况保存功能已禁用。\n"
                                                    : "<12>”写入失败，战况保存功能已禁用。\n";
  return notice;
}

namespace {

// What became of saving since PrintSaving switched it on.
TranscriptResult g_saving = TranscriptResult::kSaved;

// Tells the player that saving failed and is off from now on.
void ReportTranscriptFailure(TranscriptResult result) {
  ColorPrinter& printer = ColorPrinter::Instance();
  printer.Clear();
  printer.Parse(TranscriptNotice(g_transcript_path, result));
  printer.Parse(std::string(kFrameLine) + "\n\n\n");
  printer.Parse(std::string(kFrameLine) + "\n");
  printer.Emit();
  g_transcript_path.clear();
  g_saving = result;
}

}  // namespace

void PrintMarked(std::string_view text, bool with_newline) {
  ColorPrinter& printer = ColorPrinter::Instance();
  printer.Clear();
  if (with_newline)
    printer.Parse(std::string(text) + "\n");
  else
    printer.Parse(text);
  std::string plain = printer.Emit();
  if (g_transcript_path.empty())
    return;
  TranscriptResult result = AppendToTranscript(g_transcript_path, plain);
  if (result != TranscriptResult::kSaved)
    ReportTranscriptFailure(result);
}

TranscriptResult PrintSaving(const std::string& path, const std::function<void()>& run) {
  g_saving = TranscriptResult::kSaved;
  g_transcript_path = path;
  run();
  g_transcript_path.clear();
  return g_saving;
}

}  // namespace bramble
