// The console in the browser: the page (web/page.js) shows each segment of
// text in the page colour of its console attribute, and hands over the
// words typed into its text box. Text reaches the page as UTF-8; typed words
// come back as UTF-8 and are turned into the GBK bytes the game hashes, the
// same bytes as on a GBK console. A read waits for the player through
// Asyncify: the page runs on while the game waits.
#include <emscripten.h>

#include <memory>
#include <string>

#include "console/charset.h"
#include "console/terminal.h"

namespace bramble {

namespace {

// clang-format off
EM_JS(void, PageAttribute, (int attribute), { Module["page"].attribute(attribute); });
// clang-format on

// clang-format off
EM_JS(void, PageWrite, (const char* utf8, size_t length),
      { Module["page"].write(UTF8ToString(utf8, length)); });
// clang-format on

// The next byte the player typed (UTF-8; a line feed after each line), or
// -1 when the page has closed its input.
// clang-format off
EM_ASYNC_JS(int, PageReadByte, (), { return await Module["page"].readByte(); });
// clang-format on

// The text of one colour (a run) goes to the page in one call: when the
// colour changes, or the game flushes or reads. Each segment is converted
// on its own, as it always was.
class PageConsole final : public Console {
 public:
  ~PageConsole() override { SendRun(); }

  void SetAttribute(uint16_t attribute) override {
    if (attribute_set_ && attribute_ == attribute)
      return;  // the same colour: the run goes on
    SendRun();
    PageAttribute(attribute);
    attribute_ = attribute;
    attribute_set_ = true;
  }

  void Write(std::string_view gbk) override { run_ += GbkToUtf8(gbk); }

  void Flush() override { SendRun(); }

  int ReadByte() override {
    SendRun();
    return PageReadByte();
  }

  std::string DecodeWord(std::string typed) override { return Utf8ToGbk(typed); }

  // The page wraps its own lines; text is shown as Unicode.
  int Columns() override { return 80; }

  bool Unicode() override { return true; }

 private:
  void SendRun() {
    if (run_.empty())
      return;
    PageWrite(run_.data(), run_.size());
    run_.clear();
  }

  std::string run_;  // UTF-8
  uint16_t attribute_ = 0;
  bool attribute_set_ = false;  // whether the page has our colour yet
};

}  // namespace

std::unique_ptr<Console> OpenTerminal() { return std::make_unique<PageConsole>(); }

}  // namespace bramble

/// The colours the page shows text in until the game sets others.
extern "C" EMSCRIPTEN_KEEPALIVE int BrambleDefaultAttribute() { return bramble::kDefaultAttribute; }
