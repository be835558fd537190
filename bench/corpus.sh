# The ~150 MB benchmark corpus, sourced by the benchmark scripts: files taken
# from this machine (Wine's Windows DLLs, shared libraries, /usr/bin
# programs, /usr/share/doc and other /usr/share files) as Files/1 of a project
# in out/bench-corpus, the same corpus as one tar, and stand-ins for the stub
# and the module. Made once and reused; delete out/bench-corpus to make it
# again. Expects $top (the checkout) and runs from it.
corpus=out/bench-corpus

# take SOURCE TAG BUDGET: copies regular files of SOURCE (sorted, so the
# corpus is the same on every run) until BUDGET bytes, into Files/1/TAG.
# Names Windows cannot hold, reserved device names and names that clash in
# letter case are skipped: the builder would refuse them.
take() {
  local source=$1 tag=$2 budget=$3 lists=$top/$corpus/lists
  mkdir -p "$lists"
  (cd "$source" && find . -path ./doc -prune -o -type f -size +0 -printf '%s %P\n' 2>/dev/null | LC_ALL=C sort -k2) |
    awk -v budget="$budget" '
      {
        size = $1; path = substr($0, index($0, " ") + 1)
        if (length(path) > 180 || path !~ /^[A-Za-z0-9_+.\/-]+$/) next
        n = split(path, parts, "/"); bad = 0
        for (i = 1; i <= n; i++) {
          p = parts[i]; lower = tolower(p); base = lower; sub(/\..*/, "", base)
          if (p ~ /^\./ || p ~ /[. ]$/ || base ~ /^(con|prn|aux|nul|com[0-9]|lpt[0-9]|clock\$)$/) bad = 1
        }
        if (bad || seen[tolower(path)]++) next
        if (total + size > budget) next
        total += size; print path
      }' > "$lists/$tag"
  (cd "$source" && tar cf - --no-recursion -T "$lists/$tag") |
    (mkdir -p "$corpus/project/Files/1/$tag" && cd "$corpus/project/Files/1/$tag" && tar xf -)
}

# The corpus as one installable product: component 1 (all of Files/1),
# principal, on every system.
write_bench_script() {
  local script=$corpus/project/Script.qvs
  local text='[GeneralInformation]\r\nProgramName=Benchmark\r\n[SystemRequirements]\r\n'
  text+='Win95=1\r\nWinNT4=1\r\nWin98=1\r\nWinMe=1\r\nWin2000=1\r\nWinXP=1\r\nWin2003=1\r\n'
  text+='WinVista=1\r\nWin2008=1\r\nWin7=1\r\n[Categories]\r\nItems=10\r\n[10]\r\nID=10\r\n'
  text+='[Components]\r\nItems=1\r\n[1]\r\nID=1\r\nCategoryID=10\r\n'
  text+='InstallationPath=<programfiles>\\Benchmark\r\nIsPrincipal=1\r\n'
  # Rewritten only when it changes, so that the installers stay current.
  if [ "$(printf "$text" | cmp - "$script" 2>&1)" != "" ]; then printf "$text" > "$script"; fi
}

make_corpus() {
  if [ -f "$corpus/.complete" ]; then
    write_bench_script
    return 0
  fi
  echo "bench: assembling the corpus in $corpus"
  rm -rf "$corpus"
  mkdir -p "$corpus/project/Languages"
  take /usr/lib/x86_64-linux-gnu/wine/x86_64-windows wine 50000000
  take /usr/lib/x86_64-linux-gnu lib 35000000
  take /usr/bin bin 25000000
  take /usr/share/doc doc 15000000
  take /usr/share share 25000000
  write_bench_script
  cp lang/English.lng "$corpus/project/Languages/English.lng"
  # Stand-ins for the stub and the module: only their size matters to the
  # builder benchmark.
  head -c 200000 /dev/zero > "$corpus/stub.exe"
  head -c 150000 /dev/zero > "$corpus/module.dll"
  (cd "$corpus/project/Files" && LC_ALL=C tar cf "$top/$corpus/corpus.tar" --sort=name 1)
  touch "$corpus/.complete"
}
