# The German demo and the demo with a product name of 60 characters walked
# page by page on a screen of 96 pixels per inch: the windows and their
# controls at their places scaled by 96 / 96, no text clipped by its
# control on any page (language dialog, wizard, replace question), and a
# screenshot of every page in out/e2e/wizard-dpi-96/.
DPI=96
source "$E2E/dpi_lib.sh"
make_installer() { make_dpi_installers; }
prepare_machine() { set_screen_dpi; }
driver_commands() { dpi_scenario_commands; }
check_result() { convert_shots; }
