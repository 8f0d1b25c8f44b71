#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what lands there: the two programs
# answer from their installed place, the shipped data, and the desktop integration files,
# each checked by its validator when that is installed.
#   install_tree_test.sh BUILD_DIR SOURCE_DIR VERSION APP_ID WITH_GUI(1 when the window is built)
set -uo pipefail
BUILD_DIR=$1 SOURCE_DIR=$2 VERSION=$3 APP_ID=$4 WITH_GUI=$5

PREFIX=$(mktemp -d)
HOME_DIR=$(mktemp -d)
START_DIR=$(mktemp -d)
trap 'rm -rf "$PREFIX" "$HOME_DIR" "$START_DIR"' EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
validate() { # TOOL ARGS... FILE
    if command -v "$1" >/dev/null; then
        "$@" || fail "$1 rejects ${*: -1}"
    else
        echo "SKIP: $1 is not installed; ${*: -1} not validated"
    fi
}

cmake --install "$BUILD_DIR" --prefix "$PREFIX" >/dev/null || fail "cmake --install"
share=$PREFIX/share
programs=(tessarin-cli)
[ "$WITH_GUI" = 1 ] && programs+=(tessarin)

for p in "${programs[@]}"; do
    # The time limit catches a window opened instead of an answer.
    got=$(timeout 20 "$PREFIX/bin/$p" --version 2>&1) || fail "$p --version exits $?"
    [ "$got" = "Tessarin $VERSION" ] || fail "$p --version printed '$got'"
    got=$(timeout 20 "$PREFIX/bin/$p" --help 2>&1) || fail "$p --help exits $?"
    [[ $got == "使い方: $p "* ]] || fail "$p --help printed '${got:0:80}'"
done
cmp -s "$SOURCE_DIR/data/numbers4_2.csv" "$share/tessarin/numbers4_2.csv" ||
    fail "share/tessarin/numbers4_2.csv differs from data/"

# A first start from an empty folder with an empty home: the installed bundled history
# becomes the user's, and the next draw is printed.
latest=$(head -n 1 "$SOURCE_DIR/data/numbers4_2.csv" | cut -d, -f1)
got=$(cd "$START_DIR" && env -u XDG_DATA_HOME HOME="$HOME_DIR" timeout 60 \
    "$PREFIX/bin/tessarin-cli" 2>/dev/null) || fail "tessarin-cli from an empty home exits $?"
[[ $got == *"次回: 第$((latest + 1))回"* ]] || fail "first start printed '${got:0:120}'"
size=$(stat -c %s "$HOME_DIR/.local/share/tessarin/number414.dat" 2>/dev/null)
[ "$size" = $((latest * 128)) ] || fail "first start made a history of ${size:-no} bytes"
[ -z "$(ls -A "$START_DIR")" ] || fail "first start wrote into the folder it was started in"

# Only the programs and what they read: no tests, benchmarks, libraries or README files.
while IFS= read -r f; do
    case $f in
    bin/tessarin-cli | share/tessarin/* | lib/systemd/user/tessarin-update.*) ;;
    bin/tessarin | share/applications/* | share/metainfo/* | share/icons/*)
        [ "$WITH_GUI" = 1 ] || fail "$f installed without the window" ;;
    *) fail "unexpected file installed: $f" ;;
    esac
    case $f in share/tessarin/README* | share/tessarin/*.md) fail "installed $f" ;; esac
done < <(cd "$PREFIX" && find . -type f | sed 's|^\./||')

# The weekday fetch: both units as systemd reads them, in a copy whose ExecStart names the
# installed program (the shipped one finds it in systemd's own search path).
units=$PREFIX/lib/systemd/user
if command -v systemd-analyze >/dev/null; then
    check=$(mktemp -d)
    mkdir -m 700 "$check/run"
    cp "$units"/tessarin-update.{service,timer} "$check/"
    sed -i "s|^ExecStart=tessarin-cli |ExecStart=$PREFIX/bin/tessarin-cli |" \
        "$check/tessarin-update.service"
    grep -q "^ExecStart=$PREFIX/bin/tessarin-cli update --notify$" "$check/tessarin-update.service" ||
        fail "the service does not run tessarin-cli update --notify"
    # verify passes over keys it cannot read with a warning only: any output is a fault.
    got=$(cd "$check" && XDG_RUNTIME_DIR="$check/run" HOME="$HOME_DIR" systemd-analyze --user \
        verify ./tessarin-update.timer ./tessarin-update.service 2>&1) ||
        fail "systemd-analyze verify exits $?"
    [ -z "$got" ] || fail "systemd-analyze verify: $got"
    rm -rf "$check"
else
    echo "SKIP: systemd-analyze is not installed; the units are not verified"
fi

if [ "$WITH_GUI" = 1 ]; then
    desktop=$share/applications/$APP_ID.desktop
    metainfo=$share/metainfo/$APP_ID.metainfo.xml
    validate desktop-file-validate "$desktop"
    validate appstreamcli validate --no-net "$metainfo"
    grep -qx "Exec=tessarin" "$desktop" || fail "the desktop entry does not start tessarin"
    grep -qx "Icon=$APP_ID" "$desktop" || fail "the desktop entry names another icon"
    grep -q "<launchable type=\"desktop-id\">$APP_ID.desktop<" "$metainfo" ||
        fail "the metadata launches another desktop entry"
    grep -q "<release version=\"$VERSION\"" "$metainfo" || fail "no release $VERSION in $metainfo"
    grep -q "<svg" "$share/icons/hicolor/scalable/apps/$APP_ID.svg" || fail "no scalable icon"
    # A PNG's width and height are the big-endian words at bytes 16 and 20.
    size=$(od -An -tu1 -j16 -N8 "$share/icons/hicolor/256x256/apps/$APP_ID.png" | tr -s ' ')
    [ "$size" = " 0 0 1 0 0 0 1 0" ] || fail "the 256x256 icon is not 256x256 (${size:-missing})"
fi

[ "$failures" -eq 0 ] && echo "installed tree in order"
exit $((failures > 0))
