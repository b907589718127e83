#!/usr/bin/env bash
# Two Syncthing instances on this machine, "PC A" and "PC B", each mirroring a folder of its
# own to the other over the loopback only; the scenarios of scenarios_sync_clients.cpp run
# one Quillpad window in each folder. CTest calls start before them and stop after them.
#
#   sync_clients.sh start BUILD   both up and connected; BUILD/e2e-sync/clients.txt says
#                                 where (folders, REST addresses, API key, device ids)
#   sync_clients.sh stop BUILD    both stopped by their process ids, their state removed
set -euo pipefail

command=${1:?usage: sync_clients.sh start|stop BUILD}
build=$(cd "${2:?the native build folder is missing}" && pwd)
state=$build/e2e-sync

say() { printf 'sync clients: %s\n' "$*" >&2; }

# A Unix path as the Windows programs see it (drive Z: is the root in a new prefix).
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

# A TCP port on 127.0.0.1 that nothing uses now, nor was handed out before in this run.
taken=" "
free_port() {
    local port hex
    while :; do
        port=$((20000 + RANDOM % 40000))
        hex=$(printf ':%04X ' "$port")
        case $taken in *" $port "*) continue ;; esac
        grep -q "$hex" /proc/net/tcp /proc/net/tcp6 2>/dev/null && continue
        taken+="$port "
        echo "$port"
        return
    done
}

# The REST API of one instance: rest NAME METHOD PATH
rest() {
    local gui
    gui=$(cat "$state/$1.gui")
    curl -sf -m 5 -X "$2" -H "X-API-Key: $key" "http://127.0.0.1:$gui$3"
}

# The generated config, turned to the loopback only: listen and GUI addresses on 127.0.0.1,
# no discovery, relays, NAT traversal, usage or crash reports, browser or upgrades; quick
# reconnection after a pause; the other device by address and the folder shared with it,
# retried 1 s (not 60 s) after a pull that failed because the pad changed under it.
configure() {
    local name=$1 self=$2 other=$3 otherListen=$4 config=$state/$1/config.xml setting
    local settings=(
        "listenAddress>default<=listenAddress>tcp://127.0.0.1:$(cat "$state/$name.listen")<"
        "address>127.0.0.1:8384<=address>127.0.0.1:$(cat "$state/$name.gui")<"
        "apikey>[^<]*<=apikey>$key<"
        "globalAnnounceEnabled>true<=globalAnnounceEnabled>false<"
        "localAnnounceEnabled>true<=localAnnounceEnabled>false<"
        "relaysEnabled>true<=relaysEnabled>false<"
        "natEnabled>true<=natEnabled>false<"
        "urAccepted>0<=urAccepted>-1<"
        "crashReportingEnabled>true<=crashReportingEnabled>false<"
        "startBrowser>true<=startBrowser>false<"
        "autoUpgradeIntervalH>12<=autoUpgradeIntervalH>0<"
        "reconnectionIntervalS>60<=reconnectionIntervalS>1<"
    )
    for setting in "${settings[@]}"; do
        grep -q "<${setting%%=*}" "$config" || { say "config.xml has no <${setting%%=*}"; return 1; }
        sed -i "s|<${setting%%=*}|<${setting#*=}|" "$config"
    done
    local shared="    <folder id=\"quillpad\" label=\"Quillpad\" path=\"$state/pc-$name\" type=\"sendreceive\" rescanIntervalS=\"10\" fsWatcherEnabled=\"true\" fsWatcherDelayS=\"1\" autoNormalize=\"true\">
        <device id=\"$self\"></device>
        <device id=\"$other\"></device>
        <minDiskFree unit=\"%\">1</minDiskFree>
        <maxConflicts>10</maxConflicts>
        <pullerPauseS>1</pullerPauseS>
    </folder>
    <device id=\"$other\" name=\"the other PC\"><address>tcp://127.0.0.1:$otherListen</address></device>"
    awk -v shared="$shared" '/^    <gui /{print shared} {print}' "$config" >"$config.new"
    mv "$config.new" "$config"
}

# Stops the instance whose process id is in NAME.pid, if it is still that program.
stop_one() {
    local file=$state/$1.pid pid
    [ -f "$file" ] || return 0
    pid=$(cat "$file")
    if [ -n "$pid" ] && [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = syncthing ]; then
        kill "$pid" 2>/dev/null || true
        # Gone, or a zombie that whoever adopted it has yet to reap.
        for _ in $(seq 50); do
            [ "$(cut -d' ' -f3 "/proc/$pid/stat" 2>/dev/null || echo Z)" = Z ] && break
            sleep 0.1
        done
        kill -9 "$pid" 2>/dev/null || true
    fi
    rm -f "$file"
}

stop() {
    stop_one a
    stop_one b
    rm -rf "$state"
}

# Waits until the instance NAME sees the device ID connected.
wait_connected() {
    local name=$1 id=$2
    for _ in $(seq 300); do
        rest "$name" GET /rest/system/connections 2>/dev/null | tr -d ' \n\t' |
            grep -q "\"$id\":{[^}]*\"connected\":true" && return 0
        sleep 0.1
    done
    say "pc-$name did not connect to the other (see $state/$name.log)"
    return 1
}

start() {
    for tool in syncthing curl; do
        command -v "$tool" >/dev/null || { say "$tool is missing (Debian package $tool)"; exit 1; }
    done
    stop
    mkdir -p "$state"
    trap '[ $? -eq 0 ] || stop' EXIT
    key=$(head -c 32 /dev/urandom | base64 | tr -dc 'A-Za-z0-9' | head -c 32)
    local name
    declare -A id
    for name in a b; do
        syncthing generate --home "$state/$name" --no-default-folder --skip-port-probing >"$state/$name.log" 2>&1
        id[$name]=$(syncthing serve --home "$state/$name" --device-id)
        free_port >"$state/$name.gui"
        free_port >"$state/$name.listen"
        # The folder marker, so that the folder is taken for mounted and in use.
        mkdir -p "$state/pc-$name/.stfolder"
    done
    configure a "${id[a]}" "${id[b]}" "$(cat "$state/b.listen")"
    configure b "${id[b]}" "${id[a]}" "$(cat "$state/a.listen")"
    for name in a b; do
        STNODEFAULTFOLDER=1 STNOUPGRADE=1 setsid syncthing serve --home "$state/$name" \
            --no-browser --no-restart --no-default-folder \
            >>"$state/$name.log" 2>&1 </dev/null &
        echo $! >"$state/$name.pid"
    done
    wait_connected a "${id[b]}"
    wait_connected b "${id[a]}"
    cat >"$state/clients.txt" <<EOF
folder.a=$(windows_path "$state/pc-a")
folder.b=$(windows_path "$state/pc-b")
rest.a=127.0.0.1:$(cat "$state/a.gui")
rest.b=127.0.0.1:$(cat "$state/b.gui")
id.a=${id[a]}
id.b=${id[b]}
key=$key
EOF
    trap - EXIT
    say "pc-a ${id[a]:0:7} and pc-b ${id[b]:0:7} connected"
}

case $command in
start) start ;;
stop) stop ;;
*) say "unknown command $command"; exit 2 ;;
esac
