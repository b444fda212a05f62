#!/usr/bin/env bash
# Installs the build tree into a temporary prefix and checks what a desktop and a
# shell get: both programs, the menu entry, the icons, the file types, the manual
# pages (rendered without warnings, documenting every command and option the
# programs' help shows) and the bash completion.
#   check_install.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/opt/dotforge
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
share=$prefix/share
for file in bin/dotforge bin/dotforge-cli share/applications/dotforge.desktop \
    share/icons/hicolor/scalable/apps/dotforge.svg share/mime/packages/dotforge.xml \
    share/man/man1/dotforge.1 share/man/man1/dotforge-cli.1 share/bash-completion/completions/dotforge-cli; do
  [ -f "$prefix/$file" ] || fail "$file is not installed"
done
[ -x "$prefix/bin/dotforge" ] && [ -x "$prefix/bin/dotforge-cli" ] || fail "programs are not executable"

# Versions, answered without a display.
[ "$(env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/dotforge" --version)" = "Dotforge $DOTFORGE_VERSION" ] ||
  fail "dotforge --version"
[ "$("$prefix/bin/dotforge-cli" --version)" = "dotforge-cli (Dotforge) $DOTFORGE_VERSION" ] ||
  fail "dotforge-cli --version"

# Icons: each PNG has the size its folder names (width and height from the IHDR chunk).
for size in 16 22 24 32 48 64 128 256; do
  png=$share/icons/hicolor/${size}x${size}/apps/dotforge.png
  [ -f "$png" ] || fail "no ${size}x${size} icon"
  read -r w1 w2 w3 w4 h1 h2 h3 h4 < <(od -An -tu1 -j16 -N8 "$png")
  [ $(((w1 << 24) + (w2 << 16) + (w3 << 8) + w4)) -eq "$size" ] &&
    [ $(((h1 << 24) + (h2 << 16) + (h3 << 8) + h4)) -eq "$size" ] || fail "$png is not ${size}x${size}"
done
xmllint --noout "$share/icons/hicolor/scalable/apps/dotforge.svg"

# The menu entry passes the files it is given and names the installed icon.
desktop-file-validate "$share/applications/dotforge.desktop"
grep -qx 'Exec=dotforge %F' "$share/applications/dotforge.desktop" || fail "the menu entry does not pass files"
grep -qx 'Icon=dotforge' "$share/applications/dotforge.desktop" || fail "the menu entry names another icon"

# File types: a valid package that the MIME database compiles, DAT by its magic,
# DSB and DDB by extension, and each one listed by the menu entry.
xmllint --noout "$share/mime/packages/dotforge.xml"
update-mime-database "$share/mime"
grep -q 'DOTFORGE' "$share/mime/magic" || fail "no magic for the native font file"
grep -q 'application/x-dotforge-single-byte-font:\*\.dsb' "$share/mime/globs2" || fail "no *.dsb glob"
grep -q 'application/x-dotforge-double-byte-font:\*\.ddb' "$share/mime/globs2" || fail "no *.ddb glob"
for type in $(sed -n 's/.*mime-type type="\([^"]*\)".*/\1/p' "$share/mime/packages/dotforge.xml"); do
  grep -q "^MimeType=.*$type;" "$share/applications/dotforge.desktop" || fail "the menu entry lacks $type"
done

# Manual pages render without a warning.
for page in dotforge dotforge-cli; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$share/man/man1/$page.1" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "man $page: $warnings"
done

# The CLI page documents every command and option of every help text.
cli=$prefix/bin/dotforge-cli
page=$(LC_ALL=C MANWIDTH=200 man -l "$share/man/man1/dotforge-cli.1" 2>/dev/null)
helps=$("$cli" --help)
for command in dump convert faces printer printer-sim escpos escpos-sim preview; do helps+=$'\n'$("$cli" $command --help); done
completion=$(cat "$share/bash-completion/completions/dotforge-cli")
for option in $(grep -o -- '--[a-z][a-z0-9-]*' <<<"$helps" | sort -u); do
  grep -q -- "$option" <<<"$page" || fail "dotforge-cli.1 does not document $option"
  grep -q -- "$option\b" <<<"$completion" || fail "the bash completion does not offer $option"
done
# The completion offers every option of every help text.
completion=$share/bash-completion/completions/dotforge-cli
for option in $(grep -o -- '--[a-z][a-z0-9-]*' <<<"$helps" | sort -u); do
  grep -q -- "$option\b" "$completion" || fail "the completion does not offer $option"
done
for command in $(sed -n 's/^  \([a-z][a-z-]*\) .*/\1/p' <<<"$helps" | sort -u); do
  grep -qw -- "$command" <<<"$page" || fail "dotforge-cli.1 does not document the command $command"
done
desktop_page=$(LC_ALL=C MANWIDTH=200 man -l "$share/man/man1/dotforge.1" 2>/dev/null)
for option in $("$prefix/bin/dotforge" --help | grep -o -- '--[a-z][a-z0-9-]*' | sort -u); do
  grep -q -- "$option" <<<"$desktop_page" || fail "dotforge.1 does not document $option"
done

# Bash completion loads and completes commands, printer commands and option values.
complete_words() {
  bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); _dotforge_cli
           echo "${COMPREPLY[*]}"' _ "$share/bash-completion/completions/dotforge-cli" "$@"
}
bash -c 'source "$1"; complete -p dotforge-cli' _ "$share/bash-completion/completions/dotforge-cli" >/dev/null ||
  fail "completion is not registered"
[ "$(complete_words dotforge-cli "")" = "dump convert faces printer printer-sim escpos escpos-sim preview" ] ||
  fail "command completion"
[ "$(complete_words dotforge-cli print)" = "printer printer-sim" ] || fail "prefix completion"
[ "$(complete_words dotforge-cli printer --port /dev/ttyS0 er)" = "erase" ] || fail "printer command completion"
[ "$(complete_words dotforge-cli convert --to d)" = "dat dsb ddb" ] || fail "format completion"
[ "$(complete_words dotforge-cli escpos s)" = "send stream" ] || fail "escpos command completion"
[ "$(complete_words dotforge-cli escpos send F.DAT --host h --fo)" = "--font-type --font" ] ||
  fail "escpos option completion"
[ "$(complete_words dotforge-cli escpos send F.DAT --font "")" = "a b" ] || fail "escpos font completion"
[ "$(complete_words dotforge-cli escpos-sim --l)" = "--listen --link" ] || fail "escpos-sim option completion"
[ "$(complete_words dotforge-cli preview F.DAT --text A --z)" = "--zoom" ] || fail "preview option completion"
[ "$(complete_words dotforge-cli preview F.DAT --zoom "")" = "1 2 3 4 5 6 7 8" ] || fail "preview zoom completion"
[ "$(complete_words dotforge-cli --)" = "--help --version" ] || fail "option completion"
echo "install tree OK"
