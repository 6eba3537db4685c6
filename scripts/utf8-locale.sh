# Sourced by the project's scripts: window titles, folder names and typed
# text are Japanese, and xdotool, ImageMagick and the shell only handle them
# in a UTF-8 character set. A container or a bare machine often sets no
# locale at all (or one that is not installed): then C.UTF-8, which every
# Debian system has built in. A UTF-8 locale of the caller's own stays.
if [ "$(locale charmap 2>/dev/null)" != "UTF-8" ]; then
    export LC_ALL=C.UTF-8
    unset LANGUAGE
fi
