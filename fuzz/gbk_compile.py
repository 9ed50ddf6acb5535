#!/usr/bin/env python3
"""Compiler launcher of the clang fuzz build: compiles a source's texts as GBK.

The game's sources are UTF-8 and GCC compiles them with -fexec-charset=GBK.
Clang only knows UTF-8 as an execution character set, so the fuzz build
compiles, beside each object file, a copy of its source in which every
non-ASCII character inside a string or character literal is written as
octal escapes of its GBK bytes (octal, not hexadecimal: an octal escape never
swallows a digit that follows it). Raw string literals take the GBK bytes
themselves, since they know no escapes; no GBK byte can end one. Comments and
code stay as they are, so the program holds the very bytes GCC gives it.

Usage, as CMAKE_CXX_COMPILER_LAUNCHER: gbk_compile.py COMPILER ARGS...
"""
import os
import subprocess
import sys


def gbk_escapes(ch):
    return "".join("\\%03o" % b for b in ch.encode("gbk"))


def convert(text):
    out = []
    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            end = text.find("\n", i)
            end = n if end < 0 else end
            out.append(text[i:end])
            i = end
        elif text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = n if end < 0 else end + 2
            out.append(text[i:end])
            i = end
        elif c == 'R' and text.startswith('R"', i) and not (
                i > 0 and (text[i - 1].isalnum() or text[i - 1] == "_")
                and text[i - 2:i] != "u8" and text[i - 1] not in "uUL"):
            open_paren = text.find("(", i + 2)
            close = ")" + text[i + 2:open_paren] + '"'
            end = text.find(close, open_paren) + len(close)
            body = text[i:end]
            out.append("".join(ch if ord(ch) < 128 else "\0GBK" + ch for ch in body))
            i = end
        elif c in "\"'" and not (c == "'" and i > 0 and text[i - 1].isalnum()
                                 and not text[i - 1] in "uUL"):
            # A string or character literal (a quote after a digit is a
            # digit separator, not a literal).
            j = i + 1
            piece = [c]
            while j < n and text[j] != c:
                if text[j] == "\\":
                    piece.append(text[j:j + 2])
                    j += 2
                    continue
                piece.append(text[j] if ord(text[j]) < 128 else gbk_escapes(text[j]))
                j += 1
            piece.append(c)
            out.append("".join(piece))
            i = j + 1
        else:
            out.append(c)
            i += 1
    return "".join(out)


def to_bytes(converted):
    # Raw string bodies were marked character by character; they become GBK
    # bytes, everything else is ASCII or UTF-8 (comments) as it was.
    parts = converted.split("\0GBK")
    data = bytearray(parts[0].encode("utf-8"))
    for part in parts[1:]:
        data += part[0].encode("gbk") + part[1:].encode("utf-8")
    return bytes(data)


def main():
    command = sys.argv[1:]
    sources = [k for k, arg in enumerate(command)
               if arg.endswith((".cpp", ".cc")) and os.path.isfile(arg)]
    if "-o" in command and len(sources) == 1:
        k = sources[0]
        source = command[k]
        copy = command[command.index("-o") + 1] + ".gbk.cpp"
        with open(source, encoding="utf-8") as f:
            data = to_bytes(convert(f.read()))
        with open(copy, "wb") as f:
            f.write(data)
        # Quoted includes still resolve beside the original source.
        command[k:k + 1] = ["-iquote", os.path.dirname(os.path.abspath(source)), copy]
    sys.exit(subprocess.call(command))


if __name__ == "__main__":
    main()
