#!/usr/bin/env bash
# The layering check, from the compiler's own dependency lists (Ninja's record of every -MD
# output), so headers reached through other headers, .inl files or #include MACRO all count.
# For every object built from a port, logic or render source:
#   port/    includes nothing from src/ outside port/, and no Qt or GL header;
#   logic    includes only port/ and logic headers, no Qt, no GL: scene/ alone may reach
#            GLU's tessellator header (with the GL headers it includes itself);
#   render   includes no UI header and no Qt header.
# Usage: check-layering.sh <build dir> [ninja]. The build dir holds dvx-layers.txt, the
# folder table of cmake/Dovranix.cmake written at configure time.
set -u
build=${1:?usage: check-layering.sh <build dir> [ninja]}
ninja=${2:-ninja}
build=$(cd "$build" && pwd) || exit 2
table="$build/dvx-layers.txt"
[ -f "$table" ] || { echo "layering: $table is missing (configure first)"; exit 2; }
[ -f "$build/build.ninja" ] || { echo "layering: $build is not a Ninja build"; exit 2; }
src=$(awk '$1 == "src" { print $2 }' "$table")
src=$(cd "$src" && pwd) || exit 2

deps=$(mktemp) sources=$(mktemp)
trap 'rm -f "$deps" "$sources"' EXIT
"$ninja" -C "$build" -t deps > "$deps" || { echo "layering: cannot read Ninja's dependency log"; exit 2; }
find "$src" -name '*.cpp' > "$sources"

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
function finish(   i, d, r, l, glu, tess, key, what) {
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
FILENAME == ARGV[1] { if ($1 == "layer") layer[$2] = $3; next }
FILENAME == ARGV[2] {
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
  if (!bad) print "layering: ok"
  exit bad
}
' "$table" "$sources" "$deps"
