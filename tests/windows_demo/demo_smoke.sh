#!/bin/sh
# The demo end to end under Wine, as a user installs and runs it:
#   demo_smoke.sh <brackwell.dll> <brackwell_demo.exe>
# registers the DLL for the user (regsvr32 /n /i:user), runs the demo with
# --smoke, and removes the registration again (regsvr32 /u /n /i:user). Any
# step that fails fails the test. Uses $WINEPREFIX when set, else a private
# prefix; without an X display everything runs under one Xvfb, since Wine's
# helper processes stay on the display they started with.
set -u

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" sh "$0" "$@"
fi

dll_unix=$1
demo=$2
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
if [ -z "${WINEPREFIX:-}" ]; then
    WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/brackwell-demo-wine.XXXXXX") || exit 125
    export WINEPREFIX
    trap 'wineserver -k >/dev/null 2>&1; rm -rf "$WINEPREFIX"' EXIT
fi

progid='Brackwell.Wayfinder'
classes='Software\Classes'
dll=$(winepath -w "$dll_unix") || exit 1

step() {
    printf "== %s\n" "$*"
    "$@"
    status=$?
    [ $status -eq 0 ] || { printf "failed (%s): %s\n" "$status" "$*"; failed=1; }
    return $status
}

# Wine's HKEY_CLASSES_ROOT has no per-user part: a class registered under
# HKCU\Software\Classes (as Windows finds it) is copied to the machine's
# classes for the run, and those copies are removed afterwards.
mirrored=
mirror_user_class() {
    clsid=$(wine reg query "HKCU\\$classes\\$progid\\CLSID" /ve 2>/dev/null | tr -d '\r' | awk '/REG_SZ/ {print $NF}')
    [ -n "$clsid" ] || return 1
    for key in "$progid" "CLSID\\$clsid"; do
        wine reg query "HKLM\\$classes\\$key" >/dev/null 2>&1 && continue  # the machine's own stays untouched
        wine reg copy "HKCU\\$classes\\$key" "HKLM\\$classes\\$key" /s /f >/dev/null || return 1
        mirrored="$mirrored $key"
    done
}
remove_mirror() {
    for key in $mirrored; do wine reg delete "HKLM\\$classes\\$key" /f >/dev/null 2>&1; done
}

failed=0
if step wine regsvr32 /n /i:user "$dll"; then
    step mirror_user_class && step wine "$demo" --smoke
    remove_mirror
    step wine regsvr32 /u /n /i:user "$dll"
    # Nothing of the registration may stay behind.
    if wine reg query "HKCU\\$classes\\$progid" >/dev/null 2>&1; then
        printf "failed: %s is still there after unregistering\n" "HKCU\\$classes\\$progid"
        failed=1
    fi
fi
wineserver -w
exit $failed
