# Sourced by the bench scripts: the Windows build, its Wine prefix and the
# test environment's server manager, as the SERVERS tests use them.
#   . "$(dirname "$0")/common.sh"
#   bench_setup NAME TARGET...   builds the targets, starts the test
#                                environment (stopped again on exit) and
#                                leaves an empty folder $work
#   start_server vsftpd|pyftpdlib none|explicit
#                                sets id port root user password
#   start_vsftpd none|explicit   the same for vsftpd
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${TARNWICK_BUILD:-$top/build}
win="$build/windows"

bench_setup() {
  local name=$1
  shift
  [ -f "$win/build.ninja" ] || cmake -S "$top" -B "$win" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64.cmake" >/dev/null
  cmake --build "$win" --target "$@" trust-test-ca >/dev/null
  . "$top/scripts/wine-env" "$win"
  ensure_wine_prefix
  wineserver -p 2>/dev/null || true
  wine cmd /c exit >/dev/null 2>&1 || true
  "$top/tests/support/testenv" setup "$win"
  work="$win/bench-$name"
  ca="$win/testenv/certs/ca.pem"
  trap bench_cleanup EXIT
  rm -rf "$work" && mkdir -p "$work"
}

bench_cleanup() {
  "$top/tests/support/testenv" cleanup "$win" || true
  rm -rf "$work"
}

ask() {  # one request to the test environment's server manager
  python3 -c 'import socket, sys
s = socket.create_connection(("127.0.0.1", int(open(sys.argv[1]).read())))
s.sendall((sys.argv[2] + "\n").encode())
print(s.makefile().readline().strip())' "$win/testenv/manager.port" "$1"
}

start_server() {
  local status
  read -r status id port root user password <<<"$(ask "start $1 $2 good")"
  [ "$status" = ok ] || { echo "could not start $1: $status $id" >&2; exit 1; }
}

start_vsftpd() { start_server vsftpd "$1"; }

# Of a list of figures on standard input, separated by spaces:
largest() { tr ' ' '\n' | sed '/^$/d' | sort -g | tail -1; }
smallest() { tr ' ' '\n' | sed '/^$/d' | sort -g | head -1; }
