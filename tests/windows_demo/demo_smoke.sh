#!/bin/sh
# The demo end to end under Wine, as a user installs and runs it:
#   demo_smoke.sh <brackwell.dll> <brackwell_demo.exe>
# registers the DLL for the user (regsvr32 /n /i:user) and puts its COM
# add-in on the user's list of Excel add-ins (LoadBehavior 3), runs the demo
# with --smoke as Excel 2003, 2010 and 2016, and removes both again
# (regsvr32 /u /n /i:user). Any step that fails fails the test. Uses $WINEPREFIX when set, else a private
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

progids='Brackwell.Wayfinder Brackwell.Connect Brackwell.PaneHost'
classes='Software\Classes'
addins='HKCU\Software\Microsoft\Office\Excel\Addins\Brackwell.Connect'
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
mirror_user_classes() {
    for progid in $progids; do
        clsid=$(wine reg query "HKCU\\$classes\\$progid\\CLSID" /ve 2>/dev/null | tr -d '\r' | awk '/REG_SZ/ {print $NF}')
        [ -n "$clsid" ] || return 1
        for key in "$progid" "CLSID\\$clsid"; do
            wine reg query "HKLM\\$classes\\$key" >/dev/null 2>&1 && continue  # the machine's own stays untouched
            wine reg copy "HKCU\\$classes\\$key" "HKLM\\$classes\\$key" /s /f >/dev/null || return 1
            mirrored="$mirrored $key"
        done
    done
}
remove_mirror() {
    for key in $mirrored; do wine reg delete "HKLM\\$classes\\$key" /f >/dev/null 2>&1; done
}

failed=0
if step wine regsvr32 /n /i:user "$dll"; then
    if step mirror_user_classes && step wine reg add "$addins" /v LoadBehavior /t REG_DWORD /d 3 /f; then
        for excel in 2003 2010 2016; do step wine "$demo" --excel $excel --smoke; done
    fi
    wine reg delete "$addins" /f >/dev/null 2>&1
    remove_mirror
    step wine regsvr32 /u /n /i:user "$dll"
    # Nothing of the registration may stay behind.
    for progid in $progids; do
        if wine reg query "HKCU\\$classes\\$progid" >/dev/null 2>&1; then
            printf "failed: %s is still there after unregistering\n" "HKCU\\$classes\\$progid"
            failed=1
        fi
    done
fi
wineserver -w
exit $failed
