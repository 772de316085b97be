#!/bin/sh
# Runs every libFuzzer target of a fuzz build for a bounded time each, seeded
# with the project and CPT files of the tests and examples.
#   scripts/run-fuzz.sh BUILD_DIR SECONDS_PER_TARGET
set -eu
# Absolute: the whole-run target changes its current folder.
build="$(cd "$1" && pwd)"
seconds="$2"
root="$(cd "$(dirname "$0")/.." && pwd)"
status=0
for target in "$build"/bin/*_fuzz; do
  name="$(basename "$target")"
  corpus="$build/corpus/$name"
  artifacts="$build/artifacts/$name/"
  mkdir -p "$corpus" "$artifacts"
  case "$name" in
    cpt_file_fuzz) seeds="$(ls "$root"/tests/data/engine/*.cpt "$root"/examples/*.cpt 2>/dev/null || true)" ;;
    column_stream_fuzz) seeds="$(ls "$root"/tests/data/app/*.col 2>/dev/null || true)" ;;
    *) seeds="$(ls "$root"/tests/data/engine/*.kv7d "$root"/examples/*.kv7d 2>/dev/null || true)" ;;
  esac
  for seed in $seeds; do
    cp "$seed" "$corpus/"
    # The whole run takes the project, a form feed, then the CPT point file.
    cpt="${seed%.kv7d}.cpt"
    if [ "$name" = whole_run_fuzz ] && [ -f "$cpt" ]; then
      { cat "$seed"; printf '\f'; cat "$cpt"; } > "$corpus/$(basename "$seed").with-cpt"
    fi
  done
  echo "== $name: ${seconds}s"
  if ! "$target" "$corpus" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
       -artifact_prefix="$artifacts" -print_final_stats=1; then
    echo "== $name FOUND A PROBLEM: see $artifacts"
    status=1
  fi
done
exit $status
