#!/bin/sh
# The files built for one instruction set (SSE4.1, AVX2, AVX-512) must
# define no symbol but their player: any other, an inline function made
# there, could be the copy the linker keeps for code that runs on every
# processor, and crash one without those instructions.
# Usage: isa_symbols_test.sh NM OBJECT...
nm=$1
shift
checked=0
for object in "$@"; do
  case "$object" in
    *lanes_4_x86.cpp.o | *lanes_8.cpp.o | *lanes_16.cpp.o) ;;
    *) continue ;;
  esac
  symbols=$("$nm" -C -g --defined-only "$object" | grep -v ' bramble::lab::PlayLanes[0-9]*(bramble::lab::LaneJob const&)$' || true)
  if [ -n "$symbols" ]; then
    echo "$object defines more than its player:" >&2
    echo "$symbols" >&2
    exit 1
  fi
  "$nm" -C -g --defined-only "$object" | grep -q ' bramble::lab::PlayLanes[0-9]*(bramble::lab::LaneJob const&)$' ||
    { echo "$object: no player" >&2; exit 1; }
  checked=$((checked + 1))
done
[ "$checked" -eq 3 ] || { echo "checked $checked files of one instruction set, expected 3" >&2; exit 1; }
echo "3 files of one instruction set define their player alone"
