#!/usr/bin/env bash
# Starts the web site on a free port of 127.0.0.1 with a data folder of its own, waits until it answers,
# runs the program against it and stops the site when the program ends.
#   scripts/run-with-site.sh BUILD_DIR
set -euo pipefail
build=${1:-build}
data=${ZENKOR_SITE_DATA:-$build/site-data}
log=$build/zenkor-site.log

"$build/zenkor-site" --data "$data" --listen 127.0.0.1:0 >"$log" 2>&1 &
site=$!
trap 'kill "$site" 2>/dev/null || true; wait "$site" 2>/dev/null || true' EXIT

port=""
for _ in $(seq 200); do
    port=$(sed -n 's|^zenkor-site: listening on http://127\.0\.0\.1:\([0-9]*\)/.*|\1|p' "$log")
    [ -n "$port" ] && break
    if ! kill -0 "$site" 2>/dev/null; then
        cat "$log" >&2
        exit 1
    fi
    sleep 0.05
done
[ -n "$port" ] || { echo "zenkor-site did not start (see $log)" >&2; exit 1; }

answers() {
    exec 3<>"/dev/tcp/127.0.0.1/$port" || return 1
    printf 'GET /Zenkor2024.ini HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n' >&3
    local status
    read -r -t 2 status <&3 || status=""
    exec 3<&- 3>&-
    [[ $status == "HTTP/1."?" 200"* ]]
}
for _ in $(seq 100); do
    answers 2>/dev/null && break
    sleep 0.05
done

echo "Site: http://127.0.0.1:$port/ (data in $data, log in $log)"
ZENKOR_SITE_HOST=127.0.0.1:$port "$build/Zenkor"
