#!/bin/bash
# Every C++ file is in the house style of .clang-format: reformatting it changes nothing.
# clang-format's output moves between major versions, so the one Debian 12 ships is the reference.
# Usage: style.test.sh BUILD_DIR SOURCE_DIR
source_dir="$2"
cd "$source_dir" || exit 1
FORMAT=$(command -v clang-format-14 || true)
if [ -z "$FORMAT" ]; then
    echo "SKIP: clang-format-14 is not installed (scripts/setup.sh installs clang-format)"
    exit 77
fi
# The checker itself must see a fault: a badly laid out line is not left as it is.
if printf 'int  f( ){return 1;}\n' | "$FORMAT" --assume-filename=essai.cpp | grep -qx 'int  f( ){return 1;}'; then
    echo "FAIL: clang-format leaves a badly formatted line alone; is .clang-format read?"
    exit 1
fi
if [ -d .git ] && command -v git >/dev/null 2>&1; then
    mapfile -t fichiers < <(git ls-files '*.cpp' '*.h')
else
    mapfile -t fichiers < <(find . -path ./build -prune -o \( -name '*.cpp' -o -name '*.h' \) -print)
fi
fautes=0
for f in "${fichiers[@]}"; do
    if ! "$FORMAT" --dry-run --Werror "$f" >/dev/null 2>&1; then
        echo "FAIL: $f is not in the house style (clang-format-14 -i $f)"
        fautes=$((fautes + 1))
    fi
done
echo "${#fichiers[@]} files checked, $fautes not in the house style"
[ "$fautes" -eq 0 ]
