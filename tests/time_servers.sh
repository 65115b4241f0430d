#!/usr/bin/env bash
# start DIR | stop DIR: the loopback time servers the tests talk to, from the packages scripts/setup.sh unpacks.
# chronyd runs with -x, so it never touches this machine's clock: NTP on 127.0.0.1:11123. xinetd's internal TIME
# and DAYTIME services answer on 127.0.0.1:11037 and 127.0.0.1:11013 over TCP and UDP. Stop ends exactly the
# processes start began, by the ids it wrote into DIR.
set -u
command=$1
dir=$2
servers=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/time-servers

stop() {
    local name pid
    for name in chronyd xinetd; do
        [ -f "$dir/$name.pid" ] || continue
        pid=$(cat "$dir/$name.pid")
        # Only our own server: an id left from a run before a restart may belong to anything now.
        if [ "$(readlink -f "/proc/$pid/exe" 2>/dev/null)" = "$(readlink -f "$servers/usr/sbin/$name")" ]; then
            kill "$pid" 2>/dev/null
            for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
        fi
        rm -f "$dir/$name.pid"
    done
}

listening() {
    ss -ln 2>/dev/null | grep -q "127.0.0.1:$1 "
}

case $command in
start)
    mkdir -p "$dir"
    stop
    cat >"$dir/chrony.conf" <<CONF
port 11123
bindaddress 127.0.0.1
allow 127.0.0.1
local stratum 10
cmdport 0
bindcmdaddress /
pidfile $dir/chronyd.own.pid
CONF
    {
        for service in time:11037 daytime:11013; do
            for kind in "stream tcp no" "dgram udp yes"; do
                set -- $kind
                cat <<CONF
service ${service%:*}
{
    type = INTERNAL UNLISTED
    id = ${service%:*}-$1
    socket_type = $1
    protocol = $2
    wait = $3
    user = $(id -un)
    bind = 127.0.0.1
    port = ${service#*:}
}
CONF
            done
        done
    } >"$dir/xinetd.conf"
    user=()
    [ "$(id -u)" = 0 ] && user=(-u root)
    "$servers/usr/sbin/chronyd" -x -d "${user[@]}" -f "$dir/chrony.conf" >"$dir/chronyd.log" 2>&1 &
    echo $! >"$dir/chronyd.pid"
    "$servers/usr/sbin/xinetd" -dontfork -f "$dir/xinetd.conf" -pidfile "$dir/xinetd.own.pid" >"$dir/xinetd.log" 2>&1 &
    echo $! >"$dir/xinetd.pid"
    for _ in $(seq 100); do
        listening 11123 && listening 11037 && listening 11013 && exit 0
        sleep 0.1
    done
    echo "the time servers did not start:" >&2
    cat "$dir/chronyd.log" "$dir/xinetd.log" >&2
    stop
    exit 1
    ;;
stop)
    stop
    ;;
esac
