#!/usr/bin/env bash
# Checks the run command's package list (scripts/install-deps.sh run) against what the program
# really uses: the files the build of `vorn` reads outside the source and build folders (tools,
# headers, libraries) and those the program loads or starts when it runs (its shared libraries,
# the X11 platform plugin, the speech model, its fonts, the help viewer, the document opener).
# Fails when such a file comes from no package the run list installs (the package itself or one
# it depends on), and when a package of the run list provides none of them: a package that only
# the tests, benchmarks or gates need.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="${VORN_BUILD_DIR:-$root/build}"

cmake --build "$build" --target vorn >/dev/null
mapfile -t run_list < <("$root/scripts/install-deps.sh" --list run)

# What the build of the program reads: its inputs (libraries and code generators among them),
# the headers its objects include, and the tools it runs.
used_files() {
  local inputs objects
  inputs="$(ninja -C "$build" -t inputs vorn)"
  mapfile -t objects < <(grep '\.o$' <<<"$inputs")
  grep '^/' <<<"$inputs"
  ninja -C "$build" -t deps "${objects[@]}" | sed -n 's|^ *\(/.*\)$|\1|p'
  sed -nE 's/^(CMAKE_CXX_COMPILER|CMAKE_MAKE_PROGRAM|PKG_CONFIG_EXECUTABLE|VORN_CHM_COMPILER|CMAKE_COMMAND):[A-Z]+=//p' \
    "$build/CMakeCache.txt"
  # What the program uses when it runs.
  ldd "$build/bin/vorn" | sed -n 's|.* => \(/[^ ]*\) .*|\1|p'
  echo "$(qtpaths6 --query QT_INSTALL_PLUGINS)/platforms/libqxcb.so"
  echo "$(pkg-config --variable=modeldir pocketsphinx)/en-us/cmudict-en-us.dict"
  fc-match -f '%{file}\n' sans-serif
  fc-match -f '%{file}\n' 'Liberation Sans'
  command -v xchm xdg-open
}

# Each used file with the links that lead to it, e.g. /usr/bin/c++ -> /etc/alternatives/c++ ->
# /usr/bin/g++ -> ...: any package along the way provides it. Written "file<TAB>step".
with_links() {
  local file step
  while read -r file; do
    step="$file"
    for _ in 1 2 3 4 5 6 7 8; do
      printf '%s\t%s\n' "$file" "$step"
      # With /usr merged, packages name some files under /lib, /bin or /sbin.
      case "$step" in
        /usr/lib/* | /usr/bin/* | /usr/sbin/*) printf '%s\t%s\n' "$file" "${step#/usr}" ;;
        /lib/* | /bin/* | /sbin/*) printf '%s\t%s\n' "$file" "/usr$step" ;;
      esac
      [ -L "$step" ] || break
      local target
      target="$(readlink "$step")"
      case "$target" in
        /*) step="$target" ;;
        *) step="$(cd "$(dirname "$step")" && pwd -P)/$target" ;;
      esac
    done
  done
}

# The project's own files (sources, generated code) are no package's.
links="$(used_files | grep -vF -e "$root/" -e "$(cd "$build" && pwd -P)/" | sort -u | with_links | sort -u)"
mapfile -t steps < <(cut -f2 <<<"$links" | sort -u)
# "pkg1, pkg2:amd64: /path" -> "/path<TAB>pkg1" and "/path<TAB>pkg2"
owners="$(dpkg-query -S "${steps[@]}" 2>/dev/null | grep -v '^diversion by' |
  awk -F': ' '{ n = split($1, p, ", "); for (i = 1; i <= n; i++) { sub(/:.*/, "", p[i]); print $2 "\t" p[i] } }' |
  sort -u || true)"
# file<TAB>package for every used file that some package provides
provided="$(join -t $'\t' -1 2 -2 1 -o 1.1,2.2 <(sort -t $'\t' -k2,2 <<<"$links") \
  <(sort -t $'\t' -k1,1 <<<"$owners") | sort -u)"

installs="$(apt-cache depends --recurse --installed --no-recommends --no-suggests \
  --no-conflicts --no-breaks --no-replaces --no-enhances "${run_list[@]}" | grep -v '^ ' | sort -u)"

# One report line per fault; none when the list is right.
faults="$(awk -F'\t' -v run="${run_list[*]}" '
  FNR == 1 { part++ }
  part == 1 { installed[$1] = 1; next }
  part == 2 { used[$1] = 1; next }
  {
    owned[$1] = owned[$1] " " $2
    if ($2 in installed) covered[$1] = 1
    provides[$2] = 1
  }
  END {
    for (file in used) {
      if (!(file in owned)) print file " is used by the program but comes from no package"
      else if (!(file in covered)) print file " comes from" owned[file] ", which the run list does not install"
    }
    n = split(run, list, " ")
    for (i = 1; i <= n; i++)
      if (!(list[i] in provides)) print list[i] " is in the run list, but the program uses no file of it"
  }' <(echo "$installs") <(cut -f1 <<<"$links") <(echo "$provided"))"
if [ -n "$faults" ]; then
  sed 's/^/packages: /' <<<"$faults" | sort >&2
  exit 1
fi
echo "packages: the run list's ${#run_list[@]} packages provide the $(cut -f1 <<<"$links" | sort -u | wc -l) files the program uses"
