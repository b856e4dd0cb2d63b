# The packer and the 32-bit player the benchmarks pack with: FENOK_NATIVE_BUILD's fenok-pack and
# FENOK_STUB as they are, else the presets' own, built when missing.
# Usage: . scripts/lib/bench_tools.sh; fenok_bench_tools  (from the project's root) -> pack, stub
fenok_bench_tools() {
  local native=${FENOK_NATIVE_BUILD:-}
  if [ -z "$native" ]; then
    cmake --preset native >/dev/null && cmake --build --preset native -j "$(nproc)" --target fenok-pack >/dev/null
    native=build/native
  fi
  pack=$(realpath "$native")/bin/fenok-pack
  stub=${FENOK_STUB:-}
  if [ -z "$stub" ]; then
    cmake --preset win32 >/dev/null && cmake --build --preset win32 -j "$(nproc)" --target fenok >/dev/null
    stub=build/win32/bin/fenok.exe
  fi
  stub=$(realpath "$stub")
}
