"""Copies a UTF-8 C++ source or header with every character beyond ASCII written as
octal escapes of its GBK bytes, for compilers that cannot be told to hold
string literals in GBK (clang, used by Emscripten, takes only UTF-8). The
bytes come from the host's iconv, as GCC's -fexec-charset=GBK takes them.

    python3 gbk_source.py IN.cpp OUT.cpp

Octal escapes, not hex ones: three digits at most, so a digit that follows
the character stays a digit. Comments get the same escapes, harmlessly.
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from host_iconv import Converter  # noqa: E402


def main():
    source, target = sys.argv[1], sys.argv[2]
    to_gbk = Converter("GBK", "UTF-8")
    with open(source, encoding="utf-8") as f:
        text = f.read()
    out = []
    for line_number, line in enumerate(text.splitlines(keepends=True), 1):
        for ch in line:
            if ord(ch) < 0x80:
                out.append(ch)
                continue
            gbk = to_gbk.whole(ch.encode("utf-8"))
            if not gbk:
                sys.exit("%s:%d: %r has no GBK form" % (source, line_number, ch))
            out.append("".join("\\%03o" % b for b in gbk))
    os.makedirs(os.path.dirname(target), exist_ok=True)
    with open(target, "w", encoding="ascii") as f:
        f.write("".join(out))


if __name__ == "__main__":
    main()
