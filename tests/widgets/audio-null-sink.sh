#!/bin/sh
# Plays through a real audio server: a private PulseAudio with a null sink,
# whose monitor is recorded while the player sounds a melody. Exits 77
# (skipped) with the reason when PulseAudio cannot run here.
#   audio-null-sink.sh WIDGETS_TESTS
set -u
tests=$1
skip() { echo "SKIPPED: $*"; exit 77; }

command -v pulseaudio >/dev/null 2>&1 || skip "pulseaudio is not installed"
command -v parec >/dev/null 2>&1 || skip "parec is not installed (package pulseaudio-utils)"
command -v sox >/dev/null 2>&1 || skip "sox is not installed"

dir=$(mktemp -d /tmp/korvelin-audio.XXXXXX)
cleanup() {
    [ -n "${recorder:-}" ] && kill "$recorder" 2>/dev/null
    [ -n "${server:-}" ] && kill "$server" 2>/dev/null
    rm -rf "$dir"
}
trap cleanup EXIT
export HOME="$dir" XDG_RUNTIME_DIR="$dir"
pulseaudio -n --daemonize=no --exit-idle-time=-1 --disable-shm=yes --use-pid-file=no \
    -L "module-null-sink sink_name=korvelin_null" \
    -L "module-native-protocol-unix socket=$dir/native auth-anonymous=1" > "$dir/pulse.log" 2>&1 &
server=$!
export PULSE_SERVER="unix:$dir/native"
tries=0
until pactl info >/dev/null 2>&1; do
    tries=$((tries + 1))
    [ $tries -gt 50 ] && skip "pulseaudio could not start here: $(grep '^E:' "$dir/pulse.log" | tail -2)"
    sleep 0.1
done
pactl set-default-sink korvelin_null
parec -d korvelin_null.monitor --format=s16le --rate=44100 --channels=1 > "$dir/heard.raw" &
recorder=$!
QT_QPA_PLATFORM=offscreen "$tests" --gtest_filter=AudioPlayer.SoundsThroughTheDefaultOutput || exit 1
sleep 0.3
kill "$recorder"
recorder=
loudest=$(sox -t raw -r 44100 -e signed -b 16 -c 1 "$dir/heard.raw" -n stat 2>&1 | awk '/Maximum amplitude/ {print $3}')
echo "loudest sample heard on the null sink: $loudest"
awk -v a="$loudest" 'BEGIN { exit !(a > 0.2) }' || { echo "FAILED: the sink heard silence"; exit 1; }
