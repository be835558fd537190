# The demo product, built as the x64 flavour, walked from the welcome page
# to the finish page with every default: the page sequence of a script with
# licence, information, components, start-menu group and shortcuts on an
# administrator's Windows 10 (which acts as Windows 7: the desktop shortcut
# is offered, the quick-launch one is not), the default folder under
# Program Files, every page's controls at their places, Tab moving the
# focus through the shown page's controls and the buttons, and a screenshot
# of every page in out/e2e/wizard-demo/ (page 9 passes too quickly to be
# taken while nothing is installed; the README shows pages 0, 3 and 8).
# The product lands in the default folder with its group and desktop link.
make_installer() {
  build_installer "$ROOT/examples/demo" "$WORK/setup.exe"
  mkdir -p "$ROOT/${QVS_OUT:-out}/e2e/wizard-demo"
}
snap_page() {
  local file="$ROOT/${QVS_OUT:-out}/e2e/wizard-demo/page-$1.bmp"
  echo "snap Z:${file//\//\\}"
}
driver_commands() {
  cat <<CMDS
start $SETUP
wait-window "Language selection"
click 204
wait-window "Demo Product 1.0 Setup"
expect-client-size 490 355
expect-visible 50 1
expect-text 52 "Welcome to the installation of Demo Product version 1.0"
expect-rect 52 160 25 322 90
expect-rect 53 160 150 325 60
expect-rect 54 160 250 325 55
expect-text 54 "Copyright (c) 2026 Demo Company. All rights reserved."
expect-visible 28 0
expect-visible 27 1
expect-text 27 "http://www.example.com/demo-product"
expect-rect 29 305 323 85 22
expect-rect 30 395 323 85 22
expect-rect 32 0 310 * *
expect-visible 25 0
expect-focus 29
press-key tab
expect-focus 30
press-key tab
expect-focus 29
sleep 300
$(snap_page 0)
click 29
expect-visible 75 1
expect-rect 79 20 125 450 145
expect-rect 80 20 280 450 15
expect-text 80 "I agree to all the terms and conditions"
expect-enabled 29 0
expect-visible 28 1
expect-visible 25 1
expect-text 25 "Demo Company Setup"
expect-rect 25 10 303 * 14
expect-visible 27 0
set-check 80 1
expect-enabled 29 1
sleep 300
$(snap_page 1)
click 29
expect-visible 100 1
expect-rect 104 20 125 450 170
sleep 300
$(snap_page 2)
click 29
expect-visible 125 1
sleep 300
$(snap_page 3)
click 29
expect-visible 150 1
expect-text 156 "C:\\Program Files\\Demo Product\\"
sleep 300
$(snap_page 4)
click 29
expect-visible 175 1
expect-checked 180 1
expect-rect 180 40 155 430 15
expect-rect 181 40 185 430 15
sleep 300
$(snap_page 5)
click 29
expect-visible 200 1
expect-text 205 "Demo Company\\Demo Product"
expect-rect 205 20 125 450 20
expect-rect 206 20 150 450 122
expect-rect 207 20 277 450 15
expect-focus 29
press-key tab
expect-focus 30
press-key tab
expect-focus 205
press-key tab
expect-focus 206
press-key tab
expect-focus 207
press-key tab
expect-focus 28
sleep 300
$(snap_page 6)
click 29
expect-visible 225 1
sleep 300
$(snap_page 7)
expect-visible 230 1
expect-text 230 "Create Desktop shortcut"
expect-checked 230 1
expect-visible 231 0
click 29
expect-visible 250 1
expect-text-contains 254 "Start menu group:"
sleep 300
$(snap_page 8)
click 29
expect-visible 300 1
expect-visible 31 1
expect-visible 30 0
expect-visible 29 0
expect-visible 28 0
expect-checked 304 1
expect-rect 304 165 110 315 15
sleep 300
$(snap_page 10)
click 31
wait-exit 20000
glob-count $TEMP_MODULES 0
CMDS
}
check_result() {
  local root="$PREFIX/drive_c/Program Files/Demo Product"
  local group="$PREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Demo Company/Demo Product"
  cmp "$ROOT/examples/demo/Files/20/DemoApp.exe" "$root/DemoApp.exe"
  [ -f "$group/Demo Product.lnk" ] && [ -f "$PREFIX/drive_c/users/Public/Desktop/Demo Product.lnk" ]
  local quick=("$PREFIX"/drive_c/users/*/AppData/Roaming/Microsoft/"Internet Explorer/Quick Launch/Demo Product.lnk")
  [ ! -e "${quick[0]}" ]
  echo "check: the default folder under Program Files, the group and the desktop link"
}
