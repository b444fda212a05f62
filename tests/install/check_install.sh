#!/usr/bin/env bash
# Installs the build tree into a temporary prefix and checks what a desktop and a
# shell get: both programs, the menu entry, the icons, the file types and the menu
# entry registered with the prefix's databases by the install itself, the
# compressed manual pages (rendered without warnings, documenting every option the
# programs' help shows), the documentation files and the bash completion (offering
# what the command-line tool's own parser takes).
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
    share/man/man1/dotforge.1.gz share/man/man1/dotforge-cli.1.gz share/doc/dotforge/copyright \
    share/doc/dotforge/60-dotforge-usb-printer.rules share/bash-completion/completions/dotforge-cli; do
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

# File types: a valid package that the install compiled into the prefix's MIME
# database, DAT by its magic, DSB and DDB by extension, and each one listed by the
# menu entry, which the install registered for them.
xmllint --noout "$share/mime/packages/dotforge.xml"
grep -q 'DOTFORGE' "$share/mime/magic" || fail "no magic for the native font file"
grep -q 'application/x-dotforge-single-byte-font:\*\.dsb' "$share/mime/globs2" || fail "no *.dsb glob"
grep -q 'application/x-dotforge-double-byte-font:\*\.ddb' "$share/mime/globs2" || fail "no *.ddb glob"
for type in $(sed -n 's/.*mime-type type="\([^"]*\)".*/\1/p' "$share/mime/packages/dotforge.xml"); do
  grep -q "^MimeType=.*$type;" "$share/applications/dotforge.desktop" || fail "the menu entry lacks $type"
  grep -q "^$type=dotforge.desktop;" "$share/applications/mimeinfo.cache" || fail "$type is not registered"
done

# Manual pages render without a warning.
for page in dotforge dotforge-cli; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$share/man/man1/$page.1.gz" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "man $page: $warnings"
done

# The CLI page documents every command and option of every help text.
cli=$prefix/bin/dotforge-cli
page=$(LC_ALL=C MANWIDTH=200 man -l "$share/man/man1/dotforge-cli.1.gz" 2>/dev/null)
helps=$("$cli" --help)
for command in dump convert faces printer printer-sim escpos escpos-sim preview; do helps+=$'\n'$("$cli" $command --help); done
for option in $(grep -o -- '--[a-z][a-z0-9-]*' <<<"$helps" | sort -u); do
  grep -q -- "$option" <<<"$page" || fail "dotforge-cli.1 does not document $option"
done
for command in $(sed -n 's/^  \([a-z][a-z-]*\) .*/\1/p' <<<"$helps" | sort -u); do
  grep -qw -- "$command" <<<"$page" || fail "dotforge-cli.1 does not document the command $command"
done
desktop_page=$(LC_ALL=C MANWIDTH=200 man -l "$share/man/man1/dotforge.1.gz" 2>/dev/null)
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

# After each command the completion offers, each once, options the command's own
# parser knows, and every option its help names that the parser knows. (The
# parser takes the same options after each printer or escpos command.)
known() {
  local answer
  answer=$("$cli" "$@" x --help 2>&1 >/dev/null) || true
  [[ $answer != *"unknown option"* ]]
}
for command in dump convert faces printer printer-sim escpos escpos-sim preview; do
  case $command in
    printer) subcommands="download print-char fonts memory erase ports" ;;
    escpos) subcommands="send stream print" ;;
    *) subcommands="-" ;;
  esac
  all_offered=""
  for subcommand in $subcommands; do
    words=($command)
    [ "$subcommand" = - ] || words+=("$subcommand")
    offered=$(complete_words dotforge-cli "${words[@]}" -)
    [ -z "$(tr ' ' '\n' <<<"$offered" | sort | uniq -d)" ] || fail "${words[*]}: an option offered twice: $offered"
    long=0 short=0
    [[ " $offered " == *" --output "* ]] && long=1
    [[ " $offered " == *" -o "* ]] && short=1
    [ $long = $short ] || fail "${words[*]}: -o and --output are not offered together"
    all_offered+=" $offered "
  done
  for option in $(tr ' ' '\n' <<<"$all_offered" | grep -- '^--' | grep -vx -- --help | sort -u); do
    known $command "$option" || fail "$command: the completion offers $option, which the command does not know"
  done
  for option in $("$cli" $command --help | grep -o -- '--[a-z][a-z0-9-]*' | sort -u); do
    [[ $all_offered == *" $option "* ]] || ! known $command "$option" ||
      fail "$command: the completion does not offer $option"
  done
done
# Formats: --from offers the formats the tool reads, --to those it writes.
names=$("$cli" convert "$work/none.DAT" "$work/out.unknown" 2>&1) || true
names=$(sed -n 's/.*use --to (\(.*\)).*/\1/p' <<<"$names" | tr -d ,)
[ -n "$names" ] || fail "convert names no formats"
written=""
for name in $names; do
  answer=$("$cli" convert "$work/none.DAT" "$work/out" --to "$name" 2>&1) || true
  [[ $answer == *"can be read but not written"* ]] || written+="$name "
done
read=$("$cli" convert "$work/none.DAT" "$work/out.DAT" --from none 2>&1) || true
read=$(sed -n 's/.*(known: \(.*\)).*/\1/p' <<<"$read" | tr -d ,)
[ -n "$read" ] || fail "convert names no formats it reads"
[ "$(complete_words dotforge-cli convert --from "")" = "$read" ] || fail "--from completion: not $read"
[ "$(complete_words dotforge-cli convert --to "")" = "${written% }" ] || fail "--to completion: not $written"
echo "install tree OK"
