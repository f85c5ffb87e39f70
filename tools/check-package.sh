#!/usr/bin/env bash
# Checks a built kz7 package as a distribution would: lintian, the AppStream
# metainfo, both desktop entries, the udev rule's syntax, and the programs
# run from the unpacked package (they must find their skins and default
# config.bin relative to where they are installed).
#
# usage: tools/check-package.sh PACKAGE.deb
set -euo pipefail

deb=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
failures=0
check() { local what=$1; shift; if "$@"; then echo "PASS: $what"; else echo "FAIL: $what"; failures=$((failures + 1)); fi; }

check "lintian: no error and no warning" lintian --fail-on error,warning --info "$deb"
dpkg-deb -x "$deb" "$root"
check "metainfo: appstreamcli validate --pedantic" \
  appstreamcli validate --pedantic --no-net "$root"/usr/share/metainfo/org.kz7.configurator.metainfo.xml
check "desktop entry" desktop-file-validate "$root"/usr/share/applications/kz7.desktop
check "autostart entry" desktop-file-validate "$root"/etc/xdg/autostart/kz7.desktop
rule=$(find "$root"/lib/udev/rules.d "$root"/usr/lib/udev/rules.d -name '*kz7*.rules' 2>/dev/null | head -n1 || true)
check "udev rule installed" test -n "$rule"
# Every line of the rule is a comment or comma-separated KEY op "value" pairs of keys udev knows.
pair='(KERNEL|SUBSYSTEM|SUBSYSTEMS|ATTRS\{[A-Za-z]+\}|TAG|MODE|GROUP)(==|\+=|=)"[^"]*"'
bad=$(grep -Ev '^[[:space:]]*(#|$)' "$rule" | grep -Ev "^$pair(, $pair)*\$" || true)
check "udev rule: every line parses" test -z "$bad"
check "udev rule: the mouse gets uaccess" grep -q 'ATTRS{idVendor}=="04d9", ATTRS{idProduct}=="a09f", TAG+="uaccess"' "$rule"
check "man pages" test -f "$root"/usr/share/man/man1/kz7.1.gz -a -f "$root"/usr/share/man/man1/kz7ctl.1.gz
check "shell completion" test -f "$root"/usr/share/bash-completion/completions/kz7ctl \
  -a -f "$root"/usr/share/zsh/vendor-completions/_kz7ctl
check "unpacked kz7ctl --version" bash -c "'$root/usr/bin/kz7ctl' --version | grep -q '^kz7ctl [0-9]'"
data=$(mktemp -d)
export XDG_CONFIG_HOME="$data"
check "unpacked kz7ctl --simulate status" "$root"/usr/bin/kz7ctl --simulate status
check "unpacked kz7ctl seeds a new data folder from the package's config.bin" \
  bash -c "'$root/usr/bin/kz7ctl' show >/dev/null && cmp -s '$data/kz7/config.bin' '$root/usr/share/kz7/config.bin'"
check "unpacked kz7 finds its skins" test -f "$root"/usr/share/kz7/Skins/main.png -a -d "$root"/usr/share/kz7/Skins/Crimson
check "unpacked kz7 --version" bash -c "QT_QPA_PLATFORM=offscreen '$root/usr/bin/kz7' --version | grep -q '^kz7 [0-9]'"
rm -rf "$data"

if [ "$failures" -ne 0 ]; then
  echo "$failures package check(s) failed"
  exit 1
fi
echo "package checks passed"
