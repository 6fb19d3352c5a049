# Shared by ./run and ./test: install what is missing, configure and build.
# shellcheck shell=bash

DVX_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

dvx_missing_packages() {
  local pkg missing=()
  while read -r pkg; do
    pkg=${pkg%%#*}
    pkg=${pkg//[[:space:]]/}
    [ -n "$pkg" ] || continue
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$pkg")
    fi
  done < "$DVX_ROOT/scripts/packages.txt"
  printf '%s\n' "${missing[@]}"
}

dvx_install() {
  local missing
  missing=$(dvx_missing_packages)
  [ -n "$missing" ] || return 0
  echo "Installing missing packages:" $missing
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "error: need root or sudo to install packages" >&2; return 1; }
    sudo="sudo -n"
  fi
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -q </dev/null || return 1
  # shellcheck disable=SC2086
  $sudo apt-get install -y -q --no-install-recommends $missing </dev/null || return 1
}

dvx_runtime_dir() {
  if [ -z "${XDG_RUNTIME_DIR:-}" ] || [ ! -d "${XDG_RUNTIME_DIR}" ]; then
    XDG_RUNTIME_DIR=$(mktemp -d "${TMPDIR:-/tmp}/dvx-runtime.XXXXXX")
    chmod 700 "$XDG_RUNTIME_DIR"
    export XDG_RUNTIME_DIR
  fi
}

# dvx_build <build dir> <build type> [extra cmake args...]; DVX_TARGET limits what is built.
dvx_build() {
  local dir=$1 type=$2
  shift 2
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S "$DVX_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" "$@" || return 1
  fi
  local jobs free_kb
  jobs=$(nproc 2>/dev/null || echo 2)
  # A cold build takes about 6 GiB; a full disk shows up only as a failed link far later.
  free_kb=$(df -Pk "$dir" 2>/dev/null | awk 'NR==2 {print $4}')
  if [ -n "$free_kb" ] && [ "$free_kb" -lt $((8 * 1024 * 1024)) ]; then
    echo "warning: only $((free_kb / 1024)) MiB free beside $dir; a build needs about 6 GiB" >&2
  fi
  if [ -n "${DVX_TARGET:-}" ]; then
    cmake --build "$dir" -j "$jobs" --target "$DVX_TARGET"
  else
    cmake --build "$dir" -j "$jobs"
  fi
}
