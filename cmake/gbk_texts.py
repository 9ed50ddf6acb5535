#!/usr/bin/env python3
"""The game's texts become GBK bytes: the build steps that make it so.

The sources are UTF-8 and the program works in GBK. Every build (GCC,
mingw-w64, clang for fuzzing, Emscripten for the browser) compiles, in place
of a source that holds characters beyond ASCII in its string or character
literals, a copy in the build tree in which those characters are written as
octal escapes of their GBK bytes (octal, not hexadecimal: an octal escape
never swallows a digit that follows it). The bytes come from the host's
iconv, the converter the POSIX build uses at run time. Comments and code stay
as they are; a #line directive keeps every diagnostic, __FILE__ and debug
line pointing at the original. Every other source is compiled as it is, by
the compiler alone.

Literals with a prefix (u8, u, U, L) and raw literals are left to the
compiler's own encodings, so one holding a character beyond ASCII is refused
with a message: write it as an ordinary literal.

Used by cmake/gbk_texts.cmake, each command once, never per compile:
  gbk_texts.py scan SOURCE...       (configure) prints the sources that hold
                                    texts beyond ASCII, one a line
  gbk_texts.py copy SOURCE COPY     (build, when SOURCE changed) writes the
                                    GBK copy of SOURCE
  gbk_texts.py check STAMP LIST RESCAN
                                    (build, when a file of LIST changed) fails
                                    on a header that holds a text (headers
                                    hold none, so that the copies reach every
                                    text) and on a source compiled as it is
                                    that holds one; touches RESCAN so that the
                                    next build runs CMake again, which then
                                    compiles that source through its copy
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


def _read(path):
    with open(path, encoding="utf-8") as f:
        return f.read()


def _text_lines(text):
    """The lines of the literals of text that hold characters beyond ASCII."""
    if text.isascii():  # most sources: nothing to look at
        return []
    return [text.count("\n", 0, start) + 1
            for start, end, _ in _literals(text) if not text[start:end].isascii()]


def scan(sources):
    for source in sources:
        try:
            lines = _text_lines(_read(source))
        except SourceError:
            lines = [0]  # the copy's step says what is wrong, with the line
        if lines:
            print(source)
    return 0


def copy(source, target):
    try:
        converted = convert(_read(source), _gbk_converter())
    except SourceError as e:
        print("%s:%d: %s" % (source, e.args[0], e.args[1]), file=sys.stderr)
        return 1
    if converted is None:  # its texts are gone: the copy is the source
        converted = _read(source)
    os.makedirs(os.path.dirname(target), exist_ok=True)
    partial = target + ".part"
    with open(partial, "w", encoding="utf-8", newline="") as f:
        f.write('#line 1 "%s"\n' % source.replace("\\", "\\\\").replace('"', '\\"'))
        f.write(converted)
    os.replace(partial, target)
    return 0


def _gbk_converter():
    from host_iconv import Converter
    return Converter("GBK", "UTF-8")


def check(stamp, listing, rescan):
    """LIST holds one file a line, each after a word: "header", "direct" (a
    source compiled as it is) or "expression" (one that reaches its target
    through a generator expression, which the build cannot give a copy)."""
    failed = picked_up = False
    for entry in _read(listing).splitlines():
        kind, _, path = entry.partition(" ")
        if not path or not os.path.isfile(path):
            continue  # a source the build makes; the compile says if it is missing
        try:
            lines = _text_lines(_read(path))
        except SourceError as e:
            lines = [e.args[0]]
        if not lines:
            continue
        failed = True
        if kind == "header":
            message = ("a text in a header: move it into a source file, where the build "
                       "turns it into GBK")
        elif kind == "expression":
            message = ("a text beyond ASCII in a source listed through a generator expression, "
                       "which the build cannot give a GBK copy: list the source plainly")
        else:
            message = ("a text beyond ASCII in a source the build compiles as it is; CMake "
                       "runs again at the next build and compiles it through a GBK copy: "
                       "build again")
            picked_up = True
        print("%s:%d: %s" % (path, lines[0], message), file=sys.stderr)
    if picked_up:
        with open(rescan, "a"):
            pass
        os.utime(rescan)
    if failed:
        if os.path.exists(stamp):
            os.remove(stamp)
        return 1
    with open(stamp, "w"):
        pass
    return 0


def main():
    command, args = (sys.argv[1], sys.argv[2:]) if len(sys.argv) > 1 else ("", [])
    if command == "scan":
        return scan(args)
    if command == "copy" and len(args) == 2:
        return copy(*args)
    if command == "check" and len(args) == 3:
        return check(*args)
    print(__doc__.split("\n\n")[-1], file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main())
