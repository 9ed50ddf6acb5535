// The console in the browser: the page (web/page.js) shows each segment of
// text in the page colour of its console attribute, and hands over the
// words typed into its text box. Text reaches the page as UTF-8; typed words
// come back as UTF-8 and are turned into the GBK bytes the game hashes, the
// same bytes as on a GBK console. A read waits for the player through
// Asyncify: the page runs on while the game waits.
#include <emscripten.h>

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

}  // namespace

void SetAttribute(uint16_t attribute) { PageAttribute(attribute); }

void Write(std::string_view gbk) {
  std::string utf8 = GbkToUtf8(gbk);
  PageWrite(utf8.data(), utf8.size());
}

void Flush() {}

int ReadByte() { return PageReadByte(); }

std::string DecodeWord(std::string word) { return Utf8ToGbk(word); }

// The page wraps its own lines; text is shown as Unicode.
int Columns() { return 80; }

bool Unicode() { return true; }

}  // namespace bramble::terminal::platform

/// The colours the page shows text in until the game sets others.
extern "C" EMSCRIPTEN_KEEPALIVE int BrambleDefaultAttribute() {
  return bramble::terminal::kDefaultAttribute;
}
