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
  # A mirror caught in the middle of a sync serves an index that does not match its release file:
  # once, the lists are fetched again a little later.
  local attempt
  for attempt in 1 2; do
    if [ -z "${FENOK_APT_UPDATED:-}" ]; then
      fenok_sudo apt-get update -q >/dev/null
      FENOK_APT_UPDATED=1
    fi
    fenok_sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}" \
      >/dev/null && return 0
    [ "$attempt" -eq 1 ] && { echo "scripts: the install failed; fetching the package lists again"; sleep 20; }
    FENOK_APT_UPDATED=
  done
  echo "scripts: could not install ${missing[*]}" >&2
  return 1
}

# Everything that building, testing and playing need.
FENOK_BUILD_PACKAGES=(cmake make g++ clang libclang-rt-14-dev pkg-config
  mingw-w64 g++-mingw-w64-i686 binutils-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  libtomlplusplus-dev libpng-dev libspng-dev libstb-dev zlib1g-dev time zip
  libheif-dev libwebp-dev  # fenok-pack reads HEIC, AVIF and WebP pictures
  pandoc)  # the author's guide made into a page for the Windows archive
FENOK_RUN_PACKAGES=(wine wine64 fonts-wine xvfb xauth xdotool x11-utils x11-xkb-utils imagemagick espeak-ng ffmpeg python3
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good  # what Wine's media player decodes with
  libgl1 libgl1-mesa-dri                               # Wine's video renderer needs OpenGL, or it crashes
  ccache                                               # a second test run compiles only what changed
  qemu-user-static)                                    # the 32-bit player where the kernel cannot run it
# The 32-bit player's side, apart: it installs even where the kernel cannot execute it (it then runs
# under qemu), and a failure to install it leaves the rest of the machine ready.
FENOK_I386_PACKAGES=(wine32 gstreamer1.0-plugins-base:i386 gstreamer1.0-plugins-good:i386
  libgl1:i386 libgl1-mesa-dri:i386)
# The web player: emscripten builds it (its JavaScript modules need nodejs), headless Chromium plays
# the pages in the tests (Debian's selenium, run with /usr/bin/python3).
FENOK_WEB_PACKAGES=(emscripten nodejs chromium chromium-driver python3-selenium fonts-dejavu-core
                    gir1.2-webkit2-4.1 libgl1-mesa-dri python3-gi python3-gi-cairo)

# Releases after Debian 12 ship libheif's codecs as plugins of their own: HEVC (HEIC) and AV1 (AVIF)
# decoders, and the encoders the tests make their pictures with. Installed where the release has them.
FENOK_HEIF_PLUGINS=(libheif-plugin-libde265 libheif-plugin-dav1d libheif-plugin-x265 libheif-plugin-aomenc)

fenok_available_packages() {  # the names among $@ that the package lists know
  local pkg
  for pkg in "$@"; do apt-cache show "$pkg" >/dev/null 2>&1 && echo "$pkg"; done
  return 0
}

fenok_ensure_all() {
  fenok_ensure_i386
  fenok_ensure_packages "${FENOK_BUILD_PACKAGES[@]}" "${FENOK_RUN_PACKAGES[@]}" "${FENOK_WEB_PACKAGES[@]}"
  local plugins
  mapfile -t plugins < <(fenok_available_packages "${FENOK_HEIF_PLUGINS[@]}")
  [ ${#plugins[@]} -eq 0 ] || fenok_ensure_packages "${plugins[@]}"
  fenok_ensure_packages "${FENOK_I386_PACKAGES[@]}" ||
    echo "scripts: without the 32-bit packages the 32-bit player will not be run" >&2
}
