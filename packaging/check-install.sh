#!/usr/bin/env bash
# Installs the component `programs` of a build into a scratch prefix and
# checks what a user gets: the programs, the manual pages (rendered without a
# warning, tesu-batch's naming every option of its --help, the version of the
# project in their footer), and with the window the desktop entry (valid) and
# the icons. Nothing of the component `development` may be in it.
#   check-install.sh BUILD_DIR SCRATCH_DIR VERSION gui|nogui
set -euo pipefail
build=$1 prefix=$2 version=$3 gui=$4
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
# "WIDTH HEIGHT" of a PNG file, from its signature and header chunk.
png_size() {
  local bytes
  bytes=($(od -An -tu1 -N24 "$1"))
  [[ ${#bytes[@]} -eq 24 && ${bytes[1]} -eq 80 && ${bytes[2]} -eq 78 && ${bytes[3]} -eq 71 ]] || return 0
  echo "$(((bytes[16] << 24) | (bytes[17] << 16) | (bytes[18] << 8) | bytes[19])) $(((bytes[20] << 24) | (bytes[21] << 16) | (bytes[22] << 8) | bytes[23]))"
}

rm -rf "$prefix"
cmake --install "$build" --prefix "$prefix" --component programs >/dev/null

expected=(bin/tesu-batch share/man/man1/tesu-batch.1.gz)
if [[ $gui == gui ]]; then
  expected+=(bin/tesu share/man/man1/tesu.1.gz share/applications/tesu.desktop)
  for size in 32 64 128; do
    icon=share/icons/hicolor/${size}x${size}/apps/tesu.png
    expected+=("$icon")
    if [[ -f $prefix/$icon && $(png_size "$prefix/$icon") != "$size $size" ]]; then
      fail "$icon is not a $size x $size PNG"
    fi
  done
fi
for path in "${expected[@]}"; do
  [[ -f $prefix/$path ]] || fail "$path is not installed"
done
for path in include lib lib64; do
  [[ ! -e $prefix/$path ]] || fail "$path/ belongs to the development component"
done

if [[ $gui == gui && -f $prefix/share/applications/tesu.desktop ]]; then
  if ! report=$(desktop-file-validate "$prefix/share/applications/tesu.desktop" 2>&1) || [[ -n $report ]]; then
    fail "desktop-file-validate: $report"
  fi
  grep -qx 'Exec=tesu %f' "$prefix/share/applications/tesu.desktop" || fail "the desktop entry does not run tesu"
fi

for page in "$prefix"/share/man/man1/*.1.gz; do
  name=$(basename "$page" .1.gz)
  # Wide enough that no line breaks inside an option's name.
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=200 man --warnings -l "$page" 2>&1 >/dev/null)
  [[ -z $warnings ]] || fail "$name.1: $warnings"
  LC_ALL=C.UTF-8 MANWIDTH=200 man -l "$page" 2>/dev/null | tail -n 1 | grep -q "TESU $version " ||
    fail "$name.1 does not name version $version in its footer"
done

page=$prefix/share/man/man1/tesu-batch.1.gz
if [[ -f $page ]]; then
  rendered=$(LC_ALL=C.UTF-8 MANWIDTH=200 man -l "$page" 2>/dev/null)
  # The options of the usage text: the first word of each indented line of
  # the "Options:" block that starts with a dash.
  options=$("$prefix/bin/tesu-batch" --help | sed -n '/^Options:/,/^$/p' | grep -oE '^  -[-a-z]*')
  [[ -n $options ]] || fail "no option found in tesu-batch --help"
  for option in $options; do
    # An option heading of the man page: indented, the option, then a space,
    # a comma or the end of the line.
    grep -qE "^ +(-[-a-z]*, )?$option( |,|$)" <<<"$rendered" ||
      fail "tesu-batch.1 does not describe $option"
  done
  for status in 0 1 2 130; do
    sed -n '/^EXIT STATUS/,/^[A-Z]/p' <<<"$rendered" | grep -qE "^ +$status\b" ||
      fail "tesu-batch.1 does not give exit status $status"
  done
fi

# --version of each installed program, the desktop one without a display.
programs=(tesu-batch)
[[ $gui == gui ]] && programs+=(tesu)
for program in "${programs[@]}"; do
  shown=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/$program" --version 2>&1) ||
    fail "$program --version failed"
  [[ $shown == "$program $version" ]] || fail "$program --version printed '$shown'"
done
if [[ $gui == gui ]]; then
  status=0
  said=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/tesu" 2>&1) || status=$?
  ((status == 2)) || fail "tesu without a display ended with status $status"
  [[ $(wc -l <<<"$said") -eq 1 && $said == *tesu-batch* ]] || fail "tesu without a display said '$said'"
fi

if ((failures > 0)); then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "installed programs: all checks passed"
