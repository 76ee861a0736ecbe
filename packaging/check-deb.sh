#!/usr/bin/env bash
# Builds the Debian package (make deb) and checks it from the outside: the
# files a user gets, the run-time dependencies that dpkg-shlibdeps found, and
# tesu-batch, unpacked, meshing the example plate in a scratch folder.
#   packaging/check-deb.sh        (from any folder; JOBS=N as for make)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
make deb

shopt -s nullglob
packages=(build-deb/tesu_*.deb)
[[ ${#packages[@]} -eq 1 ]] || { echo "FAIL: expected one build-deb/tesu_*.deb, found ${#packages[@]}" >&2; exit 1; }
deb=$root/${packages[0]}
echo "package: $deb"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

dpkg-deb -x "$deb" "$scratch/root"
for path in usr/bin/tesu usr/bin/tesu-batch \
            usr/share/applications/tesu.desktop \
            usr/share/icons/hicolor/32x32/apps/tesu.png \
            usr/share/icons/hicolor/64x64/apps/tesu.png \
            usr/share/icons/hicolor/128x128/apps/tesu.png \
            usr/share/man/man1/tesu.1.gz usr/share/man/man1/tesu-batch.1.gz \
            usr/share/doc/tesu/copyright \
            usr/lib/python3/dist-packages/tesu/__init__.py usr/lib/python3/dist-packages/tesu/__init__.pyi; do
  [[ -f $scratch/root/$path ]] || fail "$path is not in the package"
done
[[ ! -e $scratch/root/usr/include ]] || fail "usr/include belongs to the development component"
[[ -z $(find "$scratch/root/usr/lib" -name '*.a') ]] || fail "the static libraries belong to the development component"
grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
  "$scratch/root/usr/share/doc/tesu/copyright" || fail "the copyright file is not machine-readable"

[[ $(dpkg-deb -f "$deb" Package) == tesu ]] || fail "the package is not named tesu"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
echo "Recommends: $(dpkg-deb -f "$deb" Recommends)"
grep -q 'libqt6' <<<"$depends" || fail "Depends names no libqt6 package"
grep -q 'libc6' <<<"$depends" || fail "Depends does not name libc6"
[[ -n $(dpkg-deb -f "$deb" Maintainer) ]] || fail "no Maintainer field"

# The unpacked tesu-batch on a copy of the example, run from its folder.
mkdir "$scratch/run"
cp examples/plate.DAT "$scratch/run/"
status=0
(cd "$scratch/run" && "$scratch/root/usr/bin/tesu-batch" plate.DAT >stdout.txt 2>stderr.txt) || status=$?
[[ $status -eq 0 ]] || fail "tesu-batch plate.DAT ended with status $status: $(cat "$scratch/run/stderr.txt")"
[[ -s $scratch/run/plate.TES ]] || fail "tesu-batch wrote no plate.TES"

# The unpacked module, imported by Debian's python3 from another folder.
elements=$(cd / && PYTHONPATH=$scratch/root/usr/lib/python3/dist-packages /usr/bin/python3 -c \
  "import tesu; print(len(tesu.mesh(tesu.read_data_file('$scratch/run/plate.DAT')).triangles))") ||
  fail "the unpacked module does not mesh the plate"
echo "the unpacked module meshed the plate into $elements elements"

if ((failures > 0)); then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "package checks passed"
