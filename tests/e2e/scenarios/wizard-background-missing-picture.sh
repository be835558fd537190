# The full-screen style asks for the background picture but the installer
# carries none: the background message, then the installer ends and
# removes its temporary module; no wizard window appears.
source "$E2E/components_lib.sh"
make_installer() {
  rm -rf "$WORK/project" && cp -r "$ROOT/examples/demo" "$WORK/project"
  rm "$WORK/project/Background.bmp"
  sed -i -e '/^\[LookAndFeel\]/,/^\[InstallerSettings\]/ s/^InstallerType = 0/InstallerType = 1/' \
    -e 's/^BKUseGradient = 1/BKUseGradient = 0/' -e 's/^BKUsePicture = 0/BKUsePicture = 1/' \
    "$WORK/project/Script.qvs"
  build_installer "$WORK/project" "$WORK/setup.exe"
}
driver_commands() {
  cat <<CMDS
start $SETUP
wait-window "Language selection"
press-enter
expect-msgbox "Error" "The background image is corrupted!" error ok
answer ok
wait-exit 20000
glob-count $TEMP_MODULES 0
expect-not-seen "Demo Product 1.0 Setup"
CMDS
}
