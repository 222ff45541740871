#!/bin/sh
# A private CUPS spooler for tests and benchmarks, everything below one folder:
#   cups-peer.sh start DIR [OWNER_PID]
#                            starts cupsd on DIR/cups.sock, prints its PID; with OWNER_PID
#                            cupsd is also ended once that process is gone (a test that crashed)
#   cups-peer.sh stop DIR    ends the cupsd recorded in DIR/cupsd.pid (by that PID only)
# Queues are made by the caller with lpadmin; their "usb" device URIs are served by a
# capturing backend: each job's bytes land in DIR/capture/<queue>-<job>.bin, which
# appears only once complete.
set -eu
cmd=${1:?start|stop}
DIR=${2:?folder}
OWNER=${3:-}

start() {
  mkdir -p "$DIR"/etc/ppd "$DIR"/spool/tmp "$DIR"/cache "$DIR"/state/certs "$DIR"/log \
           "$DIR"/bin/backend "$DIR"/bin/filter "$DIR"/bin/daemon "$DIR"/bin/notifier \
           "$DIR"/bin/cgi-bin "$DIR"/capture "$DIR"/ssl
  ln -sf /usr/lib/cups/daemon/cups-exec "$DIR/bin/daemon/cups-exec"
  cat >"$DIR/bin/backend/usb" <<EOF
#!/bin/sh
# argv: job-id user title copies options [file]
[ \$# -eq 0 ] && exit 0
umask 022
out="$DIR/capture/\${PRINTER}-\$1.bin"
if [ -n "\${6:-}" ]; then cat "\$6" >"\$out.part"; else cat >"\$out.part"; fi || exit 1
printf '%s\n' "\$3" >"\$out.title"
mv "\$out.part" "\$out"
EOF
  chmod 0755 "$DIR" "$DIR/bin" "$DIR"/bin/* "$DIR/bin/backend/usb"
  # Queues on other kinds of port need a backend of their scheme to be accepted.
  for scheme in parallel serial socket USB; do ln -sf usb "$DIR/bin/backend/$scheme"; done
  # Backends run as lp: they must reach the capture folder through a test's private
  # temporary folder (mode 0700) too.
  chmod 0777 "$DIR/capture"
  chmod o+x "$(dirname "$DIR")"
  cat >"$DIR/cups-files.conf" <<EOF
ServerRoot $DIR/etc
RequestRoot $DIR/spool
TempDir $DIR/spool/tmp
CacheDir $DIR/cache
StateDir $DIR/state
ServerBin $DIR/bin
DataDir /usr/share/cups
DocumentRoot /usr/share/cups/doc-root
ServerKeychain $DIR/ssl
AccessLog $DIR/log/access_log
ErrorLog $DIR/log/error_log
PageLog $DIR/log/page_log
Printcap $DIR/etc/printcap
FileDevice No
User lp
Group lp
SystemGroup root
PeerCred off
Sandboxing relaxed
EOF
  cat >"$DIR/etc/cupsd.conf" <<EOF
LogLevel warn
Listen $DIR/cups.sock
Browsing No
BrowseLocalProtocols none
DefaultAuthType None
WebInterface No
JobRetryInterval 1
MaxJobs 0
PreserveJobHistory No
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
    Allow all
  </Limit>
</Policy>
EOF
  setsid cupsd -f -c "$DIR/etc/cupsd.conf" -s "$DIR/cups-files.conf" </dev/null >"$DIR/log/stdout" 2>&1 &
  echo $! >"$DIR/cupsd.pid"
  if [ -n "${OWNER:-}" ]; then
    cupsd=$!
    setsid sh -c "while kill -0 $OWNER 2>/dev/null && kill -0 $cupsd 2>/dev/null; do sleep 1; done
                  kill -0 $OWNER 2>/dev/null || kill $cupsd 2>/dev/null" \
      </dev/null >/dev/null 2>&1 &
  fi
  i=0
  while [ ! -S "$DIR/cups.sock" ]; do
    i=$((i + 1))
    if [ $i -gt 200 ] || ! kill -0 "$(cat "$DIR/cupsd.pid")" 2>/dev/null; then
      echo "cupsd did not start" >&2; cat "$DIR/log/stdout" "$DIR/log/error_log" >&2 2>/dev/null || true; exit 1
    fi
    sleep 0.05
  done
  cat "$DIR/cupsd.pid"
}

stop() {
  [ -f "$DIR/cupsd.pid" ] || exit 0
  pid=$(cat "$DIR/cupsd.pid")
  kill "$pid" 2>/dev/null || true
  i=0
  while kill -0 "$pid" 2>/dev/null && [ $i -lt 100 ]; do sleep 0.05; i=$((i + 1)); done
  kill -9 "$pid" 2>/dev/null || true
  rm -f "$DIR/cupsd.pid"
}

"$cmd"
