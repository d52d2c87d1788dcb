#!/bin/sh
# Runs a command inside a private test LAN. Call it as
#   unshare -n tests/lan/testlan.sh <device-count> <command> [args...]
# (as root). The new namespace has no route out of the machine: only lo and
# one veth pair whose two ends both live here. The console side has
# 10.88.0.1/16 on veth0; the simulated devices get 10.88.1.1, 10.88.1.2, ...
# on veth1, and multicast is routed over veth0 to reach them.
set -e
count=$1
shift

if ip link show veth0 >/dev/null 2>&1; then
  echo "testlan: veth0 already exists; run me under 'unshare -n'" >&2
  exit 2
fi
# A namespace made by 'unshare -n' starts with nothing but a down lo.
if [ "$(ip -o link show | wc -l)" -gt 1 ]; then
  echo "testlan: this is not a fresh network namespace; run me under 'unshare -n'" >&2
  exit 2
fi

ip link set lo up
ip link add veth0 type veth peer name veth1
ip addr add 10.88.0.1/16 brd + dev veth0
batch=$(mktemp)
i=0
while [ "$i" -lt "$count" ]; do
  echo "addr add 10.88.$((1 + i / 250)).$((1 + i % 250))/16 brd + dev veth1" >>"$batch"
  i=$((i + 1))
done
ip -batch "$batch"
rm -f "$batch"
ip link set veth0 up
ip link set veth1 up
ip route add 224.0.0.0/4 dev veth0
# Both ends are local addresses: let packets from our own addresses in.
for c in all default veth0 veth1 lo; do
  sysctl -qw net.ipv4.conf.$c.rp_filter=0 net.ipv4.conf.$c.accept_local=1
done
sysctl -qw net.ipv4.ip_unprivileged_port_start=0 2>/dev/null || true
sysctl -qw net.core.rmem_max=4194304 2>/dev/null || true

export HOI_TESTLAN=1
export HOI_TESTLAN_CONSOLE=10.88.0.1
export HOI_TESTLAN_DEVICES="$count"
exec "$@"
