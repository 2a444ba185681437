#!/usr/bin/env bash
# Takes docs/screenshot.png: the program in a real window on a virtual
# display (Xvfb) with the CJK fonts installed by install-deps.sh, showing
# its home page.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
if ! command -v import >/dev/null; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends imagemagick >/dev/null
fi
bash scripts/build.sh
mkdir -p docs
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
xvfb-run -a -s "-screen 0 800x640x24" bash -c "
  cd '$work'
  '$PWD/build/src/app/veltrane' &
  app=\$!
  sleep 3
  import -window root -crop 779x600+0+0 '$PWD/docs/screenshot.png'
  kill \$app
"
echo "docs/screenshot.png"
