# Installs the system packages that are missing (Debian 12), and nothing when all are there.
# Usage: . scripts/lib/deps.sh; fenok_ensure_packages pkg...
fenok_sudo() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

fenok_ensure_i386() {
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "scripts: adding the i386 architecture (32-bit Wine)"
    fenok_sudo dpkg --add-architecture i386
    FENOK_APT_UPDATED=
  fi
}

fenok_ensure_packages() {
  local missing=()
  local pkg
  for pkg in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$pkg")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "scripts: installing ${missing[*]}"
  if [ -z "${FENOK_APT_UPDATED:-}" ]; then
    fenok_sudo apt-get update -q >/dev/null
    FENOK_APT_UPDATED=1
  fi
  fenok_sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}" >/dev/null
}

# Everything that building, testing and playing need.
FENOK_BUILD_PACKAGES=(cmake make g++ clang libclang-rt-14-dev pkg-config
  mingw-w64 g++-mingw-w64-i686 binutils-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  libtomlplusplus-dev libpng-dev libspng-dev libstb-dev zlib1g-dev time zip)
# wine32 installs even where the kernel cannot execute it; the scripts then run the 64-bit player.
FENOK_RUN_PACKAGES=(wine wine32 wine64 fonts-wine xvfb xauth xdotool x11-utils x11-xkb-utils imagemagick espeak-ng ffmpeg python3
  gstreamer1.0-plugins-base:i386 gstreamer1.0-plugins-good:i386  # what Wine's media player decodes with,
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good              # in the 32- and the 64-bit player
  libgl1:i386 libgl1-mesa-dri:i386 libgl1 libgl1-mesa-dri)  # Wine's video renderer needs OpenGL, or it crashes
# The web player: emscripten builds it (its JavaScript modules need nodejs), headless Chromium plays
# the pages in the tests (Debian's selenium, run with /usr/bin/python3); the audio sample's clips.
FENOK_WEB_PACKAGES=(emscripten nodejs python3 chromium chromium-driver python3-selenium espeak-ng ffmpeg
  fonts-dejavu-core)

fenok_ensure_all() {
  fenok_ensure_i386
  fenok_ensure_packages "${FENOK_BUILD_PACKAGES[@]}" "${FENOK_RUN_PACKAGES[@]}" "${FENOK_WEB_PACKAGES[@]}"
}
