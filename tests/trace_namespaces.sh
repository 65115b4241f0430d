#!/usr/bin/env bash
# run COMMAND...: a path of three hops made of network namespaces of the test's own, with addresses only
# inside them: client 10.201.1.2 -> router 10.201.1.1 / 10.201.2.1 -> router 10.201.2.2 / 10.201.3.1 -> destination
# 10.201.3.2. It makes the path, runs the command inside the client namespace and takes the path away again.
set -u
ns=(dd-trace-client dd-trace-r1 dd-trace-r2 dd-trace-dest)

down() {
    local n
    for n in "${ns[@]}"; do
        ip netns del "$n" 2>/dev/null
    done
    return 0
}

up() {
    down
    local n i
    for n in "${ns[@]}"; do
        ip netns add "$n" || return 1
        ip -n "$n" link set lo up
    done
    # One link between each namespace and the next, 10.201.i.0/24.
    for i in 1 2 3; do
        ip link add dd-trace-a$i netns "${ns[$((i - 1))]}" type veth peer name dd-trace-b$i netns "${ns[$i]}" ||
            return 1
        ip -n "${ns[$((i - 1))]}" addr add 10.201.$i.$((i == 1 ? 2 : 1))/24 dev dd-trace-a$i
        ip -n "${ns[$i]}" addr add 10.201.$i.$((i == 1 ? 1 : 2))/24 dev dd-trace-b$i
        ip -n "${ns[$((i - 1))]}" link set dd-trace-a$i up
        ip -n "${ns[$i]}" link set dd-trace-b$i up
    done
    ip -n dd-trace-client route add default via 10.201.1.1
    ip -n dd-trace-r1 route add 10.201.3.0/24 via 10.201.2.2
    ip -n dd-trace-r2 route add 10.201.1.0/24 via 10.201.2.1
    ip -n dd-trace-dest route add default via 10.201.3.1
    for n in dd-trace-r1 dd-trace-r2; do
        ip netns exec "$n" sysctl -qw net.ipv4.ip_forward=1 || return 1
    done
}

case $1 in
run)
    shift
    if ! up; then
        down
        echo "network namespaces cannot be made here: the trace through them is not run" >&2
        exit 77
    fi
    ip netns exec dd-trace-client "$@"
    rc=$?
    down
    exit $rc
    ;;
esac
