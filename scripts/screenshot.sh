#!/usr/bin/env bash
# Makes docs/main-window.png, the README's picture of the program: the demo
# gallery opened in Gallorim on a virtual display, with settings of its own.
#   scripts/screenshot.sh [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
GALLORIM_SCREENSHOT=1 bash scripts/install-deps.sh
[ -f "$build/demo/galerie.glr" ] || CI=1 bash scripts/demo.sh "$build" >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A window placement filling the virtual screen: there is no window manager
# there to maximise it.
mkdir -p "$work/config/Vorlex Software"
cat > "$work/config/Vorlex Software/Gallorim.conf" <<CONF
[WindowState]
MainFrame\ScreenX=1280
MainFrame\left=0
MainFrame\top=0
MainFrame\right=1280
MainFrame\bottom=800
MainFrame\ShowState=9
Preview\ScreenX=1280
Preview\Visible=1
Preview\left=760
Preview\top=330
Preview\right=1250
Preview\bottom=720
Preview\AutoBgColor=1
CONF
cat > "$work/shoot.sh" <<SHOT
#!/usr/bin/env bash
"$build/shell/gallorim" "$build/demo/galerie.glr" &
pid=\$!
# Time for the rows and the thumbnail column to fill, then the fourth
# photo is shown in the preview.
sleep 6
xdotool mousemove 60 133 click 1 key Return
sleep 2
import -window root docs/main-window.png
kill \$pid
SHOT
XDG_CONFIG_HOME="$work/config" xvfb-run -a -s "-screen 0 1280x800x24" bash "$work/shoot.sh"
echo "docs/main-window.png"
