#!/usr/bin/env bash
# Writes small seed packages for fuzz_package into the folder given (made if needed).
# Generated rather than committed: they come from Info-ZIP zip, and the
# hostile ones from bench/hostile/make_packages.py (python3).
set -euo pipefail

if [ $# -ne 1 ]; then
    echo "usage: $0 OUTPUT_DIR" >&2
    exit 2
fi
if ! command -v zip >/dev/null 2>&1; then
    echo "make_corpus.sh: Info-ZIP zip not found (apt-get install zip)" >&2
    exit 1
fi

mkdir -p "$1"
out=$(cd "$1" && pwd)
generator="$(cd "$(dirname "$0")/.." && pwd)/bench/hostile/make_packages.py"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

mkdir -p src/img src/pages
printf '{ "style": [ { "type": 1, "name": "panel", "clr": "ffffffff" } ] }\n' > src/style.json
for i in 1 2 3 4 5 6; do
    printf 'line %d of a page that repeats itself, item %d\n' "$i" "$((i * 7))"
done > src/pages/Main.txt
printf 'short' > src/img/a.bin
head -c 300 /dev/zero | tr '\0' 'x' > src/pages/runs.txt
: > src/empty.txt
# Fixed times keep the seeds the same from run to run.
find src -exec touch -d '2020-02-29 13:37:42' {} +

(cd src && zip -q -X -0 "$out/stored.zip" style.json img/a.bin)
(cd src && zip -q -r "$out/deflated.zip" .)
(cd src && zip -q -X -9 "$out/best.zip" pages/Main.txt pages/runs.txt empty.txt)
(cd src && zip -q -X -P fuzz "$out/encrypted.zip" style.json img/a.bin)
(cd src && zip -q -X -0 -P fuzz "$out/encrypted_stored.zip" img/a.bin)
# Written to a pipe, zip cannot seek back and uses data descriptors.
(cd src && zip -q -X - style.json pages/runs.txt | cat > "$out/streamed.zip")
(cd src && echo 'a package comment' | zip -q -X -z "$out/commented.zip" style.json)
# Bytes in front of the package, offsets left unadjusted.
{ printf 'PREFIX-BYTES-'; cat "$out/stored.zip"; } > "$out/prefixed.zip"
# An end record alone: a package with no entries.
printf 'PK\005\006\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0' > "$out/empty.zip"
# Names equal but for case: the index keeps the first. The first byte odd
# sends the input down the file-backed path too.
mkdir case && printf 'first' > case/Dup.txt && printf 'second' > case/dup.txt
touch -d '2020-02-29 13:37:42' case/*
(cd case && zip -q -X "$work/dup.zip" Dup.txt dup.txt)
{ printf '\001'; cat "$work/dup.zip"; } > "$out/file_path_dup.zip"
{ printf '\001'; cat "$out/best.zip"; } > "$out/file_path.zip"
# Directory records sharing one local header, and long names made of parent
# references: small enough for the file-backed path, and larger ones that
# only the in-memory reader takes (first byte even).
if command -v python3 >/dev/null 2>&1; then
    python3 "$generator" --entries 30 --records 200 --zeros 64 --only hostile_names --only overlapping small
    for seed in hostile_names overlapping; do
        { printf '\001'; cat "small/$seed.zip"; } > "$out/file_path_$seed.zip"
    done
    python3 "$generator" --entries 100 --records 2000 --zeros 256 --only hostile_names --only overlapping large
    cp large/hostile_names.zip "$out/many_hostile_names.zip"
    cp large/overlapping.zip "$out/many_overlapping.zip"
else
    echo "make_corpus.sh: python3 not found; no seeds with shared records or hostile names" >&2
fi

echo "make_corpus.sh: seed packages written to $out"
