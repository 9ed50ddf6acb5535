"""Writes the C++ tables behind src/console/charset_table.cpp from the host
C library's iconv (glibc), so that a build without a usable iconv (the
browser's) converts GBK and GB18030 exactly as the POSIX build does.

    python3 charset_table_gen.py OUTPUT.cpp

Tables written:
  kGbkSingleByte  the character of each single byte 0x80 to 0xFF (0: none);
  kGbkDoubleByteSteps  the character of every GBK double-byte code,
                  indexed (lead - 0x81) * 191 + (trail - 0x40), as its
                  distance (modulo 2^16) from the character of the last
                  code before it that has one (0: none);
  kGb18030DoubleByte  the two-byte GB18030 codes GBK lacks, by code;
  kEncodeRuns     every code point from U+0080 whose bytes are not the
                  first GBK code that decodes to it: runs of consecutive
                  code points with consecutive codes (a double-byte value,
                  or 0x10000 + the index of a four-byte GB18030 form; 0 for
                  code points the converters cannot encode, 1 for those
                  they drop).
The script checks what the C++ side assumes (ASCII passes unchanged, the
four-byte forms of the supplementary planes decode linearly, each four-byte
form below them decodes to the code point it encodes) and fails when the
host's converters break an assumption.
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from host_iconv import Converter  # noqa: E402


def four_byte_index(code):
    b1, b2, b3, b4 = code
    return (((b1 - 0x81) * 10 + (b2 - 0x30)) * 126 + (b3 - 0x81)) * 10 + (b4 - 0x30)


def four_byte_form(index):
    b4 = index % 10; index //= 10
    b3 = index % 126; index //= 126
    b2 = index % 10; index //= 10
    return bytes([0x81 + index, 0x30 + b2, 0x81 + b3, 0x30 + b4])


SUPPLEMENTARY_BASE = four_byte_index(b"\x90\x30\x81\x30")
# The codes of kEncodeRuns besides double-byte values.
UNENCODABLE = 0
DROPPED = 1
FOUR_BYTE = 0x10000


def main():
    gbk_to_utf32 = Converter("UTF-32BE", "GBK")
    gb18030_to_utf32 = Converter("UTF-32BE", "GB18030")
    utf8_to_gbk = Converter("GBK", "UTF-8")
    utf8_to_gb18030 = Converter("GB18030", "UTF-8")

    def check(condition, what):
        if not condition:
            sys.exit("charset_table_gen: the host's iconv breaks an assumption: " + what)

    for byte in range(0x80):
        check(gbk_to_utf32.whole(bytes([byte])) == byte.to_bytes(4, "big"), "ASCII byte %#x" % byte)
    single = [0] * 0x80
    inverse = {}
    for byte in range(0x80, 0x100):
        decoded = gbk_to_utf32.whole(bytes([byte]))
        if decoded is not None:
            cp = int.from_bytes(decoded, "big")
            check(len(decoded) == 4 and 0 < cp < 0x10000, "single byte %#x" % byte)
            single[byte - 0x80] = cp
            inverse.setdefault(cp, bytes([byte]))

    double = [0] * (126 * 191)
    extras = []  # (code, code point): two-byte GB18030 codes GBK lacks
    for lead in range(0x81, 0xFF):
        for trail in range(0x40, 0xFF):
            decoded = gbk_to_utf32.whole(bytes([lead, trail]))
            if decoded is None:
                decoded = gb18030_to_utf32.whole(bytes([lead, trail]))
                if decoded is not None:
                    check(len(decoded) == 4, "code %02X%02X is one character" % (lead, trail))
                    extras.append((lead << 8 | trail, int.from_bytes(decoded, "big")))
                continue
            check(len(decoded) == 4, "code %02X%02X is one character" % (lead, trail))
            cp = int.from_bytes(decoded, "big")
            check(0 < cp < 0x10000, "code %02X%02X in the BMP" % (lead, trail))
            double[(lead - 0x81) * 191 + (trail - 0x40)] = cp
            inverse.setdefault(cp, bytes([lead, trail]))

    # What the game makes of each code point typed: GBK, else GB18030.
    # (glibc's GBK converter takes the tag characters U+E0000 to U+E007F
    # without writing anything: they vanish from a typed name.)
    runs = []  # [first code point, count, first code]
    for cp in range(0x80, 0x110000):
        if 0xD800 <= cp < 0xE000:
            continue
        utf8 = chr(cp).encode("utf-8")
        wanted = utf8_to_gbk.whole(utf8)
        if wanted is None:
            wanted = utf8_to_gb18030.whole(utf8)
        if wanted is not None and wanted == inverse.get(cp):
            continue
        if wanted is None:
            code = UNENCODABLE
        elif not wanted:
            code = DROPPED
        elif len(wanted) == 2:
            code = int.from_bytes(wanted, "big")
        else:
            check(len(wanted) == 4, "U+%04X encodes in 2 or 4 bytes" % cp)
            code = FOUR_BYTE + four_byte_index(wanted)
            if cp < 0x10000:
                check(gb18030_to_utf32.whole(wanted) == cp.to_bytes(4, "big"),
                      "the four-byte form of U+%04X decodes to it" % cp)
        last = runs[-1] if runs else None
        if last and last[0] + last[1] == cp and (
                (code in (UNENCODABLE, DROPPED) and last[2] == code) or
                (code >= FOUR_BYTE and last[2] >= FOUR_BYTE and last[2] + last[1] == code) or
                (0x100 <= code < FOUR_BYTE and last[2] + last[1] == code and
                 code >> 8 == last[2] >> 8)):
            last[1] += 1
        else:
            runs.append([cp, 1, code])

    # Every four-byte form below the supplementary planes that decodes is
    # one of the forms the runs list, so the runs decode them too.
    listed = set()
    for first, count, code in runs:
        if code >= FOUR_BYTE and first < 0x10000:
            listed.update(range(code - FOUR_BYTE, code - FOUR_BYTE + count))
    for index in range(SUPPLEMENTARY_BASE):
        decoded = gb18030_to_utf32.whole(four_byte_form(index))
        check((decoded is not None) == (index in listed), "four-byte form %d" % index)
    # Above them the forms run in step with the code points.
    for cp in list(range(0x10000, 0x110000, 97)) + [0x10FFFF]:
        form = four_byte_form(SUPPLEMENTARY_BASE + cp - 0x10000)
        check(gb18030_to_utf32.whole(form) == cp.to_bytes(4, "big"), "form of U+%X" % cp)
    check(gb18030_to_utf32.whole(four_byte_form(SUPPLEMENTARY_BASE + 0x100000)) is None,
          "no form beyond U+10FFFF")

    # The double-byte table as steps from the last character before.
    steps = []
    last = 0
    for cp in double:
        steps.append((cp - last) % 0x10000 if cp else 0)
        check(not cp or steps[-1], "U+%04X is not on two codes in a row" % cp)
        last = cp or last

    with open(sys.argv[1], "w") as out:
        out.write("// Written by charset_table_gen.py from the host's iconv; do not edit.\n")
        out.write('#include "console/charset_table.h"\n\n')
        out.write("namespace bramble::charset_table {\n\n")
        out.write("const uint16_t kGbkSingleByte[0x80] = {\n")
        for i in range(0, len(single), 12):
            out.write("  " + ", ".join("0x%04X" % v for v in single[i:i + 12]) + ",\n")
        out.write("};\n\n")
        out.write("const uint16_t kGbkDoubleByteSteps[126 * 191] = {\n")
        for i in range(0, len(steps), 12):
            out.write("  " + ", ".join("0x%04X" % v for v in steps[i:i + 12]) + ",\n")
        out.write("};\n\n")
        out.write("const DoubleByteExtra kGb18030DoubleByte[] = {\n")
        for code, cp in extras:
            out.write("  {0x%04X, 0x%04X},\n" % (code, cp))
        out.write("};\n")
        out.write("const size_t kGb18030DoubleByteCount = %d;\n\n" % len(extras))
        out.write("const EncodeRun kEncodeRuns[] = {\n")
        for first, count, code in runs:
            out.write("  {0x%04X, %d, 0x%X},\n" % (first, count, code))
        out.write("};\n")
        out.write("const size_t kEncodeRunCount = %d;\n\n" % len(runs))
        out.write("}  // namespace bramble::charset_table\n")


if __name__ == "__main__":
    main()
