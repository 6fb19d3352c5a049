#!/usr/bin/env bash
# Reads a test program's link map and refuses every object taken from a library of the build
# tree that is not among the allowed ones, so the model's and the readers' tests prove the
# order of the logic by what they link. Usage: rank_links.sh <build dir> <map> <allowed library>...
set -u
build=$(cd "${1:?usage: rank_links.sh <build dir> <map> <library>...}" && pwd) || exit 2
map=${2:?usage: rank_links.sh <build dir> <map> <library>...}
shift 2
[ -s "$map" ] || { echo "rank links: $map is missing (build first)"; exit 2; }
allowed=" $* "
bad=0 seen=0
# Archive members appear as path/libname.a(member.o) in the maps of GNU ld and lld alike; the
# build tree's libraries by a path relative to it or below it, the system's elsewhere.
while read -r archive; do
  seen=1
  case $archive in "$build"/*) ;; /*) continue ;; esac
  name=$(basename "$archive" .a)
  name=${name#lib}
  case $allowed in *" $name "*) ;; *) echo "rank links: $(basename "$map") takes objects from $name"; bad=1 ;; esac
done < <(grep -oE '[^ ():]+\.a\(' "$map" | sed 's/($//' | sort -u)
[ "$seen" = 1 ] || { echo "rank links: $map names no library"; exit 2; }
[ "$bad" = 0 ] && echo "rank links: $(basename "$map") ok"
exit "$bad"
