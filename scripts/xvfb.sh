# Sourced: start_xvfb starts a virtual display when none is given and exports DISPLAY;
# stop_xvfb stops what start_xvfb started, by its process id.
JRESELECT_XVFB_PID=

start_xvfb() {
    if [ -n "${JRESELECT_DISPLAY:-}" ]; then
        export DISPLAY=$JRESELECT_DISPLAY
        return
    fi
    local n
    for n in $(seq 90 140); do
        [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ] && continue
        Xvfb :$n -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        JRESELECT_XVFB_PID=$!
        local i
        for i in $(seq 50); do
            [ -e /tmp/.X11-unix/X$n ] && break
            kill -0 $JRESELECT_XVFB_PID 2>/dev/null || break
            sleep 0.1
        done
        if kill -0 $JRESELECT_XVFB_PID 2>/dev/null && [ -e /tmp/.X11-unix/X$n ]; then
            export DISPLAY=:$n
            return
        fi
    done
    echo "could not start Xvfb" >&2
    return 1
}

stop_xvfb() {
    if [ -n "$JRESELECT_XVFB_PID" ]; then
        kill "$JRESELECT_XVFB_PID" 2>/dev/null || true
        wait "$JRESELECT_XVFB_PID" 2>/dev/null || true
        JRESELECT_XVFB_PID=
    fi
}
