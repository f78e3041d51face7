#!/bin/sh
# Usage: check_man_pages.sh MAKREL PAGE_FOLDER
# Fails when makrel.1 leaves out a command, option or format that makrel's
# usage lists (so a new one fails here until it is documented), or when a
# page formats with warnings, checked the way lintian checks them.
set -u
makrel=$1
folder=$2
failed=0
fail() {
    printf 'FAIL: %s\n' "$*" >&2
    failed=1
}

if ! command -v man >/dev/null || ! command -v groff >/dev/null; then
    echo "FAIL: man or groff is missing: install the Debian packages man-db and groff-base" >&2
    exit 1
fi

# The page's words without roff: macro names, font changes, \- and quotes.
text=$(sed -e 's/^\.[A-Za-z]*//' -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' -e 's/\\[%&]//g' -e 's/"//g' \
    "$folder/makrel.1" | tr -s ' \t\n' '   ')
documents() {
    printf '%s\n' "$text" | grep -Eq -- "(^|[^A-Za-z0-9-])$1([^A-Za-z0-9-]|\$)"
}

usage=$("$makrel" --help) || fail "makrel --help failed"
commands=$(printf '%s\n' "$usage" | grep -o 'makrel [a-z][a-z]*' | cut -d' ' -f2 | sort -u)
options=$(printf '%s\n' "$usage" | grep -o -- '--[a-z][a-z-]*' | sort -u)
formats=$(printf '%s\n' "$usage" | sed -n 's/.*--format \([a-z|]*\).*/\1/p' | tr '|' ' ')
if [ -z "$commands" ] || [ -z "$options" ] || [ -z "$formats" ]; then
    fail "no commands, options or formats found in makrel's usage"
fi
for command in $commands; do
    documents "makrel $command" || fail "makrel.1 does not document the command $command"
done
for option in $options; do
    documents "$option" || fail "makrel.1 does not document the option $option"
done
for format in $formats; do
    documents "$format" || fail "makrel.1 does not document the format $format"
done

pages=0
for page in "$folder"/*.1; do
    [ -f "$page" ] || continue
    pages=$((pages + 1))
    warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 MAN_DISABLE_SECCOMP=1 \
        man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null) || fail "man failed on $page"
    [ -z "$warnings" ] || fail "$page formats with warnings:
$warnings"
done
[ "$pages" -gt 0 ] || fail "no manual pages in $folder"

exit "$failed"
