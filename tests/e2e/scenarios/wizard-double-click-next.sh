# A double-click on Next moves one page: the second click arrives while the
# new page is younger than the double-click time and is ignored. So the
# install-folder page is not left with the folder unchecked, and the review
# page stays until Next is pressed there (a double-click on the page before
# it never starts the installation unseen). Clicks further apart move on as
# usual.
make_installer() { english_installer; }
driver_commands() {
  cat <<CMDS
start $SETUP
wait-window "E2E Product Setup"
double-click 29
expect-visible 150 1
sleep 1000
expect-visible 150 1
expect-no-window "Warning" 200
set-text 156 "C:\\E2E Product\\"
double-click 29
expect-visible 175 1
sleep 1000
expect-visible 175 1
double-click 29
expect-visible 250 1
sleep 1500
expect-visible 250 1
expect-visible 275 0
double-click 28
expect-visible 175 1
sleep 1000
expect-visible 175 1
click 29
expect-visible 250 1
click 29
wait-window "E2E Product Setup" 30000
expect-visible 300 1
click 31
wait-exit 20000
CMDS
}
