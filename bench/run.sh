#!/bin/sh
# Transfer engine benchmarks: figures and ratios side by side, no asserts.
#   sh bench/run.sh <bench build dir>
# Everything started here (sinks, cupsd, namespaces, the delay helper) is ended on exit.
set -eu
BUILD=$(cd "${1:?bench build dir}" && pwd)
HERE=$(cd "$(dirname "$0")" && pwd)
SEND="$BUILD/bin/vornBenchSend"
DELAY="$BUILD/bin/nfqDelay"
WORK=$(mktemp -d /tmp/vorn-bench.XXXXXX)
NS="vornb$$"
A="${NS}a"
B="${NS}b"
IPA=10.203.9.1
IPB=10.203.9.2
PIDS=""
RUNS=${BENCH_RUNS:-3}

cleanup() {
  for p in $PIDS; do kill "$p" 2>/dev/null || true; done
  for p in $PIDS; do wait "$p" 2>/dev/null || true; done
  sh "$HERE/../tests/support/cups-peer.sh" stop "$WORK/cups" 2>/dev/null || true
  ip netns del "$A" 2>/dev/null || true
  ip netns del "$B" 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

now() { date +%s.%N; }
free_port() { /usr/bin/python3 -c 'import socket;s=socket.socket();s.bind(("127.0.0.1",0));print(s.getsockname()[1])'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN{ if (b > 0) printf "%.3f", a / b; else print "n/a" }'; }
mbit() { awk -v n="$1" -v s="$2" 'BEGIN{ printf "%.1f", n * 8 / s / 1e6 }'; }
median() { tr ' ' '\n' | grep . | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
field() { sed -n "s/.*$1=\([^ ]*\).*/\1/p"; }

head -c $((64 << 20)) /dev/urandom >"$WORK/64M.bin"
head -c $((16 << 20)) /dev/urandom >"$WORK/16M.bin"
head -c $((1 << 20)) /dev/urandom >"$WORK/1M.bin"
head -c $((256 << 20)) /dev/urandom >"$WORK/256M.bin"
SIZE64=$((64 << 20))

# One sink per measurement: counts the bytes; the sender's time ends when it has closed.
# $1: namespace prefix command (may be empty), $2: address, $3: port
start_sink() {
  $1 socat -u TCP-LISTEN:"$3",bind="$2",reuseaddr OPEN:/dev/null &
  SINK=$!
  PIDS="$PIDS $SINK"
  i=0
  while ! $1 sh -c "ss -ltn | grep -q ':$3 '" && [ $i -lt 100 ]; do sleep 0.02; i=$((i + 1)); done
}

# Time of one transfer by us and by socat, each from its start until the sink has
# received everything and ended (process start-up included for both).
# $1: sender's namespace prefix, $2: address, $3: file ($SINKNS: the sink's prefix)
ours() {
  port=$(free_port)
  start_sink "$SINKNS" "$2" "$port"
  t0=$(now)
  $1 "$SEND" ip "$2" "$port" "$3" >/dev/null
  wait "$SINK" 2>/dev/null || true
  t1=$(now)
  awk -v a="$t0" -v b="$t1" 'BEGIN{ printf "%.4f", b - a }'
}
theirs() {
  port=$(free_port)
  start_sink "$SINKNS" "$2" "$port"
  t0=$(now)
  $1 socat -u OPEN:"$3" TCP:"$2":"$port"
  wait "$SINK" 2>/dev/null || true
  t1=$(now)
  awk -v a="$t0" -v b="$t1" 'BEGIN{ printf "%.4f", b - a }'
}

compare_tcp() { # $1 label, $2 netns prefix, $3 address, $4 file, $5 bytes, $6 line rate bit/s (0: none)
  o=""; t=""
  for _ in $(seq "$RUNS"); do
    o="$o $(ours "$2" "$3" "$4")"
    t="$t $(theirs "$2" "$3" "$4")"
  done
  om=$(echo "$o" | median); tm=$(echo "$t" | median)
  printf '%-28s ours %7.3f s (%7s Mbit/s)   socat %7.3f s (%7s Mbit/s)   ours/socat throughput %s' \
    "$1" "$om" "$(mbit "$5" "$om")" "$tm" "$(mbit "$5" "$tm")" "$(ratio "$tm" "$om")"
  if [ "$6" != 0 ]; then
    limit=$(awk -v n="$5" -v r="$6" 'BEGIN{ printf "%.4f", n * 8 / r }')
    printf '   physical limit %.3f s: ours %s, socat %s of it' "$limit" "$(ratio "$limit" "$om")" "$(ratio "$limit" "$tm")"
  fi
  printf '\n%-28s without our start-up: ours %.3f s, ours/socat throughput %s\n' "" "$(net "$om")" \
    "$(ratio "$tm" "$(net "$om")")"
}

# Our driver is a Qt program linked with the whole application library; its start-up
# and teardown are part of every "ours" time below, as socat's and lp's are of theirs.
: >"$WORK/empty.bin"
st=""
for _ in $(seq "$RUNS"); do
  port=$(free_port)
  start_sink "" 127.0.0.1 "$port"
  t0=$(now)
  "$SEND" ip 127.0.0.1 "$port" "$WORK/empty.bin" >/dev/null
  wait "$SINK" 2>/dev/null || true
  st="$st $(awk -v a="$t0" -v b="$(now)" 'BEGIN{ printf "%.4f", b - a }')"
done
START=$(echo "$st" | median)
printf '%-28s %.3f s (median of %s)\n' "our start-up + teardown" "$START" "$RUNS"
net() { awk -v a="$1" -v b="$START" 'BEGIN{ printf "%.4f", a - b }'; }

echo "== TCP on loopback, 64 MiB, median of $RUNS"
SINKNS=""
compare_tcp "loopback" "" 127.0.0.1 "$WORK/64M.bin" "$SIZE64" 0

echo "== TCP over a shaped veth link (tbf), 64 MiB, median of $RUNS"
if ip netns add "$A" 2>/dev/null && ip netns add "$B"; then
  ip link add "${NS}x" netns "$A" type veth peer name "${NS}y" netns "$B"
  ip -n "$A" addr add $IPA/24 dev "${NS}x"
  ip -n "$B" addr add $IPB/24 dev "${NS}y"
  for n in "$A" "$B"; do ip -n "$n" link set lo up; done
  ip -n "$A" link set "${NS}x" up
  ip -n "$B" link set "${NS}y" up
  ip netns exec "$A" ethtool -K "${NS}x" tso off gso off >/dev/null 2>&1 || true
  delayed="no delay"
  if [ -x "$DELAY" ] && ip netns exec "$B" iptables -t raw -A PREROUTING -s $IPA -j NFQUEUE --queue-num 0 --queue-bypass 2>/dev/null; then
    ip netns exec "$B" "$DELAY" 1000 &
    PIDS="$PIDS $!"
    delayed="1 ms delay"
  fi
  sleep 0.3
  # One TCP connect is one round trip: shows whether the delay is in place.
  ip netns exec "$B" socat -u TCP-LISTEN:9101,bind=$IPB,reuseaddr,fork,backlog=64 OPEN:/dev/null &
  PIDS="$PIDS $!"
  sleep 0.2
  ip netns exec "$A" /usr/bin/python3 -c "
import socket, time
r = []
for i in range(11):
    s = socket.socket(); t = time.perf_counter(); s.connect(('$IPB', 9101)); r.append((time.perf_counter() - t) * 1000); s.close()
r.sort(); print('round trip (TCP connect), median of 11: %.3f ms' % r[5])"
  SINKNS="ip netns exec $B"
  for rate in 100mbit 1gbit; do
    bits=$(echo "$rate" | sed 's/mbit/000000/; s/gbit/000000000/')
    tc -n "$A" qdisc replace dev "${NS}x" root tbf rate "$rate" burst 256kb latency 50ms
    compare_tcp "tbf $rate, $delayed" "ip netns exec $A" "$IPB" "$WORK/64M.bin" "$SIZE64" "$bits"
  done
else
  echo "network namespaces not available here (needs root): skipped"
fi

echo "== Raw spooler job, 16 MiB, until the backend holds every byte, median of $RUNS"
if sh "$HERE/../tests/support/cups-peer.sh" start "$WORK/cups" $$ >/dev/null; then
  export CUPS_SERVER="$WORK/cups/cups.sock"
  sed 's/@MODEL@/Vorn K3 300dpi/g' "$HERE/../tests/support/tiny.ppd.in" >"$WORK/k3.ppd"
  lpadmin -p BenchK3 -E -v 'usb://Vorn/K3?serial=3' -P "$WORK/k3.ppd" 2>/dev/null
  cap="$WORK/cups/capture"
  job_until_captured() { # command...
    before=$(ls "$cap" | grep -c '\.bin$' || true)
    t0=$(now)
    "$@" >/dev/null
    while [ "$(ls "$cap" | grep -c '\.bin$' || true)" -le "$before" ]; do sleep 0.005; done
    t1=$(now)
    awk -v a="$t0" -v b="$t1" 'BEGIN{ printf "%.4f", b - a }'
  }
  o=""; l=""
  for _ in $(seq "$RUNS"); do
    o="$o $(job_until_captured "$SEND" usb BenchK3 "$WORK/16M.bin")"
    l="$l $(job_until_captured lp -d BenchK3 -o raw "$WORK/16M.bin")"
  done
  om=$(echo "$o" | median); lm=$(echo "$l" | median)
  bad=0
  for f in "$cap"/*.bin; do cmp -s "$f" "$WORK/16M.bin" || bad=$((bad + 1)); done
  printf '%-28s ours %7.3f s   lp -o raw %7.3f s   ours/lp time %s   (captures differing from the file: %d)\n' \
    "raw job" "$om" "$lm" "$(ratio "$om" "$lm")" "$bad"
  printf '%-28s without our start-up: ours %.3f s, ours/lp time %s\n' "" "$(net "$om")" "$(ratio "$(net "$om")" "$lm")"
else
  echo "private cupsd did not start: skipped"
fi

echo "== Peak resident memory of one TCP transfer (loopback)"
for f in 1M 256M; do
  port=$(free_port)
  start_sink "" 127.0.0.1 "$port"
  out=$("$SEND" ip 127.0.0.1 "$port" "$WORK/$f.bin")
  wait "$SINK" 2>/dev/null || true
  eval "rss_$f=$(echo "$out" | field maxrss_kib)"
  printf '%-28s %s\n' "$f file" "$out"
done
printf '%-28s %s KiB\n' "growth 1 MiB -> 256 MiB" "$((rss_256M - rss_1M))"
