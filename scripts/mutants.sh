#!/usr/bin/env bash
# Measures how many seeded faults the unit, editor and campaign tests catch.
#
#   scripts/mutants.sh [--tests-from REV | --tree-from REV] [--list FILE] [--only N[,N...]] [--keep]
#
# Copies the working tree to a scratch folder (with tests/ taken from git
# revision REV when asked, e.g. `main`, to score an older suite on the same
# faults; or the whole tree from REV, for a suite that relies on the code of
# its own revision), builds the unit, editor and campaign test programs once, then applies the
# mutants of FILE (default scripts/mutants.txt) one at a time: rebuild,
# run the unit tests, the editor tests, then the campaign tests, restore. A mutant is killed
# when a test fails, times out or crashes; it survives when both pass; a
# mutant that does not build is counted apart. Prints each result, the
# survivors and the score. Slow: not part of CI.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

tests_from=""
tree_from=""
list=scripts/mutants.txt
only=""
keep=0
while [ $# -gt 0 ]; do
  case "$1" in
    --tests-from) tests_from=$2; shift 2 ;;
    --tree-from) tree_from=$2; shift 2 ;;
    --list) list=$2; shift 2 ;;
    --only) only=",$2,"; shift 2 ;;
    --keep) keep=1; shift ;;
    *) echo "usage: $0 [--tests-from REV | --tree-from REV] [--list FILE] [--only N[,N...]] [--keep]" >&2; exit 2 ;;
  esac
done
[ -f "$list" ] || { echo "$0: no mutant list $list" >&2; exit 2; }
list=$(realpath "$list")

scratch=$(mktemp -d /tmp/vw-mutants.XXXXXX)
cleanup() { if [ "$keep" = 0 ]; then rm -rf "$scratch"; else echo "scratch kept in $scratch"; fi; }
trap cleanup EXIT

echo "== scratch copy in $scratch"
if [ -n "$tree_from" ]; then
  git archive "$tree_from" | tar -xf - -C "$scratch"
  echo "   the whole tree from $tree_from"
else
  git ls-files -co --exclude-standard -z | tar --null -T - -cf - | tar -xf - -C "$scratch"
fi
if [ -n "$tests_from" ]; then
  rm -rf "$scratch/tests"
  git archive "$tests_from" tests | tar -xf - -C "$scratch"
  echo "   tests/ from $tests_from"
fi

# Scratch copies share the compiler cache: paths are taken relative to the copy.
export CCACHE_BASEDIR=$scratch CCACHE_NOHASHDIR=1
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
build=$scratch/build
# Unoptimised and without debug information: quick to rebuild and link.
cmake -S "$scratch" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-O0 -DVAPORWICK_PLATFORM=OFF \
  "${launcher[@]}" >"$scratch/configure.log" 2>&1 || { cat "$scratch/configure.log"; exit 1; }
targets=(vaporwick_tests vaporwick_editor_tests vaporwick_campaign_tests)
unit=$build/tests/vaporwick_tests
editor=$build/tests/editor/vaporwick_editor_tests
campaign=$build/tests/campaign/vaporwick_campaign_tests

build() { timeout 900 nice -n 10 cmake --build "$build" -j2 --target "$@" >"$scratch/build.log" 2>&1; }
# 0 when every test passes; 1 on a failure, a crash or a timeout; 2 when a
# program does not build. The editor and campaign tests are built and run
# only for what the unit tests let through.
run_tests() {
  build "${targets[0]}" || return 2
  (cd "$scratch" && timeout 180 nice -n 10 "$unit" --gtest_brief=1 >"$scratch/unit.log" 2>&1) || return 1
  build "${targets[1]}" || return 2
  (cd "$scratch" && timeout 180 nice -n 10 "$editor" --gtest_brief=1 >"$scratch/editor.log" 2>&1) || return 1
  build "${targets[2]}" || return 2
  (cd "$scratch" && timeout 600 nice -n 10 "$campaign" --gtest_brief=1 >"$scratch/campaign.log" 2>&1) || return 1
}

echo "== building the tests"
nice -n 10 cmake --build "$build" -j2 --target "${targets[@]}" >"$scratch/build.log" 2>&1 || { tail -30 "$scratch/build.log"; exit 1; }
echo "== unmutated run"
if ! run_tests; then
  echo "the unmutated tests fail; no score can be given" >&2
  tail -20 "$scratch/unit.log" "$scratch/editor.log" "$scratch/campaign.log" >&2
  exit 1
fi

# Applies mutant "FILE @@ TEXT @@ REPLACEMENT" inside the scratch copy.
apply() {
  python3 - "$scratch" "$1" <<'PY'
import sys
root, line = sys.argv[1], sys.argv[2]
parts = [p.strip(' ') for p in line.split(' @@ ')]
if len(parts) != 3:
    sys.exit("malformed mutant")
path, text, repl = parts[0], parts[1].replace('\\n', '\n'), parts[2].replace('\\n', '\n')
name = root + '/' + path
src = open(name).read()
if src.count(text) != 1:
    sys.exit("text found %d times in %s" % (src.count(text), path))
open(name, 'w').write(src.replace(text, repl, 1))
PY
}

n=0 killed=0 survived=0 stillborn=0 invalid=0
survivors=()
while IFS= read -r line; do
  case "$line" in ''|'#'*) continue ;; esac
  n=$((n + 1))
  if [ -n "$only" ] && [[ "$only" != *",$n,"* ]]; then continue; fi
  file=${line%% @@ *}
  cp "$scratch/$file" "$scratch/.original"
  if ! msg=$(apply "$line" 2>&1); then
    echo "#$n INVALID ($msg): $line"
    invalid=$((invalid + 1))
    continue
  fi
  result=0
  run_tests || result=$?
  case $result in
    0) echo "#$n SURVIVED: $line"; survived=$((survived + 1)); survivors+=("#$n $line") ;;
    1) echo "#$n killed"; killed=$((killed + 1)) ;;
    *) echo "#$n does not build: $line"; stillborn=$((stillborn + 1)) ;;
  esac
  cp "$scratch/.original" "$scratch/$file"
done <"$list"

echo "== survivors"
for s in "${survivors[@]+"${survivors[@]}"}"; do echo "$s"; done
scored=$((killed + survived))
echo "== score: $killed of $scored killed ($stillborn did not build, $invalid did not apply)"
