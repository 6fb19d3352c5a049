#!/usr/bin/env bash
# Builds small source trees and expects the layering check to pass or fail on each.
set -u
check=$1
work=$2
fail=0

tree() {  # tree <name> <file> <line>...: a fresh tree holding one file
  local dir="$work/$1" file=$2
  shift 2
  rm -rf "$dir"
  mkdir -p "$dir/$(dirname "$file")"
  printf '%s\n' "$@" > "$dir/$file"
  echo "$dir"
}

expect() {  # expect pass|fail <dir> <what>
  if "$check" "$2" >/dev/null 2>&1; then got=pass; else got=fail; fi
  if [ "$got" != "$1" ]; then
    echo "FAILED: $3 (expected $1, got $got)"
    fail=1
  else
    echo "ok: $3"
  fi
}

expect fail "$(tree a model/doc.cpp '#include <QString>')" "a logic file including <QString>"
expect fail "$(tree b files/io.h '  #  include "QtCore/qstring.h"')" "a logic header including QtCore/"
expect fail "$(tree c app/core/seams.cpp '#include <QObject>')" "a Qt-free core/ file including Qt"
expect fail "$(tree d render/gl.cpp '#include <QOpenGLWidget>')" "render including Qt"
expect fail "$(tree e model/draw.cpp '#include <GL/gl.h>')" "the model including GL"
expect fail "$(tree f scene/tess.cpp '#include <GL/gl.h>')" "scene including GL beyond GLU"
expect pass "$(tree g scene/tess.cpp '#include <GL/glu.h>')" "scene including GLU"
expect pass "$(tree h app/window.cpp '#include <QMainWindow>')" "the UI including Qt"
expect pass "$(tree i render/gl.cpp '#include <GL/gl.h>')" "render including GL"
expect pass "$(tree j model/doc.cpp '#include "model/QMDDocumentModel.h"' '// #include <QString> is not real')" \
  "a model header named like Qt and a comment"
exit $fail
