#!/usr/bin/env bash
# Makes the Windows setup program from both build trees:
#   installer/make_installer.sh [OUTPUT.exe]      default: build/installer/pvsetup.exe
# PV_I686_BUILD and PV_X86_64_BUILD name the trees (default build/i686 and build/x86_64).
# Stages stripped copies of every set the setup program installs, with the DLLs that their
# binaries import from the build tree (our own libraries and the GCC runtime the tree copies beside
# them), writes the list of every set's files for the script and runs makensis. The setup program's
# path is the last line of the output; the exit code is not 0 when anything is missing.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
i686_build=${PV_I686_BUILD:-$root/build/i686}
x86_64_build=${PV_X86_64_BUILD:-$root/build/x86_64}
out=${1:-$root/build/installer/pvsetup.exe}
mkdir -p "$(dirname "$out")"
out=$(cd "$(dirname "$out")" && pwd)/$(basename "$out")
stage=$(dirname "$out")/stage
version=$(sed -n 's/^project(orvik_pv VERSION \([0-9]*\.[0-9]*\).*/\1/p' "$root/CMakeLists.txt")

# What each set starts from; the closure over their imports completes it.
declare -A seeds=(
  [program]="pvmount.dll pvcam.exe pvuninst.exe"   # Program Files of the Windows of that architecture
  [mount]="pvmount.dll"                            # the i686 Mounter beside the x86_64 one
  [twain]="pvsource.ds pvacquire.dll pvres.dll pvcamsdk.dll"
)

triplet() { [ "$1" = i686 ] && echo i686-w64-mingw32 || echo x86_64-w64-mingw32; }

imports() { # arch file
  "$(triplet "$1")-objdump" -p "$2" | sed -n 's/^[[:space:]]*DLL Name: //p'
}

# The file of that name in the tree's bin folder, whatever the case of the name.
in_bin() { # bin name
  find "$1" -maxdepth 1 -type f -iname "$2" -print -quit
}

# Stages a set and appends its macro to files.nsh. Imports that the tree does not hold are the
# system's own DLLs.
stage_set() { # arch bin set
  local arch=$1 bin=$2 set=$3 name file dll
  local dir=$stage/$arch/$set
  local -a queue files=()
  local -A seen=()
  read -r -a queue <<<"${seeds[$set]}"
  mkdir -p "$dir"
  while [ ${#queue[@]} -gt 0 ]; do
    name=${queue[0]}
    queue=("${queue[@]:1}")
    [ -n "${seen[${name,,}]:-}" ] && continue
    seen[${name,,}]=1
    file=$(in_bin "$bin" "$name")
    if [ -z "$file" ]; then
      case " ${seeds[$set]} " in
        *" $name "*) echo "make_installer: $bin/$name is missing (is the $arch tree built?)" >&2; exit 1 ;;
      esac
      continue
    fi
    "$(triplet "$arch")-strip" -o "$dir/$(basename "$file")" "$file"
    files+=("$(basename "$file")")
    while read -r dll; do queue+=("$dll"); done < <(imports "$arch" "$file")
  done
  {
    echo "!macro PV_SET_${arch}_${set} OP DIR"
    for name in "${files[@]}"; do echo "  !insertmacro \${OP} \"\${DIR}\" \"$arch/$set\" \"$name\""; done
    echo "!macroend"
  } >>"$stage/files.nsh"
  echo "$arch $set: ${files[*]}"
}

rm -rf "$stage"
mkdir -p "$stage"
echo "; Written by make_installer.sh: the files of every staged set." >"$stage/files.nsh"
for set in program mount twain; do stage_set i686 "$i686_build/bin" "$set"; done
for set in program twain; do stage_set x86_64 "$x86_64_build/bin" "$set"; done

makensis -NOCD -V2 -DSTAGE="$stage" -DOUTFILE="$out" -DVERSION="$version" "$root/installer/pvsetup.nsi"
echo "$out"
