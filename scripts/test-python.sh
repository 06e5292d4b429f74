#!/usr/bin/env bash
# Installs the Python package into a fresh virtual environment (Debian's Python, with its
# pybind11, pytest, numpy, Pillow and zxing-cpp) and runs its tests and the README's examples.
# The package links the release build of the library, which this builds when it is missing.
set -euo pipefail
cd "$(dirname "$0")/.."
venv=build/python-venv
rm -rf "$venv" python/build
/usr/bin/python3 -m venv --system-site-packages "$venv"
if command -v ccache >/dev/null; then
    export CC="ccache g++" CXX="ccache g++" CCACHE_BASEDIR="$PWD"
fi
"$venv/bin/pip" install --no-build-isolation --no-index --quiet ./python
# Appended to the path, so that the installed package, not python/quorvantix, is the one imported.
"$venv/bin/python" -m pytest -q -p no:cacheprovider --import-mode=append python/tests python/README.md
