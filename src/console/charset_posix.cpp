#include "console/charset.h"
#include "console/utf8.h"

#include <iconv.h>

#include <cerrno>

namespace bramble {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

// One iconv conversion descriptor, opened on first use and kept.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  /// Converts as much of `in` as decodes; returns the bytes consumed.
  size_t Convert(std::string_view in, std::string* out) const {
    if (cd_ == reinterpret_cast<iconv_t>(-1))
      return 0;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(in.data());
    size_t src_left = in.size();
    char buffer[256];
    while (src_left > 0) {
      char* dst = buffer;
      size_t dst_left = sizeof buffer;
      size_t rc = iconv(cd_, &src, &src_left, &dst, &dst_left);
      out->append(buffer, static_cast<size_t>(dst - buffer));
      if (rc == static_cast<size_t>(-1) && errno != E2BIG)
        break;  // EILSEQ or EINVAL: stop before the offending bytes
    }
    return in.size() - src_left;
  }

  /// Converts all of `in`, or nothing.
  bool ConvertWhole(std::string_view in, std::string* out) const {
    std::string converted;
    if (Convert(in, &converted) != in.size())
      return false;
    *out += converted;
    return true;
  }

 private:
  iconv_t cd_;
};

}  // namespace

std::string GbkToUtf8(std::string_view gbk) {
  static const Converter from_gbk("UTF-8", "GBK");
  static const Converter from_gb18030("UTF-8", "GB18030");
  std::string out;
  out.reserve(gbk.size() * 3 / 2);
  while (!gbk.empty()) {
    gbk.remove_prefix(from_gbk.Convert(gbk, &out));
    if (gbk.empty())
      break;
    // A GB18030 character typed by a player (two bytes GBK leaves
    // unassigned, such as U+01F9, or four bytes) shows as itself; anything
    // else that does not decode shows as U+FFFD. So do the C1 controls
    // (U+0080 to U+009F, four bytes in GB18030): a terminal would obey them
    // (U+009B starts an escape sequence).
    std::string ch;
    size_t length = 0;
    if (gbk.size() >= 2 && from_gb18030.ConvertWhole(gbk.substr(0, 2), &ch))
      length = 2;
    else if (gbk.size() >= 4 && from_gb18030.ConvertWhole(gbk.substr(0, 4), &ch))
      length = 4;
    if (length > 0) {
      bool c1_control =
          ch.size() == 2 && ch[0] == '\xC2' && static_cast<unsigned char>(ch[1]) < 0xA0;
      out += c1_control ? kReplacement : std::string_view(ch);
      gbk.remove_prefix(length);
    } else {
      out += kReplacement;
      gbk.remove_prefix(1);
    }
  }
  return out;
}

std::string Utf8ToGbk(std::string_view utf8) {
  static const Converter to_gbk("GBK", "UTF-8");
  static const Converter to_gb18030("GB18030", "UTF-8");
  return Utf8ToGbkEach(utf8, [](std::string_view ch, std::string* out) {
    return to_gbk.ConvertWhole(ch, out) || to_gb18030.ConvertWhole(ch, out);
  });
}

}  // namespace bramble
