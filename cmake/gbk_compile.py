#!/usr/bin/env python3
"""The compiler launcher of every build: the game's texts become GBK bytes.

The sources are UTF-8 and the program works in GBK. Every compiler (GCC,
mingw-w64, clang for fuzzing, Emscripten for the browser) is started through
this script, which compiles, in place of a source that holds characters
beyond ASCII in its string or character literals, a copy beside the object
file in which those characters are written as octal escapes of their GBK
bytes (octal, not hexadecimal: an octal escape never swallows a digit that
follows it). The bytes come from the host's iconv, the converter the POSIX
build uses at run time. Comments and code stay as they are; a #line directive
keeps every diagnostic, __FILE__ and debug line pointing at the original.
A source without such literals is compiled as it is.

Headers hold no texts, so that this one step reaches every text: the build
runs `gbk_compile.py --check-headers HEADER...`, which fails on a header
holding a character beyond ASCII in a literal.

Literals with a prefix (u8, u, U, L) and raw literals are left to the
compiler's own encodings, so one holding a character beyond ASCII is refused
with a message: write it as an ordinary literal.

Usage, as CMAKE_CXX_COMPILER_LAUNCHER: gbk_compile.py COMPILER ARGS...
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

_PREFIXES = ("u8", "u", "U", "L")


class SourceError(Exception):
    pass


def _literals(text):
    """Yields (start, end, prefix) of every string and character literal,
    end past the closing quote, skipping comments."""
    i, n = 0, len(text)
    while i < n:
        if text.startswith("//", i):
            end = text.find("\n", i)
            i = n if end < 0 else end
        elif text.startswith("/*", i):
            end = text.find("*/", i + 2)
            i = n if end < 0 else end + 2
        elif text[i] in "\"'":
            quote = text[i]
            # The identifier just before: a prefix, or the digits of a number
            # whose ' is a digit separator (1'000).
            j = i
            while j > 0 and (text[j - 1].isalnum() or text[j - 1] == "_"):
                j -= 1
            word = text[j:i]
            if quote == "'" and word and not word in _PREFIXES:
                i += 1
                continue
            if word.endswith("R") and quote == '"':
                open_paren = text.find("(", i + 1)
                close = ")" + text[i + 1:open_paren] + '"'
                end = text.find(close, open_paren)
                if open_paren < 0 or end < 0:
                    raise SourceError(text.count("\n", 0, i) + 1, "unterminated raw string")
                yield j, end + len(close), word
                i = end + len(close)
                continue
            k = i + 1
            while k < n and text[k] != quote and text[k] != "\n":
                k += 2 if text[k] == "\\" else 1
            yield i, k + 1, word if word in _PREFIXES else ""
            i = k + 1
        else:
            i += 1


def convert(text, to_gbk):
    """The text with the characters beyond ASCII of its plain literals as
    GBK escapes, or None when no literal holds one."""
    out, last, changed = [], 0, False
    for start, end, prefix in _literals(text):
        literal = text[start:end]
        if all(ord(ch) < 0x80 for ch in literal):
            continue
        line = text.count("\n", 0, start) + 1
        if prefix:
            raise SourceError(line, "a %s literal holds a character beyond ASCII; write the "
                              "text as an ordinary literal" % ("raw" if "R" in prefix else prefix))
        pieces = []
        for ch in literal:
            if ord(ch) < 0x80:
                pieces.append(ch)
                continue
            gbk = to_gbk.whole(ch.encode("utf-8"))
            if not gbk:
                raise SourceError(line, "%r has no GBK form" % ch)
            pieces.append("".join("\\%03o" % b for b in gbk))
        out.append(text[last:start])
        out.append("".join(pieces))
        last, changed = end, True
    if not changed:
        return None
    out.append(text[last:])
    return "".join(out)


def check_headers(headers):
    failed = False
    for header in headers:
        with open(header, encoding="utf-8") as f:
            text = f.read()
        for start, end, _ in _literals(text):
            if any(ord(ch) >= 0x80 for ch in text[start:end]):
                line = text.count("\n", 0, start) + 1
                print("%s:%d: a text in a header: move it into a source file, where the "
                      "build turns it into GBK" % (header, line), file=sys.stderr)
                failed = True
    return 1 if failed else 0


def run(command):
    """Becomes the compiler: no second process waits beside each compile."""
    sys.stdout.flush()
    os.execvp(command[0], command)


def compile_source(command):
    sources = [k for k, arg in enumerate(command)
               if arg.endswith((".cpp", ".cc")) and os.path.isfile(arg)]
    if "-o" not in command or len(sources) != 1:
        run(command)
    k = sources[0]
    source = os.path.abspath(command[k])
    with open(source, encoding="utf-8") as f:
        text = f.read()
    if text.isascii():  # most sources: nothing to convert, no iconv to load
        run(command)
    from host_iconv import Converter
    try:
        converted = convert(text, Converter("GBK", "UTF-8"))
    except SourceError as e:
        print("%s:%d: %s" % (source, e.args[0], e.args[1]), file=sys.stderr)
        return 1
    if converted is None:
        run(command)
    copy = command[command.index("-o") + 1] + ".gbk.cpp"
    with open(copy, "w", encoding="utf-8") as f:
        f.write('#line 1 "%s"\n' % source.replace("\\", "\\\\").replace('"', '\\"'))
        f.write(converted)
    # Quoted includes still resolve beside the original source.
    command[k:k + 1] = ["-iquote", os.path.dirname(source), copy]
    run(command)


def main():
    if len(sys.argv) > 1 and sys.argv[1] == "--check-headers":
        sys.exit(check_headers(sys.argv[2:]))
    sys.exit(compile_source(sys.argv[1:]))


if __name__ == "__main__":
    main()
