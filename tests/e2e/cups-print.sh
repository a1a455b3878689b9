#!/usr/bin/env bash
# Prints a newspaper print from the command line through a real CUPS queue whose
# device is a file, and checks one page arrived with the name on it. It runs its
# own cupsd, with its own configuration and socket in a temporary folder; it
# needs root (cupsd) and skips with exit code 77 where it cannot run.
set -u
cli="$1"
appdir="$2"

skip() { echo "SKIPPED: $*"; exit 77; }
[ "$(id -u)" -eq 0 ] || skip "cupsd needs root"
for tool in /usr/sbin/cupsd lpadmin pdftotext pdfinfo; do
    command -v "$tool" >/dev/null 2>&1 || skip "$tool is not installed"
done
ppd=/usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd
[ -f "$ppd" ] || skip "the generic PDF printer description is not installed"

work=$(mktemp -d)
chmod 755 "$work"
cleanup() {
    [ -n "${cupsd_pid:-}" ] && kill "$cupsd_pid" 2>/dev/null && wait "$cupsd_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$work"/{etc/ppd,cache,state,spool/tmp,log,out}
chmod 777 "$work/out" "$work/spool/tmp"
cat > "$work/etc/cups-files.conf" <<CONF
FileDevice Yes
ServerRoot $work/etc
CacheDir $work/cache
StateDir $work/state
RequestRoot $work/spool
TempDir $work/spool/tmp
AccessLog $work/log/access_log
ErrorLog $work/log/error_log
PageLog $work/log/page_log
User lp
Group lp
CONF
cat > "$work/etc/cupsd.conf" <<CONF
Listen $work/cups.sock
WebInterface No
LogLevel warn
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
export CUPS_SERVER="$work/cups.sock"
/usr/sbin/cupsd -f -c "$work/etc/cupsd.conf" -s "$work/etc/cups-files.conf" >/dev/null 2>&1 &
cupsd_pid=$!
for _ in $(seq 1 100); do [ -S "$work/cups.sock" ] && break; sleep 0.05; done
[ -S "$work/cups.sock" ] || skip "cupsd did not start: $(cat "$work/log/error_log" 2>/dev/null | tail -n 3)"

lpadmin -p natalory-test -v "file://$work/out/job.prn" -E -P "$ppd" || { echo "FAILED: lpadmin"; exit 1; }
lpadmin -d natalory-test

"$cli" --app-dir "$appdir" --first Anna --last Lee --date 1950-01-15 --print --printer natalory-test || {
    echo "FAILED: natalory-print --print"; exit 1; }

for _ in $(seq 1 200); do
    [ -s "$work/out/job.prn" ] && ! lpstat -o 2>/dev/null | grep -q natalory-test && break
    sleep 0.1
done
[ -s "$work/out/job.prn" ] || { echo "FAILED: no job arrived"; tail -n 20 "$work/log/error_log"; exit 1; }
pages=$(pdfinfo "$work/out/job.prn" 2>/dev/null | awk '/^Pages:/ {print $2}')
[ "$pages" = "1" ] || { echo "FAILED: the job has '$pages' pages, not 1"; exit 1; }
pdftotext "$work/out/job.prn" - | grep -q "Anna Lee Born Today!" || { echo "FAILED: the name is not on the page"; exit 1; }
echo "1 passed, 0 failed"
