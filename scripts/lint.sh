#!/usr/bin/env bash
# Static checks that keep the code tidy without a reviewer: clang-format's style over every
# C++ file, clang-tidy (bugprone-*, performance-*, clang-analyzer-*, see .clang-tidy) over the
# portable core and the CLI, and pyflakes3 over every Python tool and test. Non-zero exit on
# any finding.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
status=0

# The native build's compile_commands.json gives clang-tidy each file's flags; the generated
# Hindi code table must exist for hindi/devanagari.cpp.
cmake --preset native >/dev/null
cmake --build --preset native --target vartolik_hindi_table >/dev/null
core=$(ls base/*.cpp app/*.cpp draw/*.cpp query/*.cpp search/*.cpp teacher/*.cpp hindi/*.cpp stardict/*.cpp cli/*.cpp \
       | grep -v -e '_win\.cpp$' -e '^app/main\.cpp$')
echo "lint: clang-tidy over $(echo "$core" | wc -w) files of the core"
# shellcheck disable=SC2086
clang-tidy -p build/native --quiet $core 2>/dev/null || status=1

echo "lint: clang-format over every C++ file"
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror || status=1

echo "lint: pyflakes3 over the Python tools and tests"
git ls-files '*.py' | xargs pyflakes3 || status=1

[ $status -eq 0 ] && echo "lint: clean"
exit $status
