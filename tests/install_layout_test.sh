#!/usr/bin/env bash
# An installation lays the program out as it looks for its pictures: the link in bin/
# leads to the executable, and the folder "Resources" stands beside the executable's folder.
set -euo pipefail
build="$1"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null

link="$prefix/bin/parvolin"
[ -L "$link" ] || fail "$link is not a link"
case "$(readlink "$link")" in /*) fail "the link is absolute, so the installation cannot move" ;; esac
executable="$(readlink -f "$link")"
[ "$executable" = "$(readlink -f "$prefix/lib/parvolin/bin/parvolin")" ] || fail "the link leads to $executable"
[ -x "$executable" ] || fail "$executable is not executable"

resources="$(dirname "$(dirname "$executable")")/Resources"
for picture in paypal.gif logo317.png mulb.png info0.png info1.png info3.png info4.png; do
  [ -s "$resources/$picture" ] || fail "$resources/$picture is missing"
done
echo "installed layout is sound"
