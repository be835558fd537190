# A silent installation cut off, every process of the Wine session killed
# as a crash or a power cut would end them, at three points: during the
# extraction after it had replaced a user's read-only file, during the
# tasks after the files (a key made, a value written into keys made for
# it, a value, an INI value and an environment variable overwritten, a
# file copied over and one deleted),
# and between the uninstaller's two files. Each time the next start of the
# installer finds the journal before anything else, undoes the run and
# says so in one message (an interactive start: a message box; a silent
# one: its log): the machine (files with their contents, the registry, the
# environment) is exactly as before, although that start ends at once. A
# journal in a folder that others than administrators could change is
# refused and not acted on, as is a damaged one. A normal start then undoes
# a cut-off run and installs: the machine differs from before only by that
# installation. The product's uninstaller, finding a reinstallation cut
# off, undoes it before it uninstalls.
make_installer() {
  component_project "$WORK/project" 'C:\Product'
  local files=$WORK/project/Files/1
  printf "the product's app.txt\r\n" > "$files/app.txt"
  mkdir -p "$files/sub/deep"
  printf 'data\r\n' > "$files/sub/deep/data.txt"
  {
    printf '\n[InstallerTasks]\nItems = 50,51,57,52,53,54,55,56\n\n'
    task 50 1 1 BaseKey=1 'KeyPath=Software\E2E Recovery\Made'
    task 51 2 1 BaseKey=1 'KeyPath=Software\E2E Existing' ValueName=Setting \
      ValueData=product ValueType=0
    task 57 2 1 BaseKey=1 'KeyPath=Software\E2E Value Keys\Deep' ValueName=Made \
      ValueData=product ValueType=0
    task 52 10 1 'IniPath=C:\Data\settings.ini' Group=Main ValueName=Mode ValueData=product
    task 53 7 1 VariableName=E2E_RECOVERY 'VariableData=C:\Product'
    task 54 13 1 'SourceFile=C:\Product\readme.txt' 'DestinationFile=C:\Data\notes.txt'
    task 55 14 1 'Address=C:\Data\obsolete.txt'
    task 56 11 1 'Address=C:\Product\made'
    printf '[UninstallerSettings]\nCreateUninstaller = 1\nCreateAddRemoveEntry = 1\n'
    printf 'AddRemoveEntryName = E2E Recovery Product\n'
  } | sed 's/$/\r/' >> "$WORK/project/Script.qvs"
  build_installer "$WORK/project" "$WORK/setup.exe" --stub "$BUILD/x64/tests/e2e/e2epausing.exe"
}
prepare_machine() {
  source "$E2E/uninstall_lib.sh"
  local c=$PREFIX/drive_c
  mkdir -p "$c/Product" "$c/Data"
  printf "the user's own app.txt" > "$c/Product/app.txt"
  chmod a-w "$c/Product/app.txt"  # read-only, as Wine shows it
  printf '[Main]\r\nMode=user\r\n' > "$c/Data/settings.ini"
  printf 'user notes' > "$c/Data/notes.txt"
  printf 'obsolete' > "$c/Data/obsolete.txt"
  "$wine" reg add 'HKCU\Software\E2E Existing' /v Setting /d user /f >/dev/null
  snapshot before
  cut_at file:1
}
# The interactive start after the cut: the message, then the wizard, left.
driver_commands() {
  cat <<CMDS
start $SETUP
expect-msgbox Information "An earlier installation of E2E Product was cut off before it completed. Everything it had changed has been undone." information ok
answer ok
wait-window "E2E Product Setup"
click 30
wait-window "Please confirm"
answer yes
wait-exit 20000
CMDS
}

# The killed run's temporary copy of the unpacker module stays in the
# user's temporary folder (it is written before anything is journalled).
KILLED_MODULE='file\+ users/.*/Temp/_temp_[0-9]*\.tmp'

# The installer's configuration prefix, which names its journal.
product_key() {
  "$BUILD/host/builder/qvsbuild" list "$WORK/setup.exe" | grep -o '_\$_INSTALLER_Data_[0-9]*_\$_' | head -n 1
}

journal_files() { ls "$PREFIX/drive_c/ProgramData/Quorvantis/Journals" 2>/dev/null; }

# cut_at POINT:N: a silent installation held the N-th time it reaches POINT
# (the pausing stub), then the whole Wine session killed.
cut_at() {
  local marker=$PREFIX/drive_c/e2e/paused pid i
  rm -f "$marker"
  QVS_E2E_PAUSE=$1 QVS_E2E_PAUSED='C:\e2e\paused' \
    "$wine" 'C:\e2e\setup.exe' /S /LOG='C:\e2e\cut.log' >/dev/null 2>&1 &
  pid=$!
  for i in $(seq 600); do [ -f "$marker" ] && break; sleep 0.1; done
  wineserver -k
  wait "$pid" 2>/dev/null || true
  wineserver -w
  [ -f "$marker" ] || { echo "the run never reached $1"; return 1; }
  [ -n "$(journal_files)" ] || { echo "no journal after the cut at $1"; return 1; }
}

# The next start undoes the cut-off run first, then ends (1639: /LANG names
# a language the installer lacks); the machine is as before.
recovered_as_before() {
  "$wine" 'C:\e2e\setup.exe' /S /LANG=9999 /LOG='C:\e2e\next.log' >/dev/null 2>&1 || true
  grep -q 'An earlier installation of E2E Product was cut off before it completed. Everything it had changed has been undone.' \
    "$PREFIX/drive_c/e2e/next.log"
  [ -z "$(journal_files)" ] && [ ! -e "$PREFIX/drive_c/ProgramData/Quorvantis" ]
  [ "$(stat -c %a "$PREFIX/drive_c/Product/app.txt")" = 444 ]
  [ -z "$(environment_value E2E_RECOVERY)" ]
  same_as_before 'e2e/(cut|next)\.log' 'e2e/paused' "$KILLED_MODULE"
  echo "check: cut off at $1, undone: the machine is as before"
}

