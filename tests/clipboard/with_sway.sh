#!/bin/sh
# Runs a command beside a private, headless Wayland compositor (sway, two
# outputs side by side, nothing drawn to a screen), as the clipboard suites
# need a real one. The compositor refuses to run as root, so under root it
# runs as nobody, in a runtime folder of its own; the command reaches it by
# the socket's absolute path in WAYLAND_DISPLAY, and its control socket in
# SWAYSOCK.
#
#   with_sway.sh COMMAND [ARGUMENT...]
set -eu

folder=$(mktemp -d "${TMPDIR:-/tmp}/lirabo-sway.XXXXXX")
chmod 755 "$folder"
mkdir "$folder/run"
as_user=""
if [ "$(id -u)" -eq 0 ]; then
  chown nobody "$folder/run"
  as_user="setpriv --reuid=nobody --regid=nogroup --clear-groups --"
fi
chmod 700 "$folder/run"
cat > "$folder/config" <<'CONFIG'
output HEADLESS-1 resolution 1024x768 position 0 0
output HEADLESS-2 resolution 1024x768 position 1024 0
workspace 1 output HEADLESS-1
workspace 2 output HEADLESS-2
focus_on_window_activation focus
CONFIG
chmod 644 "$folder/config"

env -i PATH=/usr/local/bin:/usr/bin:/bin HOME="$folder" XDG_RUNTIME_DIR="$folder/run" \
  WLR_BACKENDS=headless WLR_HEADLESS_OUTPUTS=2 WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
  $as_user sway -c "$folder/config" > "$folder/sway.log" 2>&1 &
sway=$!

cleanup() {
  kill "$sway" 2>/dev/null || true
  wait "$sway" 2>/dev/null || true
  rm -rf "$folder"
}
trap cleanup EXIT INT TERM

i=0
while [ ! -S "$folder/run/wayland-1" ] || ! ls "$folder"/run/sway-ipc.*.sock > /dev/null 2>&1; do
  i=$((i + 1))
  if [ "$i" -gt 100 ] || ! kill -0 "$sway" 2>/dev/null; then
    echo "with_sway.sh: the compositor did not start:" >&2
    cat "$folder/sway.log" >&2
    exit 1
  fi
  sleep 0.1
done

export WAYLAND_DISPLAY="$folder/run/wayland-1"
SWAYSOCK=$(ls "$folder"/run/sway-ipc.*.sock)
export SWAYSOCK
status=0
"$@" || status=$?
exit "$status"
