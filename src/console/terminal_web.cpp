// The console in the browser: the page (web/page.js) shows each segment of
// text in the page colour of its console attribute, and hands over the
// words typed into its text box. Text reaches the page as UTF-8; typed words
// come back as UTF-8 and are turned into the GBK bytes the game hashes, the
// same bytes as on a GBK console. A read waits for the player through
// Asyncify: the page runs on while the game waits.
#include <emscripten.h>

#include <string>

#include "console/charset.h"
#include "console/terminal.h"

namespace bramble::terminal::platform {

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
struct Run {
  std::string utf8;
  uint16_t attribute = 0;
  bool attribute_set = false;  // whether the page has our colour yet
};

Run& TheRun() {
  static Run run;
  return run;
}

void SendRun() {
  Run& run = TheRun();
  if (run.utf8.empty())
    return;
  PageWrite(run.utf8.data(), run.utf8.size());
  run.utf8.clear();
}

}  // namespace

void SetAttribute(uint16_t attribute) {
  Run& run = TheRun();
  if (run.attribute_set && run.attribute == attribute)
    return;  // the same colour: the run goes on
  SendRun();
  PageAttribute(attribute);
  run.attribute = attribute;
  run.attribute_set = true;
}

void Write(std::string_view gbk) { TheRun().utf8 += GbkToUtf8(gbk); }

void Flush() { SendRun(); }

int ReadByte() {
  SendRun();
  return PageReadByte();
}

std::string DecodeWord(std::string word) { return Utf8ToGbk(word); }

// The page wraps its own lines; text is shown as Unicode.
int Columns() { return 80; }

bool Unicode() { return true; }

}  // namespace bramble::terminal::platform

/// The colours the page shows text in until the game sets others.
extern "C" EMSCRIPTEN_KEEPALIVE int BrambleDefaultAttribute() {
  return bramble::terminal::kDefaultAttribute;
}
