#!/bin/sh
# The shipped programs carry nothing of the tests' support: no recording
# driver, no recorders, no message-box answers, no pause points.
set -eu
status=0
for program in "$@"; do
    found=$(nm -C "$program" | grep -E 'wordoria::testing|RecordingDriver|MessageBoxHook|GdiRecorder|WindowCallRecorder|Inject(Mouse|Key|Typing)|Steps' || true)
    if [ -n "$found" ]; then
        echo "$(basename "$program") holds test code:"
        echo "$found" | head -20
        status=1
    else
        echo "$(basename "$program"): no test code ($(nm "$program" | wc -l) symbols looked at)"
    fi
done
exit $status
