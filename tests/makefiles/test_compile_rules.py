"""Every object of a build tree is compiled by the compiler alone, and none
from a source that holds texts beyond ASCII (those compile through their
GBK copies, cmake/gbk_texts.cmake).

    python3 test_compile_rules.py BUILD-DIR

Reads the Makefiles CMake generated: each rule that compiles an object must
start the compiler of CMakeCache.txt itself (no launcher, no interpreter in
front of it), and the source it compiles, when it is one of the project's,
must hold no text beyond ASCII.
"""
import os
import re
import shlex
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "cmake"))
import gbk_texts  # noqa: E402


def compiler_of(build):
    """The C++ compiler CMake found, as its rules name it."""
    for folder in os.listdir(os.path.join(build, "CMakeFiles")):
        found = os.path.join(build, "CMakeFiles", folder, "CMakeCXXCompiler.cmake")
        if os.path.isfile(found):
            with open(found, encoding="utf-8") as f:
                return re.search(r'set\(CMAKE_CXX_COMPILER "([^"]*)"\)', f.read()).group(1)
    return cache(build, "CMAKE_CXX_COMPILER")


def cache(build, name):
    with open(os.path.join(build, "CMakeCache.txt"), encoding="utf-8") as f:
        for line in f:
            key, _, value = line.rstrip("\n").partition("=")
            if key.split(":")[0] == name:
                return value
    return ""


def main():
    build = os.path.abspath(sys.argv[1])
    source = cache(build, "CMAKE_HOME_DIRECTORY")
    compiler = compiler_of(build)
    failures, passed = [], 0
    for folder, _, files in os.walk(build):
        if "build.make" not in files:
            continue
        with open(os.path.join(folder, "build.make"), encoding="utf-8") as f:
            for line in f:
                if not line.startswith("\t") or "$(CXX_FLAGS)" not in line or " -c " not in line:
                    continue
                command = re.sub(r"^\tcd \S+ && ", "", line.rstrip("\n"))
                words = shlex.split(command)
                compiled = words[words.index("-c") + 1]
                if words[0] != compiler or re.search(r"python|gbk_texts", command):
                    failures.append("%s: not compiled by the compiler alone: %s" % (compiled, command))
                elif compiled.startswith(source + os.sep) and not compiled.startswith(build + os.sep) \
                        and gbk_texts._text_lines(gbk_texts._read(compiled)):
                    failures.append("%s: holds texts beyond ASCII, compiled as it is" % compiled)
                else:
                    passed += 1
    if not passed + len(failures):
        failures.append("no compile rule found under %s" % build)
    for failure in failures:
        print("FAIL " + failure)
    print("compile rules: %d passed, %d failed" % (passed, len(failures)))
    return 1 if failures else 0

if __name__ == "__main__":
    sys.exit(main())
