#!/usr/bin/env bash
# Set-up failures in our words: scripts/dev's install step, with stand-ins for the system's tools on
# PATH (and none of this machine's sudo), and the program started without a display.
w=$(mktemp -d)
trap 'rm -rf "$w"' EXIT
mkdir -p "$w/scripts" "$w/build/out" "$w/build-sanitize" "$w/bin"
cp "$(dirname "$0")/../../scripts/dev" "$w/scripts"
for tool in bash env dirname grep nproc; do ln -s "$(command -v $tool)" "$w/bin"; done

stub() {  # stub <file> <body>
    printf '#!/bin/bash\n%s\n' "$2" > "$1"
    chmod +x "$1"
}
# Every package is missing, or those listed in $w/missing.
stub "$w/bin/dpkg-query" "[ -f $w/missing ] && ! grep -qx \"\$3\" $w/missing && echo install ok installed"
stub "$w/bin/ctest" :
stub "$w/build/out/vandore" :
stub "$w/bin/apt-get" 'echo apt-get $* >&2'
stub "$w/bin/cmake" 'echo cmake $* >&2'

fail=0
check() {  # check <uid> <sudo stand-in, or none> <mode> <exit> <pattern of the whole output>
    stub "$w/bin/id" "[ \$1 = -u ] && echo $1 || echo u2"
    rm -f "$w/bin/sudo"
    [ "$2" = none ] || stub "$w/bin/sudo" "$2"
    out=$(CMAKE_BUILD_PARALLEL_LEVEL=3 PATH=$w/bin "$w/scripts/dev" "$3" 2>&1 </dev/null)
    code=$?
    echo "--- uid $1, sudo: $2, $3: exit $code"$'\n'"$out"
    [[ $code = "$4" && $out == $5 ]] || { echo FAILED; fail=1; }
}

cannot="scripts/dev: installing 8 missing packages (g++ *) needs root: run this as root, or as a user with the right to use sudo."
check 0 none test 0 \
    "*fonts-liberation libgtest-dev libgmock-dev libbenchmark-dev *"$'\n'"cmake -S *-DBUILD_TESTING=ON"$'\n'"cmake --build * -j 3*"
check 1000 'echo sudo $1; [ $1 = -v ] || "$@"' start 0 \
    "sudo -v"$'\n'"*"$'\n'"sudo apt-get"$'\n'"apt-get update"$'\n'"sudo env"$'\n'"apt-get install -y g++ cmake ninja-build pkg-config qt6-base-dev libgl-dev fonts-dejavu-core fonts-liberation"$'\n'"cmake -S *-DBUILD_TESTING=OFF"$'\n'"cmake --build * -j 3 *"
check 1000 none start 1 "$cannot"
check 1000 'echo u2 is not in the sudoers file. >&2; exit 1' start 1 "$cannot"
check 1000 'echo sudo: a terminal is required to read the password\; either use the -S option ... >&2; exit 1' start 1 \
    "scripts/dev: installing 8 missing packages (g++ *) needs root, and sudo has no terminal here to ask for the password: run this in a terminal, or as root."
echo poppler-utils > "$w/missing"
check 0 none test 0 "scripts/dev: installing 1 missing package: poppler-utils"$'\n'"apt-get update"$'\n'"apt-get install -y poppler-utils"$'\n'"cmake -S *"
: > "$w/missing"  # after `test`, `start` keeps the tests on in build/
check 0 none start 0 "cmake -S * -G Ninja"$'\n'"cmake --build *"

out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$1" 2>&1)
code=$?
echo "--- no display: exit $code"$'\n'"$out"
[[ $code = 1 && $out == "vandore: needs a graphical session, and neither DISPLAY nor WAYLAND_DISPLAY"* ]] || { echo FAILED; fail=1; }
exit $fail
