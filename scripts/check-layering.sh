#!/usr/bin/env bash
# The layering check, from the compiler's own dependency lists (Ninja's record of every -MD
# output), so headers reached through other headers, .inl files or #include MACRO all count.
# For every object built from a port, logic or render source:
#   port/    includes nothing from src/ outside port/, and no Qt or GL header;
#   logic    includes only port/ and logic headers, no Qt, no GL: scene/ alone may reach
#            GLU's tessellator header (with the GL headers it includes itself); and among the
#            logic folders only its own rank and lower ones (a `*_seams.h` header holding only
#            seam declarations is rank-free; one holding more is refused);
#   render   includes no UI header and no Qt header.
# Boost.Geometry (the plan index's R-tree) is reached from model/plan_index.cpp alone.
# An upward include still to be removed is listed, source and folder, in the exceptions file;
# a listed one the source no longer makes is refused too, so the list stays what is left.
# Usage: check-layering.sh <build dir> [ninja] [exceptions]. The build dir holds dvx-layers.txt,
# the folder and rank tables of cmake/Dovranix.cmake written at configure time.
set -u
build=${1:?usage: check-layering.sh <build dir> [ninja]}
ninja=${2:-ninja}
exceptions=${3:-$(dirname "$0")/layering-exceptions.txt}
[ -r "$exceptions" ] || { echo "layering: $exceptions is missing"; exit 2; }
build=$(cd "$build" && pwd) || exit 2
table="$build/dvx-layers.txt"
[ -f "$table" ] || { echo "layering: $table is missing (configure first)"; exit 2; }
[ -f "$build/build.ninja" ] || { echo "layering: $build is not a Ninja build"; exit 2; }
src=$(awk '$1 == "src" { print $2 }' "$table")
src=$(cd "$src" && pwd) || exit 2

deps=$(mktemp) sources=$(mktemp) seams=$(mktemp)
trap 'rm -f "$deps" "$sources" "$seams"' EXIT
"$ninja" -C "$build" -t deps > "$deps" || { echo "layering: cannot read Ninja's dependency log"; exit 2; }
find "$src" -name '*.cpp' > "$sources"
find "$src" -name '*_seams.h' | sort > "$seams"

