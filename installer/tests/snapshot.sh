# Sourced by install_test.sh: snapshots of a Wine prefix's registry and files, and their difference.
# The prefix's wineserver must have ended (its registry saved) when a snapshot is taken.

# Wine's own entries that a new session of a prefix writes again by itself (the device class
# records with their driver dates, the network cards' key): not ours, left out of every comparison.
pv_volatile_keys='^\[(System\\\\CurrentControlSet\\\\Control\\\\Class\\\\|Software\\\\(Wow6432Node\\\\)?Microsoft\\\\Windows NT\\\\CurrentVersion\\\\NetworkCards(\\\\|\]))'

# One line per registry value, "[key] name=data" (key-only lines for keys without values), of the
# prefix's saved registry files: the keys' time stamps and Wine's comments left out, continued
# lines joined.
pv_registry_lines() { # prefix
  local file
  for file in system.reg user.reg userdef.reg; do
    [ -f "$1/$file" ] || continue
    awk -v hive="$file" '
      /^#/ { next }
      /^\[/ { if (data != "") { print key " " data; data = "" }
              sub(/\] [0-9]+$/, "]"); key = hive ":" $0; print key; next }
      { line = $0; sub(/\r$/, "", line)
        if (data != "") { sub(/^ +/, "", line); data = data line } else data = line
        if (data ~ /\\$/) { sub(/\\$/, "", data); next }
        if (data != "") print key " " data; data = "" }
      END { if (data != "") print key " " data }' "$1/$file"
  done | grep -v -E "^[a-z]+\.reg:${pv_volatile_keys#^}" | LC_ALL=C sort -u
}

pv_file_lines() { # prefix
  (cd "$1/drive_c" && find . -mindepth 1 -printf '%y %P\n') | LC_ALL=C sort
}

# Saves the registry and file lists of the prefix as NAME.reg.txt and NAME.files.txt in DIR, and
# the registry files themselves in NAME.saved/.
pv_snapshot() { # prefix dir name
  mkdir -p "$2/$3.saved" && cp "$1"/*.reg "$2/$3.saved/"
  pv_registry_lines "$1" >"$2/$3.reg.txt"
  pv_file_lines "$1" >"$2/$3.files.txt"
}

# What differs between two snapshots ("-" only before, "+" only after); empty when nothing does.
pv_snapshot_diff() { # dir before after
  local kind
  for kind in reg files; do
    LC_ALL=C comm -23 "$1/$2.$kind.txt" "$1/$3.$kind.txt" | sed "s/^/- $kind /"
    LC_ALL=C comm -13 "$1/$2.$kind.txt" "$1/$3.$kind.txt" | sed "s/^/+ $kind /"
  done
}
