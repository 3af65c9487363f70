# Shared by scripts/run, scripts/test and scripts/bench: installs what is
# missing from Debian's packages, then configures and builds.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Compiler cache: paths inside the tree count relative to it, so that two
# clones (or worktrees) of the project share their cached objects.
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$ROOT}
export CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1}

# Packages needed to build, test and run.
PACKAGES=(
  cmake g++ make pkg-config ccache
  qt6-base-dev qt6-multimedia-dev libgl-dev libsimpleini-dev
  poppler-utils fonts-dejavu-core
  lame libical-dev
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good
)

ensure_packages() {
  local missing=()
  for p in "${PACKAGES[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# configure DIR [cmake options...]
configure() {
  local dir=$1; shift
  cmake -S "$ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
}

# build DIR [cmake options...]: everything, tests and benchmark included.
build() {
  local dir=$1; shift
  configure "$dir" "$@"
  cmake --build "$dir" -j"$(nproc)"
}
