#!/bin/sh
# The layer's core folders, lowest first: each may include only its own and
# lower ones, and none may include Qt, glib or xcb, which only the driver
# (qt/) and the tests' support (testing/) see.
set -eu
SRC=${1:?usage: layers_test.sh PLATFORM_SRC_DIR}
ORDER="base text files painting queue driver gdi windows controls dialogs message_boxes loop"
ALL="$ORDER qt testing"
status=0

rank() {
    i=0
    for folder in $ORDER; do
        [ "$folder" = "$1" ] && { echo $i; return; }
        i=$((i + 1))
    done
    echo 99  # qt/ and testing/ sit above the core
}

for folder in $ALL; do
    [ -d "$SRC/$folder" ] || { echo "missing folder: $folder"; status=1; }
done
for dir in "$SRC"/*/; do
    folder=$(basename "$dir")
    case " $ALL " in *" $folder "*) ;; *) echo "$folder/: a folder the layer order does not place"; status=1 ;; esac
done

for folder in $ORDER; do
    own=$(rank "$folder")
    for file in $(find "$SRC/$folder" -name '*.cpp' -o -name '*.h' | sort); do
        name=${file#"$SRC"/}
        # Qt's headers start with Q or q; glib's and xcb's are named.
        if grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<(Q|q[a-z]*\.h|glib|xcb/|gio)' "$file"; then
            echo "$name: includes Qt, glib or xcb"
            status=1
        fi
        for included in $(sed -nE 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([a-z_]+)\/[^"]*".*/\1/p' "$file"); do
            if [ "$(rank "$included")" -gt "$own" ]; then
                echo "$name: $folder/ includes $included/, which is above it"
                status=1
            fi
        done
    done
done
[ $status -eq 0 ] && echo "layers: every core folder includes only its own and lower ones, and nothing of Qt or glib"
exit $status
