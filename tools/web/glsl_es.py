#!/usr/bin/env python3
"""Turns the desktop's GLSL 4.30 core shaders in a folder into GLSL ES 3.00,
in place, for WebGL 2. The desktop files stay the one source.

- "#version 430 core" becomes "#version 300 es" with high precision, which
  matches the desktop's 32-bit floats.
- "layout (location = N)" before a uniform stays: GLSL ES 3.00 has no
  explicit uniform locations, so Emscripten's GL layer (built with
  GL_EXPLICIT_UNIFORM_LOCATION) removes them as the source is handed over and
  gives those uniforms the same numbers itself. The film screen's material,
  which sets its uniforms by number while another program is current, then
  reaches the same uniforms as on the desktop. Locations of inputs and outputs
  are plain GLSL ES 3.00.
"""
import re
import sys
from pathlib import Path

VERSION = re.compile(r"^\s*#version\s+430\s+core\s*$", re.M)
HEADER = ("#version 300 es\n"
          "precision highp float;\n"
          "precision highp int;\n"
          "precision highp sampler2D;\n"
          "precision highp samplerCube;")


def convert(text: str) -> str:
    if not VERSION.search(text):
        raise ValueError("no '#version 430 core' line")
    return VERSION.sub(HEADER, text, count=1)


def main() -> int:
    folder = Path(sys.argv[1])
    files = sorted(p for p in folder.iterdir() if p.suffix in (".vert", ".frag"))
    for path in files:
        try:
            path.write_text(convert(path.read_text()))
        except ValueError as error:
            print(f"{path}: {error}", file=sys.stderr)
            return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
