#!/usr/bin/env bash
# Installs what is missing, builds, prepares the demo program folder build/program (keeping the
# data of an earlier run), connects a simulated GPS on COM1 that flies the demo route, and
# starts the program from that folder.
#
#   bash scripts/run.sh                  the demo flight at 100 kt
#   DEMO_SPEED=250 bash scripts/run.sh   faster
#
# In the program press the GPS button of the flight window: the aircraft takes off from
# Stuttgart and flies the route "Stuttgart - Augsburg". The simulated GPS stops when the
# program ends.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)"

program="$root/build/program"
build/schema/tramvik-mkfolder "$program"
build/tools/tramvik-demo "$program"
# GPS on COM1 at 4800 baud, unless the pilot chose otherwise in an earlier run.
if [ ! -e "$program/data.crm" ]; then
    printf '"1"\r\n"4800"\r\n' >"$program/data.crm"
fi

# A pseudo-terminal pair: the program opens one end as COM1 (the link dosdevices/com1 in the
# program folder), the demo flight is written into the other.
mkdir -p "$program/dosdevices"
com1="$program/dosdevices/com1"
feed="$root/build/gps-feed"
for link in "$com1" "$feed"; do
    if [ -L "$link" ]; then rm -f "$link"; fi
done

socat_pid=""
feeder_pid=""
stop_gps() {
    if [ -n "$feeder_pid" ]; then kill "$feeder_pid" 2>/dev/null || true; fi
    if [ -n "$socat_pid" ]; then kill "$socat_pid" 2>/dev/null || true; fi
    wait 2>/dev/null || true
    for link in "$com1" "$feed"; do
        if [ -L "$link" ]; then rm -f "$link"; fi
    done
}
trap stop_gps EXIT
trap 'exit 130' INT TERM

socat pty,raw,echo=0,link="$com1" pty,raw,echo=0,link="$feed" &
socat_pid=$!
for _ in $(seq 50); do
    if [ -e "$com1" ] && [ -e "$feed" ]; then break; fi
    sleep 0.1
done
if [ ! -e "$com1" ] || [ ! -e "$feed" ]; then
    echo "run.sh: socat did not make the pseudo-terminals; starting without a GPS" >&2
else
    build/tools/tramvik-nmea-demo --speed "${DEMO_SPEED:-100}" --device "$feed" &
    feeder_pid=$!
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "run.sh: no display; to run without one: xvfb-run -a bash scripts/run.sh" >&2
fi
"$program/tramvik-gps"
