#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a user gets: the
# layout, a valid desktop entry, and a program that starts from it with an
# empty home, finds the installation's data, keeps its settings in the home
# and writes nothing into the installation.
#
# usage: installed_program_test.sh CMAKE BUILD_DIR DESKTOP_FILE_VALIDATE [MODULE]
# MODULE: the web engine module's path in the installation, when built.
set -euo pipefail
cmake="$1" build="$2" validate="$3" module="${4:-}"

work=$(mktemp -d)
pid=
cleanup() {
  if [ -n "$pid" ]; then kill -KILL "$pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "installed_program: $*" >&2
  [ -f "$work/lirabo.log" ] && sed 's/^/  lirabo: /' "$work/lirabo.log" >&2
  exit 1
}

prefix="$work/prefix"
"$cmake" --install "$build" --prefix "$prefix" >/dev/null

expected=(
  bin/lirabo bin/makrel bin/makrel-window
  share/applications/lirabo.desktop share/mime/packages/lirabo.xml
  share/icons/hicolor/scalable/apps/lirabo.svg
  share/icons/hicolor/scalable/mimetypes/application-x-lirabo-dictionary.svg
  share/man/man1/lirabo.1.gz share/man/man1/makrel.1.gz share/man/man1/makrel-window.1.gz
  share/lirabo/Lang/Deutsch.lng share/lirabo/Help/index.html
)
for size in 16 22 24 32 48 64 128 256; do
  expected+=("share/icons/hicolor/${size}x${size}/apps/lirabo.png"
             "share/icons/hicolor/${size}x${size}/mimetypes/application-x-lirabo-dictionary.png")
done
[ -n "$module" ] && expected+=("$module")
for file in "${expected[@]}"; do
  [ -s "$prefix/$file" ] || fail "the installation lacks $file"
done
"$validate" "$prefix/share/applications/lirabo.desktop" || fail "the desktop entry is not valid"
grep -q '^MimeType=application/x-lirabo-dictionary;$' "$prefix/share/applications/lirabo.desktop" &&
  grep -q 'type="application/x-lirabo-dictionary"' "$prefix/share/mime/packages/lirabo.xml" ||
  fail "the desktop entry and the MIME type disagree"
[ "$("$prefix/bin/lirabo" --version)" = "lirabo $(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")" ] ||
  fail "lirabo --version does not tell the version"

# What a package adds: a dictionary in the installation's data.
printf 'apple\ta red fruit\n' >"$work/words.tsv"
mkdir -p "$prefix/share/lirabo/Dictionaries"
"$prefix/bin/makrel" build --name Fruit "$work/words.tsv" "$prefix/share/lirabo/Dictionaries/fruit.ldi" >/dev/null

snapshot() { (cd "$prefix" && find . -printf '%p %s %T@ %m\n' | LC_ALL=C sort); }
snapshot >"$work/before"

home="$work/home"
mkdir -p "$home" "$work/tmp" "$work/runtime" "$work/no-system-data"
chmod 700 "$work/runtime"
socket="$work/runtime/TfrmMain-$(id -u)"
settings="$home/.config/Kestrune/LiraboDesk.conf"

# The program alone with its installation: no variable of this shell but the
# sanitizers' options reaches it. A plain command, so that a background
# start's process id is the program's own.
lirabo=(env -i PATH=/usr/bin:/bin HOME="$home" TMPDIR="$work/tmp" XDG_RUNTIME_DIR="$work/runtime"
        XDG_DATA_DIRS="$work/no-system-data" QT_QPA_PLATFORM=offscreen)
for name in ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS; do
  [ -n "${!name:-}" ] && lirabo+=("$name=${!name}")
done
lirabo+=("$prefix/bin/lirabo")

# Starts the window and waits until it listens: it is then on the screen
# and its message loop runs.
start() {
  "${lirabo[@]}" >"$work/lirabo.log" 2>&1 &
  pid=$!
  for _ in $(seq 600); do
    [ -S "$socket" ] && return
    kill -0 "$pid" 2>/dev/null || fail "lirabo ended at start"
    sleep 0.1
  done
  fail "lirabo did not show its window within a minute"
}

# Closes it as the session's end does, which writes the settings.
stop() {
  kill -TERM "$pid"
  local status=0
  wait "$pid" || status=$?
  pid=
  [ "$status" -eq 0 ] || fail "lirabo ended with status $status"
}

start
# A second start hands over to the running window and ends.
"${lirabo[@]}" >/dev/null 2>&1 || fail "a second start did not hand over to the running window"
stop
[ -f "$settings" ] || fail "no settings in the empty home ($settings)"

# A language of the installation is found and kept; one it cannot find
# would fall back to English and be forgotten.
sed -i 's/^LanguageFile=.*/LanguageFile=Deutsch.lng/' "$settings"
grep -q '^LanguageFile=Deutsch.lng$' "$settings" || fail "the settings have no LanguageFile"
start
stop
grep -q '^LanguageFile=Deutsch.lng$' "$settings" || fail "the installed language file was not found"

snapshot >"$work/after"
diff "$work/before" "$work/after" >&2 || fail "lirabo wrote into its installation"
echo "installed_program: the installed lirabo ran from $prefix"
