// GBK <-> UTF-8 in the browser, whose C library cannot convert to GBK: the
// tables written from the POSIX build's converters give the same bytes.
#include "console/charset.h"
#include "console/charset_table.h"

namespace bramble {

std::string GbkToUtf8(std::string_view gbk) { return charset_table::GbkToUtf8(gbk); }

std::string Utf8ToGbk(std::string_view utf8) { return charset_table::Utf8ToGbk(utf8); }

}  // namespace bramble