# The journal's folders and the journal, as the cut left them.
JOURNALS=drive_c/ProgramData/Quorvantis
journal_file() { ls "$PREFIX/$JOURNALS/Journals/"*.journal; }

check_result() {
  source "$E2E/uninstall_lib.sh"
  local c=$PREFIX/drive_c point
  [ -z "$(journal_files)" ] && [ ! -e "$PREFIX/$JOURNALS" ]
  same_as_before 'e2e/(cut|next)\.log' 'e2e/paused' "$KILLED_MODULE"
  echo "check: cut off at file:1, undone by an interactive start that said so"

  for point in file:1 task:7 uninstaller:1; do
    cut_at "$point"
    if [ "$point" = task:7 ]; then
      # The cut leaves the run's changes behind, the registry's too. A
      # journal in folders that any user could change is not acted on.
      "$wine" reg query 'HKCU\Software\E2E Existing' /v Setting | tr -d '\r' | grep -q 'REG_SZ *product$'
      chmod 777 "$PREFIX/$JOURNALS" "$PREFIX/$JOURNALS/Journals"
      "$wine" 'C:\e2e\setup.exe' /S /LANG=9999 /LOG='C:\e2e\next.log' >/dev/null 2>&1 || true
      grep -q 'could not be read (it lay in a folder that others than administrators could change), so what it changed has not been undone. The record is kept as C:\\ProgramData\\Quorvantis.unprotected\.' \
        "$c/e2e/next.log"
      "$wine" reg query 'HKCU\Software\E2E Existing' /v Setting | tr -d '\r' | grep -q 'REG_SZ *product$'
      mv "$PREFIX/$JOURNALS.unprotected" "$PREFIX/$JOURNALS"
      chmod 755 "$PREFIX/$JOURNALS" "$PREFIX/$JOURNALS/Journals"
      echo "check: a journal that others could have written is refused, not acted on"
    fi
    recovered_as_before "$point"
  done

  # A damaged journal is refused with a message and kept aside unread.
  mkdir -p "$PREFIX/$JOURNALS/Journals"
  cp "$c/e2e/setup.exe" "$PREFIX/$JOURNALS/Journals/$(product_key).journal"
  "$wine" 'C:\e2e\setup.exe' /S /LANG=9999 /LOG='C:\e2e\next.log' >/dev/null 2>&1 || true
  grep -q 'The record of an earlier, interrupted installation of this product could not be read (at byte 0: not a journal), so what it changed has not been undone\.' \
    "$c/e2e/next.log"
  [ -f "$PREFIX/$JOURNALS/Journals/$(product_key).journal.unread" ]
  rm -r "$PREFIX/$JOURNALS"
  echo "check: a damaged journal is refused with a message"

  # A normal start undoes a cut-off run, then installs: nothing of the cut
  # run is left beside that installation.
  cut_at file:1
  "$wine" 'C:\e2e\setup.exe' /S /LOG='C:\e2e\install.log' >/dev/null 2>&1
  grep -q 'Everything it had changed has been undone.' "$c/e2e/install.log"
  grep -q 'Installation complete' "$c/e2e/install.log"
  [ "$(tr -d '\r' < "$c/Product/app.txt")" = "the product's app.txt" ]
  [ -z "$(journal_files)" ] && [ ! -e "$PREFIX/$JOURNALS" ]
  same_as_before 'e2e/(cut|next|install)\.log' 'e2e/paused' "$KILLED_MODULE" \
    '^file~ (product/app\.txt|data/(settings\.ini|notes\.txt))$' '^file- data/obsolete\.txt$' \
    '^file\+ product/(readme\.txt|sub/deep/data\.txt|uninst0\.(exe|dat))$' \
    '^folder\+ product/(sub|sub/deep|made)$' \
    '^key\+ hkey_current_user\\software\\e2e recovery(\\made)?$' \
    '^key\+ hkey_current_user\\software\\e2e value keys(\\deep)?$' \
    '^value\+ hkey_current_user\\software\\e2e value keys\\deep -> "made"$' \
    '^value~ hkey_current_user\\software\\e2e existing -> "setting"$' \
    '^(key|value)\+ hkey_local_machine\\software\\microsoft\\windows\\currentversion\\uninstall\\e2e recovery product'
  echo "check: a cut-off run undone, then the product installed, and nothing else"

  # A reinstallation cut off, then the uninstaller: it undoes the
  # reinstallation, then removes the product. The user's app.txt went with
  # the first installation, which replaced it.
  # A copied file and a deleted one stay as the tasks left them.
  cut_at file:2
  "$wine" 'C:\Product\Uninst0.exe' /S >/dev/null 2>&1
  wineserver -w
  [ -z "$(journal_files)" ] && [ ! -e "$c/Product/Uninst0.exe" ]
  [ -z "$(environment_value E2E_RECOVERY)" ]
  same_as_before 'e2e/(cut|next|install)\.log' 'e2e/paused' "$KILLED_MODULE" \
    'file- Product/app\.txt' 'file~ Data/notes\.txt' 'file- Data/obsolete\.txt'
  echo "check: the uninstaller undid the cut-off reinstallation, then uninstalled"
}
