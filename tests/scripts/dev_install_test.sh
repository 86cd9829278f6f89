#!/usr/bin/env bash
# scripts/dev's install step for root, a sudo user, a user without sudo and one sudo refuses, with
# stand-ins for id, sudo, apt-get, dpkg-query, cmake and the program on PATH: each case prints
# scripts/dev's words and exit code, and what apt-get and cmake were asked to do.
set -u
source=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/scripts" "$work/build/out" "$work/build-sanitize" "$work/tools" "$work/stubs"
cp "$source/scripts/dev" "$work/scripts/dev"
# Only these tools: a sudo of the machine must not be found.
for t in bash env dirname grep nproc cat; do ln -s "$(command -v "$t")" "$work/tools/$t"; done
stub() { printf '#!/bin/bash\n%s\n' "$2" > "$work/stubs/$1"; chmod +x "$work/stubs/$1"; }
stub dpkg-query 'exit 1'
stub apt-get 'echo "apt-get $*" >> "$LOG"'
stub cmake 'echo "cmake $*" >> "$LOG"'
stub ctest ':'
stub vandore ':'
mv "$work/stubs/vandore" "$work/build/out/vandore"

failures=0
# check <case> <uid> <sudo stub or "none"> <mode> <expected exit> <expected words...>
check() {
    local name=$1 uid=$2 sudo=$3 mode=$4 want=$5; shift 5
    stub id "[ \"\$1\" = -u ] && echo $uid || echo u2"
    rm -f "$work/stubs/sudo"
    [ "$sudo" = none ] || stub sudo "$sudo"
    export LOG=$work/$name.log; : > "$LOG"
    local said code
    said=$(PATH="$work/stubs:$work/tools" "$work/scripts/dev" "$mode" 2>&1 </dev/null)
    code=$?
    said+=$'\n'$(cat "$LOG")
    echo "--- $name: exit $code"; echo "$said"
    [ "$code" -eq "$want" ] || { echo "FAIL $name: exit $code, expected $want"; failures=$((failures + 1)); }
    for w in "$@"; do
        if [[ $w == !* ]]; then
            ! grep -qF -- "${w:1}" <<< "$said" || { echo "FAIL $name: says '${w:1}'"; failures=$((failures + 1)); }
        else
            grep -qF -- "$w" <<< "$said" || { echo "FAIL $name: does not say '$w'"; failures=$((failures + 1)); }
        fi
    done
}

cannot="needs root: run this as root, or as a user with the right to use sudo."
check root 0 none start 0 "apt-get install -y g++" "cmake -S $work -B $work/build -G Ninja -DBUILD_TESTING=OFF" \
    "!libgtest-dev" "!sudo"
CMAKE_BUILD_PARALLEL_LEVEL=3 check root_test 0 none test 0 "libgtest-dev libgmock-dev libbenchmark-dev xvfb" \
    "-DBUILD_TESTING=ON" "--build $work/build -j 3"
check sudo_user 1000 'echo "sudo $*" >> "$LOG"; [ "$1" = -v ] || "$@"' start 0 "sudo -v" "apt-get install -y g++"
check no_sudo 1000 none start 1 "scripts/dev: installing 8 missing packages (g++ " "$cannot" "!apt-get"
check sudo_refuses 1000 'echo "u2 is not in the sudoers file." >&2; exit 1' start 1 "$cannot" "!sudoers" "!apt-get"
[ "$failures" -eq 0 ] && echo "5 cases passed" || { echo "$failures failed checks"; exit 1; }
