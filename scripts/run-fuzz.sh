#!/bin/sh
# Runs every libFuzzer target of a fuzz build for a bounded time each, seeded
# with the project and CPT files of the tests and examples; a target with a
# tests/fuzz/<name>.seeds file takes each of its lines as one seed, and one
# with a tests/fuzz/<name>.dict file that dictionary.
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
    create_from_file_fuzz) seeds="$(ls "$root"/tests/data/app/*.kv7d "$root"/tests/data/app/*.kv6d \
                                      "$root"/tests/data/app/*.kvd "$root"/examples/*.kv7d 2>/dev/null || true)" ;;
    expression_fuzz) seeds="" ;;
    jpeg_picture_fuzz) seeds="$(ls "$root"/tests/data/app/*.jpg 2>/dev/null || true)" ;;
    plot_data_fuzz) seeds="$(ls "$root"/tests/data/engine/*.kv7p 2>/dev/null || true)" ;;
    *) seeds="$(ls "$root"/tests/data/engine/*.kv7d "$root"/examples/*.kv7d 2>/dev/null || true)" ;;
  esac
  for seed in $seeds; do
    cp "$seed" "$corpus/"
    # A whole run or an open takes the project, a form feed, then the CPT point file.
    cpt="${seed%.kv7d}.cpt"
    case "$name" in whole_run_fuzz|create_from_file_fuzz)
      if [ -f "$cpt" ]; then
        { cat "$seed"; printf '\f'; cat "$cpt"; } > "$corpus/$(basename "$seed").with-cpt"
      fi ;;
    esac
  done
  lines="$root/tests/fuzz/$name.seeds"
  if [ -f "$lines" ]; then
    n=0
    while IFS= read -r line; do
      n=$((n + 1))
      printf '%s' "$line" > "$corpus/seed-$n"
    done < "$lines"
  fi
  dict="$root/tests/fuzz/$name.dict"
  if [ -f "$dict" ]; then set -- "-dict=$dict"; else set --; fi
  echo "== $name: ${seconds}s"
  if ! "$target" "$corpus" "$@" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
       -artifact_prefix="$artifacts" -print_final_stats=1; then
    echo "== $name FOUND A PROBLEM: see $artifacts"
    status=1
  fi
done
exit $status
