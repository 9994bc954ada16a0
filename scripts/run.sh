#!/usr/bin/env bash
# Installs what is missing, builds, lays out a program folder in build/program (keeping the data
# files of an earlier run) and starts the program from it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)"
if [ ! -f build/program/data.tvd ]; then
    build/schema/tramvik-mkfolder build/program
fi
exec build/program/tramvik-gps
