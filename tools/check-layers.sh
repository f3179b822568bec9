#!/bin/sh
# Checks every include of src/ (or of the src folder given) against the layers of
# src/layers.txt, bottom to top. Refused, each printed with its file and line:
# - a project include of a folder listed after the file's own (it runs upwards);
# - a project include written with "..", which could climb past the layers
#   ("../appointments/X.h", "chart/../appointments/X.h");
# - a project folder in angle brackets (<export/X.h>): project headers are quoted;
# - a widget, GUI or print header in a window-free file (a core library's file, or any file
#   of a folder without windows): <QWidget>, <QtWidgets/QWidget>, <QtGui/QColor>, ...
# Exits 1 when anything is refused. The build runs it before it compiles anything and the
# test `layers` runs it (see "Layers" in docs/architecture.md).
set -eu
src=${1:-"$(dirname "$0")/../src"}
cd "$src"
layers=$(sed -n 's/^\([a-z][a-z]*\).*/\1/p' layers.txt | tr '\n' ' ')
status=0

# The class headers of the Qt modules a window-free file must not reach, one a line.
windowModules="QtWidgets QtGui QtPrintSupport QtSvg QtSvgWidgets QtMultimedia QtOpenGL QtOpenGLWidgets"
qtHeaders=""
for d in /usr/include/*/qt6 /usr/include/qt6; do [ -d "$d/QtWidgets" ] && { qtHeaders=$d; break; }; done
windowHeaders=$(mktemp)
trap 'rm -f "$windowHeaders"' EXIT
if [ -n "$qtHeaders" ]; then
    for m in $windowModules; do [ -d "$qtHeaders/$m" ] && ls "$qtHeaders/$m"; done >"$windowHeaders"
fi

# The window-free files of a folder: every file when it has no windows library, else those
# its CMakeLists.txt lists in sorrisa_<folder>_core.
coreFiles() {
    if ! grep -qE "^$1 .*gui" layers.txt; then
        find "$1" -type f \( -name '*.cpp' -o -name '*.h' \)
        return
    fi
    tr '\n' ' ' <"$1/CMakeLists.txt" | grep -oE "target_sources\(sorrisa_$1_core[^)]*\)" |
        sed 's/target_sources(sorrisa_[a-z]*_core PRIVATE//; s/)//' | tr ' ' '\n' | grep -E '\.(cpp|h)$' |
        sed "s#^#$1/#" || true
}

for folder in $layers; do
    core=$(coreFiles "$folder" | tr '\n' ' ')
    find "$folder" -type f | sort | xargs awk -v layers="$layers" -v own="$folder" -v core=" $core " \
        -v modules="$windowModules" -v headersFile="$windowHeaders" '
        BEGIN {
            n = split(layers, list, " ")
            for (i = 1; i <= n; i++) rank[list[i]] = i
            while ((getline h < headersFile) > 0) windowHeader[h] = 1
            m = split(modules, mods, " ")
            for (i = 1; i <= m; i++) windowModule[mods[i]] = 1
            bad = 0
        }
        function refuse(why) { printf "src/%s:%d: %s\n", FILENAME, FNR, why; bad = 1 }
        /^[ \t]*#[ \t]*include/ {
            line = $0
            sub(/^[ \t]*#[ \t]*include[ \t]*/, "", line)
            angle = substr(line, 1, 1) == "<"
            name = substr(line, 2)
            sub(/[">].*/, "", name)
            if (index(name, "..")) { refuse("include with \"..\": " name); next }
            slash = index(name, "/")
            first = slash ? substr(name, 1, slash - 1) : ""
            if (angle) {
                if (first in rank) refuse("project header in angle brackets: <" name ">")
                else if (index(core, " " FILENAME " ") && ((first in windowModule) || (!slash && (name in windowHeader))))
                    refuse("window-free file includes a windows header: <" name ">")
                next
            }
            if (!slash) next # a header beside the file
            if (!(first in rank) || rank[first] > rank[own]) refuse("runs upwards: " name)
        }
        END { exit bad }' || status=1
done
# Nothing but the program's main and the list of layers sits beside the folders.
for other in $(ls); do
    case " $layers CMakeLists.txt layers.txt main.cpp " in
    *" $other "*) ;;
    *) echo "src/$other: not a layer"; status=1 ;;
    esac
done
[ $status -eq 0 ] && echo "layers: every include runs downwards"
exit $status
