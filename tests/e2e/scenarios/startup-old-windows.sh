# Windows NT 3.51 is refused before the payload is touched.
WINDOWS_VERSION=nt351
make_installer() { english_installer; }
driver_commands() {
  cat <<CMDS
start $SETUP
expect-msgbox "Compatibility problem" "We are sorry, this installer was designed for newer operating systems. Please upgrade your operating system!" information ok
answer ok
wait-exit
glob-count $TEMP_MODULES 0
CMDS
}
