#!/usr/bin/env bash
# Runs the README's shell examples of the command as a reader pastes them: each block in a fresh
# folder, with the command built here first on the PATH. Blocks that build or install the project
# (./scripts/, pkg-config) are the CI's own steps and are left to it.
# usage: readme_examples.sh QUORVANTIX README
set -euo pipefail
bin=$(realpath "$1")
readme=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"
ln -s "$bin" "$work/bin/quorvantix"

awk -v dir="$work" '
    /^```sh$/ { n++; file = sprintf("%s/block-%02d.sh", dir, n); inside = 1; next }
    /^```$/   { inside = 0; next }
    inside    { print > file }
' "$readme"

ran=0
failed=0
for block in "$work"/block-*.sh; do
    [ -e "$block" ] || continue
    grep -q 'quorvantix ' "$block" || continue
    grep -qE '\./scripts/|pkg-config' "$block" && continue
    name=$(basename "$block" .sh)
    mkdir "$work/$name.run"
    if (cd "$work/$name.run" && PATH="$work/bin:$PATH" bash -euo pipefail "$block") \
        >"$work/$name.out" 2>&1; then
        ran=$((ran + 1))
    else
        failed=$((failed + 1))
        echo "README example failed ($name):"
        sed 's/^/  | /' "$block"
        sed 's/^/  > /' "$work/$name.out"
    fi
done
echo "README examples: $ran ran, $failed failed"
[ "$ran" -gt 0 ] && [ "$failed" -eq 0 ]
