#!/usr/bin/env bash
# The Debian package of a build folder, made into a temporary folder and
# looked into: its files, its dependencies, the desktop entry, every manual
# page rendered, the completion read by bash, the packaged program started.
set -euo pipefail
build="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "$*" >&2; exit 1; }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log" >&2; fail "cpack non riuscito"; }
deb="$(ls "$work"/*.deb)"
files="$(dpkg-deb -c "$deb" | awk '{print $6}')"
for wanted in ./usr/bin/corvutil \
              ./usr/share/applications/corvutil.desktop \
              ./usr/share/icons/hicolor/scalable/apps/corvutil.svg \
              ./usr/share/bash-completion/completions/corvutil \
              ./usr/share/doc/corvutil/README.md \
              ./usr/share/doc/corvutil/copyright \
              ./usr/share/man/man1/corvutil.1.gz; do
  grep -qxF "$wanted" <<<"$files" || fail "manca nel pacchetto: $wanted"
done
# Nothing of the tests or the benchmarks goes in.
! grep -E '_tests|_bench|gtest' <<<"$files" || fail "file di prova nel pacchetto"

depends="$(dpkg-deb -f "$deb" Depends)"
grep -q 'libqt6core6' <<<"$depends" || fail "dipendenze non calcolate da dpkg-shlibdeps: $depends"
grep -q 'libqt6sql6-sqlite' <<<"$depends" || fail "manca il driver SQLite nelle dipendenze: $depends"

dpkg-deb -x "$deb" "$work/root"
desktop-file-validate "$work/root/usr/share/applications/corvutil.desktop"
bash -n "$work/root/usr/share/bash-completion/completions/corvutil"

# Every command the help lists has its manual page, and every page renders
# without a warning.
program="$work/root/usr/bin/corvutil"
"$program" --version >/dev/null
for command in $("$program" --help | sed -n 's/^  corvutil \([a-z-]*\).*/\1/p'); do
  [ -f "$work/root/usr/share/man/man1/corvutil-$command.1.gz" ] || fail "manca la pagina di manuale di $command"
done
for page in "$work"/root/usr/share/man/man1/*.1.gz; do
  warnings="$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)"
  [ -z "$warnings" ] || fail "$(basename "$page"): $warnings"
  LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$page" 2>/dev/null | grep -q '^NOME' || fail "$(basename "$page") non si legge"
done
echo "pacchetto: $(basename "$deb"), $(wc -l <<<"$files") voci"
