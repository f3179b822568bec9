#!/bin/sh
# Checks every include of src/ against the layers, bottom to top: a file may include from its
# own folder and from the folders before it in this list, never from one after it. Prints each
# include that runs upwards and exits 1 when there is one. (The build enforces the same order:
# see "Layers" in the README.)
set -eu
cd "$(dirname "$0")/../src"
layers="storage platform base backup ui print chart patients appointments export billing app"
status=0
rank() { i=0; for l in $layers; do [ "$l" = "$1" ] && { echo $i; return; }; i=$((i + 1)); done; echo -1; }
for folder in $layers; do
    own=$(rank "$folder")
    for target in $(grep -rhoE '^#include "[a-z]+/' "$folder" | sed 's/#include "//; s#/##' | sort -u); do
        theirs=$(rank "$target")
        if [ "$theirs" -lt 0 ] || [ "$theirs" -gt "$own" ]; then
            grep -rnE "^#include \"$target/" "$folder" | sed 's/^/src\//'
            status=1
        fi
    done
done
# Nothing but the program's main sits beside the folders.
for other in $(ls); do
    case " $layers CMakeLists.txt main.cpp " in *" $other "*) ;; *) echo "src/$other: not a layer"; status=1 ;; esac
done
[ $status -eq 0 ] && echo "layers: every include runs downwards"
exit $status
