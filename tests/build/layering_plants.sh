#!/usr/bin/env bash
# Compiles a small throwaway tree with the build's compiler into a scratch Ninja build, one
# file per kind of layering breach plus files that keep to the rules, and expects the layering
# check to refuse exactly the breaches.
# Usage: layering_plants.sh <check script> <scratch dir> <ninja> <table> <c++> <Qt include dirs, :-separated>
set -u
check=$1 work=$2 ninja=$3 table=$4 cxx=$5 qt=$6
rm -rf "$work"
mkdir -p "$work/build"
src="$work/src"

put() {  # put <file> <line>...
  mkdir -p "$src/$(dirname "$1")"
  local f=$1
  shift
  printf '%s\n' "$@" > "$src/$f"
}

# Files that keep to the rules.
put port/files.h '#pragma once' 'int PortFiles();'
put model/objects.h '#pragma once' '#include "port/files.h"'
put app/core/document_seams.h '#pragma once'
put model/doc.cpp '#include "model/objects.h"' '#include "app/core/document_seams.h"' '#include <vector>'
put scene/tess.cpp '#include <GL/glu.h>'
put render/draw.cpp '#include <GL/gl.h>' '#include <GL/glu.h>' '#include "model/objects.h"'
put port/qt/qt_files.cpp '#include <QString>' '#include "model/objects.h"'
put app/menu_commands.h '#pragma once' 'enum { kMenuUndo = 1 };'
put model/plan_index.cpp '#include <boost/geometry/core/tags.hpp>'
goods=(model/doc.cpp scene/tess.cpp render/draw.cpp port/qt/qt_files.cpp model/plan_index.cpp)

# The breaches: <file> and the words the check must print for it.
put render/gl_state.h '#pragma once' '#include <GL/gl.h>'
put model/draw_state.cpp '#include "render/gl_state.h"'
put model/walls.inl '#include <GL/gl.h>'
put model/walls.cpp '#include "model/walls.inl"'
put files/reader.cpp '#define DVX_HEADER <GL/glu.h>' '#include DVX_HEADER'
put plan/labels.cpp '#include <QString>'
put port/paths.cpp '#include "model/objects.h"'
put model/commands.cpp '#include "app/menu_commands.h"'
put render/widget.cpp '#include <QString>'
put scene/stencil.cpp '#include <GL/glu.h>' '#include <GL/glx.h>'
put scene/scene_build.h '#pragma once' 'int SceneBuild();'
put model/scene_use.cpp '#include "scene/scene_build.h"'
put app/core/impure_seams.h '#pragma once' '#define DVX_SEAM(...)' 'DVX_SEAM(Fine, int())' 'void NotASeam();'
put model/impure_use.cpp '#include "app/core/impure_seams.h"'
put plan/boxes.cpp '#include <boost/geometry/core/tags.hpp>'
breaches=(
  "model/draw_state.cpp (logic) reaches GL:"   # GL through a render header
  "model/walls.cpp (logic) reaches GL:"        # GL through a .inl
  "files/reader.cpp (logic) reaches GL:"       # GL through #include MACRO
  "plan/labels.cpp (logic) reaches Qt:"        # Qt in the logic
  "port/paths.cpp (port) includes model/objects.h from the logic layer"
  "model/commands.cpp (logic) includes app/menu_commands.h from the ui layer"
  "render/widget.cpp (render) reaches Qt:"
  "scene/stencil.cpp (logic) reaches GL beyond GLU's tessellator"
  "model/scene_use.cpp (logic) includes scene/ from a higher rank"
  "app/core/impure_seams.h holds more than seam declarations: void NotASeam();"
  "model/impure_use.cpp (logic) includes app/core/ from a higher rank"
  "plan/boxes.cpp (logic) reaches Boost.Geometry outside model/plan_index.cpp"
)
# One upward include across every boundary of the rank table, and its downward mirror kept.
ranks=($(awk '$1 == "rank" { print $3, $2 }' "$table" | sort -n | cut -d' ' -f2))
for ((i = 0; i + 1 < ${#ranks[@]}; i++)); do
  low=${ranks[i]} high=${ranks[i + 1]}
  put "$high/rank_top_$i.h" '#pragma once' "int RankTop$i();"
  put "$low/rank_low_$i.h" '#pragma once' "int RankLow$i();"
  put "$low/rank_up_$i.cpp" "#include \"$high/rank_top_$i.h\""
  put "$high/rank_down_$i.cpp" "#include \"$low/rank_low_$i.h\""
  breaches+=("$low/rank_up_$i.cpp (logic) includes $high/ from a higher rank")
  goods+=("$high/rank_down_$i.cpp")
done
[ ${#ranks[@]} -gt 2 ] || { echo "FAILED: the table has no rank order"; exit 1; }

qt_flags=()
IFS=: read -r -a dirs <<< "$qt"
for d in "${dirs[@]}"; do [ -n "$d" ] && qt_flags+=("-isystem" "$d"); done
{
  echo "rule cxx"
  echo "  command = $cxx -std=c++20 -I$src ${qt_flags[*]} -MD -MF \$out.d -c \$in -o \$out"
  echo "  depfile = \$out.d"
  echo "  deps = gcc"
  (cd "$src" && find . -name '*.cpp' | sort) | while read -r f; do
    echo "build obj/${f#./}.o: cxx ../src/${f#./}"
  done
} > "$work/build/build.ninja"
sed "s|^src .*|src $src|" "$table" > "$work/build/dvx-layers.txt"
"$ninja" -C "$work/build" >/dev/null || { echo "FAILED: the planted files do not compile"; exit 1; }

out=$("$check" "$work/build" "$ninja" /dev/null)
rc=$?
printf '%s\n' "$out"
fail=0
[ $rc -ne 0 ] || { echo "FAILED: the check passed a tree with breaches"; fail=1; }
for b in "${breaches[@]}"; do
  grep -qF "layering: $b" <<< "$out" || { echo "FAILED: not refused: $b"; fail=1; }
done
for good in "${goods[@]}"; do
  ! grep -qF "layering: $good " <<< "$out" || { echo "FAILED: refused a file that keeps to the rules: $good"; fail=1; }
done
# A listed exception lets its include through; one no longer needed is refused.
printf '%s\n' '# known' 'model/scene_use.cpp scene' 'model/doc.cpp scene' > "$work/exceptions.txt"
out=$("$check" "$work/build" "$ninja" "$work/exceptions.txt")
! grep -qF "layering: model/scene_use.cpp " <<< "$out" || { echo "FAILED: a listed exception was refused"; fail=1; }
grep -qF 'the exception "model/doc.cpp scene" is no longer needed' <<< "$out" ||
  { echo "FAILED: a stale exception passed"; fail=1; }
[ $fail -eq 0 ] && echo "every planted breach refused"
exit $fail
