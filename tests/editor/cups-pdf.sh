#!/bin/sh
# Prints the editor's listing to a real CUPS queue: a private cupsd (its
# own socket and folders under a temporary directory) with the cups-pdf
# virtual printer. Checks the document the queue received (its text) and
# the PDF cups-pdf wrote from it (a page with ink on it: cups-pdf's
# ghostscript leaves glyphs without text). Exits 77 (skipped) with the
# reason when cupsd or cups-pdf cannot run here.
#   cups-pdf.sh EDITOR_TESTS
set -u
tests=$1
skip() { echo "SKIPPED: $*"; exit 77; }

command -v cupsd >/dev/null 2>&1 || skip "cupsd is not installed (package cups)"
command -v lpadmin >/dev/null 2>&1 || skip "lpadmin is not installed (package cups-client)"
command -v pdftotext >/dev/null 2>&1 || skip "pdftotext is not installed (package poppler-utils)"
[ -x /usr/lib/cups/backend/cups-pdf ] || skip "the cups-pdf backend is not installed (package printer-driver-cups-pdf)"
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
[ -r "$ppd" ] || skip "the cups-pdf PPD is missing"
[ "$(id -u)" = 0 ] || skip "a private cupsd with the cups-pdf backend needs root"
id lp >/dev/null 2>&1 || skip "there is no lp user for cupsd to run filters as"

dir=$(mktemp -d /tmp/korvelin-cups.XXXXXX)
chmod 755 "$dir"
cleanup() {
    if [ -n "${cupsd_pid:-}" ]; then kill "$cupsd_pid" 2>/dev/null; wait "$cupsd_pid" 2>/dev/null; fi
    rm -rf "$dir"
}
trap cleanup EXIT
mkdir -p "$dir/spool" "$dir/cache" "$dir/state" "$dir/tmp" "$dir/log"
chown lp:lp "$dir/spool" "$dir/cache" "$dir/state" "$dir/tmp"
cat > "$dir/cupsd.conf" <<CONF
Listen $dir/cups.sock
LogLevel warn
WebInterface No
Browsing No
PreserveJobFiles Yes
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
cat > "$dir/cups-files.conf" <<CONF
ServerRoot $dir
RequestRoot $dir/spool
CacheDir $dir/cache
StateDir $dir/state
TempDir $dir/tmp
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
User lp
Group lp
CONF
cupsd -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" > "$dir/log/cupsd.out" 2>&1 &
cupsd_pid=$!
CUPS_SERVER=$dir/cups.sock
export CUPS_SERVER
tries=0
until lpstat -r 2>/dev/null | grep -q 'is running'; do
    tries=$((tries + 1))
    [ $tries -gt 50 ] && skip "cupsd could not start here: $(cat "$dir/log/cupsd.out" "$dir/log/error_log" 2>/dev/null | tail -3)"
    sleep 0.1
done
lpadmin -p KorvelinPDF -v cups-pdf:/ -E -P "$ppd" >/dev/null 2>&1 || skip "lpadmin could not add the cups-pdf queue"

# cups-pdf writes into the PDF folder of the job's user.
home=$(getent passwd "$(id -un)" | cut -d: -f6)
title="korvelin-cups-$$"
[ -d "$home/PDF" ] && had_pdf_folder=1 || had_pdf_folder=
KORVELIN_CUPS_PRINTER=KorvelinPDF KORVELIN_CUPS_TITLE=$title QT_QPA_PLATFORM=offscreen \
    "$tests" --gtest_filter=EditorPrinting.ListingReachesACupsQueue || exit 1

# Two documents: the program's (ended by its form feed) and the listing.
tries=0
while [ "$(ls "$home"/PDF/"$title"*.pdf 2>/dev/null | wc -l)" -lt 2 ]; do
    tries=$((tries + 1))
    if [ $tries -gt 300 ]; then
        echo "FAILED: the queue did not write two PDFs"; lpstat -W all -o; tail -5 "$dir/log/error_log"; exit 1
    fi
    sleep 0.1
done
sleep 0.5
text=$(for job in "$dir"/spool/d*-001; do pdftotext "$job" - 2>&1; done | tr -d "\f")
pages=0
ink=0
for pdf in "$home"/PDF/"$title"*.pdf; do
    pages=$((pages + $(pdfinfo "$pdf" 2>/dev/null | awk '/^Pages:/ {print $2}')))
    ink=$((ink + $(pdftoppm -r 30 -gray "$pdf" 2>/dev/null | od -An -tu1 -v | tr -s ' ' '\n' |
        awk '$1 != "" && $1 < 128 {n++} END {print n + 0}')))
done
if [ -z "${KEEP_PDF:-}" ]; then
    rm -f "$home"/PDF/"$title"*.pdf
    [ -n "$had_pdf_folder" ] || rmdir "$home/PDF" 2>/dev/null
fi
echo "$text"
echo "$text" | grep -q '^10 PRINT "CUPS"' || { echo "FAILED: the listing is not in the job"; exit 1; }
echo "$text" | grep -q '^20 LPRINT "漢字";CHR\$(12)' || { echo "FAILED: the second line is not in the job"; exit 1; }
echo "$text" | grep -q '^漢字$' || { echo "FAILED: the program's LPRINT is not in its job"; exit 1; }
[ "$pages" = 2 ] || { echo "FAILED: cups-pdf wrote $pages pages, not 2"; exit 1; }
[ "$ink" -gt 20 ] || { echo "FAILED: the PDFs cups-pdf wrote are blank"; exit 1; }
echo "the listing reached the CUPS queue: $pages pages, $ink dark pixels at 30 dpi"