awk -v build="$build" -v src="$src" -v top="${src%/*}" '
function norm(p,   n, parts, out, k, i) {
  if (p !~ /^\//) p = build "/" p
  n = split(p, parts, "/"); k = 0
  for (i = 1; i <= n; i++) {
    if (parts[i] == "" || parts[i] == ".") continue
    if (parts[i] == "..") { if (k > 0) k--; continue }
    out[++k] = parts[i]
  }
  p = ""
  for (i = 1; i <= k; i++) p = p "/" out[i]
  return p
}
function rel(p) { return index(p, src "/") == 1 ? substr(p, length(src) + 2) : "" }
function layer_of(r,   dir, best, blen, q) {   # longest listed prefix of the folder of r
  dir = r; sub(/\/[^\/]*$/, "", dir); if (dir == r) dir = ""
  best = ""; blen = -1
  for (q in layer)
    if ((dir == q || index(dir, q "/") == 1) && length(q) > blen) { best = layer[q]; blen = length(q) }
  return best
}
function rank_of(r,   dir, best, blen, q) {   # the ranked folder of r, or ""
  dir = r; sub(/\/[^\/]*$/, "", dir); if (dir == r) dir = ""
  best = ""; blen = -1
  for (q in rank)
    if ((dir == q || index(dir, q "/") == 1) && length(q) > blen) { best = q; blen = length(q) }
  return best
}
# A seams header holds seam declarations (DVX_SEAM... or a macro of its own over them), the
# types and constants their signatures use, forward declarations and preprocessor lines; a plain
# function or variable declaration would tie its includers to the objects of its owner.
function seams_only(path,   line, w, depth, open, ns, macro, ok, first) {
  ok = 1; depth = 0; open = 0; ns = 0; incomment = 0; cont = 0
  while ((getline line < path) > 0) {
    if (incomment) { if (!sub(/^.*\*\//, "", line)) continue; incomment = 0 }
    gsub(/\/\*.*\*\//, "", line)
    if (sub(/\/\*.*$/, "", line)) incomment = 1
    sub(/\/\/.*$/, "", line); gsub(/^[ \t]+|[ \t]+$/, "", line)
    if (line == "") continue
    if (cont) { cont = (line ~ /\\$/); continue }
    if (depth == 0 && !open) {
      if (line ~ /^#/) {
        if (match(line, /^#[ \t]*define[ \t]+[A-Za-z_0-9]+\(/)) {
          w = substr(line, RSTART, RLENGTH - 1); sub(/^#[ \t]*define[ \t]+/, "", w); macro[w] = 1
        }
        cont = (line ~ /\\$/); continue
      }
      if (line ~ /^namespace([ \t]|$)/ && line ~ /\{$/) { ns++; continue }
      if (line ~ /^}/ && ns > 0) { ns--; continue }
      w = line; sub(/[^A-Za-z_0-9].*$/, "", w)
      if (w ~ /^DVX_SEAM/ || (w in macro)) open = 0
      else if (w ~ /^(struct|class|enum|union|using|typedef|template|inline|constexpr|static_assert)$/) open = 1
      else if (ok) { ok = 0; first = line }
    }
    depth += gsub(/[({]/, "&", line) - gsub(/[)}]/, "&", line)
    if (open && depth == 0 && line ~ /;$/) open = 0
  }
  close(path)
  if (!ok) impure_line[path] = first
  return ok
}
function component(p, re,   n, parts, i) {   # a folder of p matches re
  if (index(p, build "/") == 1) p = substr(p, length(build) + 2)   # the checkout path is no clue
  else if (index(p, top "/") == 1) p = substr(p, length(top) + 2)
  n = split(p, parts, "/")
  for (i = 1; i < n; i++) if (parts[i] ~ re) return 1
  return 0
}
function may_include(from, to) {
  if (from == "port") return to == "port"
  if (from == "logic") return to == "port" || to == "logic"
  if (from == "render") return to == "port" || to == "logic" || to == "render"
  return 1
}
function note(key, path) {
  if (!(key in first)) { first[key] = path; order[++nkeys] = key }
  count[key]++
}
function finish(   i, d, r, l, glu, tess, key, what, rf, cf) {
  if (cur == "") return
  seen[cur] = 1
  glu = 0
  for (i = 1; i <= nd; i++) if (dep[i] ~ /\/GL\/glu\.h$/) glu = 1
  tess = glu && cur ~ /^scene\//
  nkeys = 0; delete first; delete count; delete order
  for (i = 1; i <= nd; i++) {
    d = dep[i]; r = rel(d)
    if (r != "") {
      l = layer_of(r)
      if (l == "") note("includes " r ", which is in no layer", d)
      else if (!may_include(curlayer, l)) note("includes " r " from the " l " layer", d)
      else if (curlayer == "logic" && l == "logic" && !(r in seamfree)) {
        rf = rank_of(r); cf = rank_of(cur)
        if (rank[rf] > rank[cf]) {
          if ((cur SUBSEP rf) in exception) used[cur SUBSEP rf] = 1
          else note("includes " rf "/ from a higher rank", d)
        }
      }
    } else if (d ~ /\/boost\/geometry(\/|\.hpp$)/) {
      if (cur != "model/plan_index.cpp") note("reaches Boost.Geometry outside model/plan_index.cpp", d)
    } else if (component(d, "^(Qt[A-Za-z0-9]*|qt[56])$")) {
      note("reaches Qt", d)
    } else if (component(d, "^(GL|GLES[0-9]*|EGL|KHR|OpenGL)$")) {
      if (curlayer == "render") continue
      if (tess && d ~ /\/(GL\/glu\.h|GL\/gl\.h|GL\/glext\.h|KHR\/khrplatform\.h)$/) continue
      note(curlayer == "logic" && cur ~ /^scene\// ? "reaches GL beyond GLU'"'"'s tessellator" : "reaches GL", d)
    }
  }
  for (i = 1; i <= nkeys; i++) {
    key = order[i]; what = first[key]
    if (count[key] > 1) what = what ", +" (count[key] - 1) " more"
    printf "layering: %s (%s) %s: %s\n", cur, curlayer, key, what
    bad = 1
  }
  cur = ""
}
FILENAME == ARGV[1] { if ($1 == "layer") layer[$2] = $3; if ($1 == "rank") rank[$2] = $3 + 0; next }
FILENAME == ARGV[2] {
  sub(/#.*$/, "")
  if (NF == 2) { exception[$1 SUBSEP $2] = 1; listed[$1 SUBSEP $2] = $1 " " $2 }
  else if (NF) { printf "layering: %s: not \"<source> <folder>\": %s\n", ARGV[2], $0; bad = 1 }
  next
}
FILENAME == ARGV[3] {
  r = rel($0)
  if (seams_only($0)) seamfree[r] = 1
  else { printf "layering: %s holds more than seam declarations: %s\n", r, impure_line[$0]; bad = 1 }
  next
}
FILENAME == ARGV[4] {
  r = rel($0); l = layer_of(r)
  if (l == "port" || l == "logic" || l == "render") wanted[r] = 1
  next
}
/^[^ ].*: #deps [0-9]+, deps mtime [0-9]+ \((VALID|STALE)\)$/ {
  finish()
  state = ($NF == "(VALID)"); nd = 0; skip = 1
  next
}
/^    / {
  p = norm(substr($0, 5))
  if (skip == 1) {   # the first dependency is the source itself
    skip = 0; r = rel(p)
    if (state && (r in wanted)) { cur = r; curlayer = layer_of(r) }
    next
  }
  if (cur != "") dep[++nd] = p
}
END {
  finish()
  for (r in wanted) if (!(r in seen)) {
    printf "layering: %s has no up-to-date dependency list (build first)\n", r
    bad = 1
  }
  for (k in listed) if (!(k in used)) {
    printf "layering: the exception \"%s\" is no longer needed: remove it from %s\n", listed[k], ARGV[2]
    bad = 1
  }
  if (!bad) print "layering: ok"
  exit bad
}
' "$table" "$exceptions" "$seams" "$sources" "$deps"
