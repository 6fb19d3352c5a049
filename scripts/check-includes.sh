#!/usr/bin/env bash
# Fails when a file breaks the layering: no Qt outside the UI layer, no GL outside render/
# (GLU's tessellator is allowed in scene/). Usage: check-includes.sh <src folder>
set -u
src=${1:?usage: check-includes.sh <src folder>}
cd "$src" || exit 2
status=0

qt_pattern='^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"](Q[A-Za-z0-9_]*|Qt[A-Za-z0-9_]*/[^>"]*)[>"]'
gl_pattern='^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"](GL|OpenGL)/[^>"]*[>"]'

is_ui() {  # Qt is allowed here
  case "$1" in
    */core/*) return 1 ;;
    app/*|ui/*|content/*|powertools/*|port/qt/*) return 0 ;;
  esac
  return 1
}

while IFS= read -r -d '' f; do
  f=${f#./}
  if ! is_ui "$f"; then
    if grep -nE "$qt_pattern" "$f" >/dev/null; then
      echo "layering: $f includes Qt (only app, ui, content, powertools and port/qt may):"
      grep -nE "$qt_pattern" "$f" | sed 's/^/    /'
      status=1
    fi
  fi
  case "$f" in
    render/core/*) gl_ok=0 ;;
    render/*) gl_ok=1 ;;
    scene/*) gl_ok=glu ;;
    *) gl_ok=0 ;;
  esac
  if [ "$gl_ok" != 1 ]; then
    hits=$(grep -nE "$gl_pattern" "$f")
    [ "$gl_ok" = glu ] && hits=$(printf '%s\n' "$hits" | grep -vE '[<"]GL/glu\.h[>"]')
    if [ -n "$hits" ]; then
      echo "layering: $f includes GL (only render/, and GLU in scene/):"
      printf '%s\n' "$hits" | sed 's/^/    /'
      status=1
    fi
  fi
done < <(find . -type f \( -name '*.h' -o -name '*.hpp' -o -name '*.cpp' \) -print0)

[ $status -eq 0 ] && echo "layering: ok"
exit $status
