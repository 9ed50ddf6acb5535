#include "console/charset.h"
#include "console/utf8.h"

#include <iconv.h>

#include <cerrno>

namespace bramble {

namespace {

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
  return GbkToUtf8With(
      gbk, [](std::string_view in, std::string* out) { return from_gbk.Convert(in, out); },
      [](std::string_view in, std::string* out) { return from_gb18030.ConvertWhole(in, out); });
}

std::string Utf8ToGbk(std::string_view utf8) {
  static const Converter to_gbk("GBK", "UTF-8");
  static const Converter to_gb18030("GB18030", "UTF-8");
  return Utf8ToGbkWith(utf8, [](std::string_view ch, std::string* out) {
    return to_gbk.ConvertWhole(ch, out) || to_gb18030.ConvertWhole(ch, out);
  });
}

}  // namespace bramble
