#!/usr/bin/env bash
# Holds the house to its plan: the module graph in docs/architecture.md is the one CMake builds
# (cmake --graphviz), and every module includes headers only of itself and of the modules it
# declares, and some header of each module it declares. Run by the test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
doc=docs/architecture.md
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake -S . -B "$work/build" -G Ninja -DQV_BUILD_TESTS=OFF --graphviz="$work/graph.dot" >/dev/null
# The modules are the object (or, without sources, interface) libraries qv_<folder>.
grep -oE 'label = "qv_[a-z0-9_]+", shape = (hexagon|pentagon)' "$work/graph.dot" |
    sed -E 's/label = "qv_([a-z0-9_]+)".*/\1/' | sort -u >"$work/modules"
grep -oE '// qv_[a-z0-9_]+ -> qv_[a-z0-9_]+$' "$work/graph.dot" | sed -E 's#// qv_##; s# -> qv_# #' |
    sort -u | awk 'NR == FNR { m[$1] = 1; next } ($1 in m) && ($2 in m)' "$work/modules" - \
    >"$work/cmake-edges"

# The documented graph: the fenced block after the "module graph" marker, one module a line,
# "name -> what it uses".
awk '/<!-- module graph/ { marked = 1; next }
     marked && /^```/ { if (inside) exit; inside = 1; next }
     inside && /->/ { sub(/->/, " "); for (i = 2; i <= NF; ++i) print $1, $i }' "$doc" |
    sort -u >"$work/doc-edges"
awk '/<!-- module graph/ { marked = 1; next }
     marked && /^```/ { if (inside) exit; inside = 1; next }
     inside && /->/ { print $1 }' "$doc" | sort -u >"$work/doc-modules"

failed=0
if ! diff -u "$work/doc-modules" "$work/modules" >"$work/diff"; then
    echo "$doc lists other modules than CMake builds (- document, + CMake):" >&2
    cat "$work/diff" >&2
    failed=1
fi
if ! diff -u "$work/doc-edges" "$work/cmake-edges" >"$work/diff"; then
    echo "$doc shows another module graph than cmake --graphviz (- document, + CMake):" >&2
    cat "$work/diff" >&2
    failed=1
fi

# The module a header belongs to: its folder under src/, or for a public header the module of
# that name, else the list below.
owner() {
    local header=$1
    case $header in
        quorvantix/*)
            local stem=${header#quorvantix/}
            stem=${stem%.h}
            if grep -qx "$stem" "$work/modules"; then
                echo "$stem"
                return
            fi
            case $stem in
                types | property | member_property) echo core ;;
                raster | indexed_bitmap | svg | png | bounds | recording | folder_sync) echo canvas ;;
                host | units) echo render ;;
                *) echo "?" ;;
            esac
            ;;
        *) echo "${header%%/*}" ;;
    esac
}

while read -r module; do
    files=$(find "src/$module" -name '*.h' -o -name '*.cpp' 2>/dev/null || true)
    for h in include/quorvantix/*.h; do
        [ "$(owner "${h#include/}")" = "$module" ] && files+=$'\n'"$h"
    done
    used=""
    while read -r file header; do
        [ -n "$file" ] || continue
        case $header in quorvantix/*) ;; *) [ -d "src/${header%%/*}" ] || continue ;; esac
        what=$(owner "$header")
        if [ "$what" = "?" ]; then
            echo "$file includes $header, which no module owns: name its module in $0" >&2
            failed=1
        elif [ "$what" != "$module" ]; then
            used+="$what"$'\n'
            if ! grep -qx "$module $what" "$work/cmake-edges"; then
                echo "$file includes $header of module $what, which qv_$module does not name" >&2
                failed=1
            fi
        fi
    done < <(grep -HoE '^#include "[^"]+"' $files | sed -E 's/:#include "(.*)"$/ \1/')
    while read -r from to; do
        if [ "$from" = "$module" ] && ! grep -qx "$to" <<<"$used"; then
            echo "qv_$module names qv_$to but includes none of its headers" >&2
            failed=1
        fi
    done <"$work/cmake-edges"
done <"$work/modules"

[ "$failed" = 0 ] && echo "architecture: the module graph and the includes agree"
exit "$failed"
