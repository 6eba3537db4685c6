#!/usr/bin/env python3
"""find_picture.py SCREEN PICTURE: prints where PICTURE shows pixel for pixel
in SCREEN, as a crop geometry (WxH+X+Y); exits 1 when it shows nowhere."""
import subprocess
import sys


def pixels(path):
    width, height = map(int, subprocess.check_output(["identify", "-format", "%w %h", path]).split())
    data = subprocess.check_output(["convert", path, "-alpha", "off", "-depth", "8", "rgb:-"])
    return width, height, data


def main(screen_path, picture_path):
    sw, sh, screen = pixels(screen_path)
    pw, ph, picture = pixels(picture_path)
    rows = [picture[y * pw * 3:(y + 1) * pw * 3] for y in range(ph)]
    # A row from the middle of the page holds text: few places share it.
    key = ph // 2
    for top in range(0, sh - ph + 1):
        line = screen[(top + key) * sw * 3:(top + key + 1) * sw * 3]
        at = line.find(rows[key])
        while at >= 0:
            if at % 3 == 0:
                left = at // 3
                if all(screen[(top + y) * sw * 3 + left * 3:(top + y) * sw * 3 + (left + pw) * 3] == rows[y]
                       for y in range(ph)):
                    print(f"{pw}x{ph}+{left}+{top}")
                    return 0
            at = line.find(rows[key], at + 1)
    return 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
