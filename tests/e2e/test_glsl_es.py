"""The browser build's shader conversion: every desktop shader becomes GLSL ES
3.00 with high precision, and nothing else in it changes."""

import os
import shutil
import subprocess
import sys
import tempfile
import unittest

from harness import SOURCE_DIR

SHADERS = os.path.join(SOURCE_DIR, "assets", "shader")
TOOL = os.path.join(SOURCE_DIR, "tools", "web", "glsl_es.py")


class GlslEs(unittest.TestCase):

    def test_every_shader_is_converted_and_keeps_its_body(self):
        with tempfile.TemporaryDirectory() as folder:
            copy = os.path.join(folder, "shader")
            shutil.copytree(SHADERS, copy)
            subprocess.run([sys.executable, TOOL, copy], check=True)
            names = sorted(n for n in os.listdir(SHADERS) if n.endswith((".vert", ".frag")))
            self.assertGreater(len(names), 0)
            for name in names:
                with open(os.path.join(SHADERS, name)) as f:
                    desktop = f.read().split("\n")
                with open(os.path.join(copy, name)) as f:
                    es = f.read().split("\n")
                self.assertEqual(desktop[0].strip(), "#version 430 core", name)
                self.assertEqual(es[0], "#version 300 es", name)
                self.assertTrue(all(line.startswith("precision highp ") for line in es[1:5]), name)
                # Uniform locations stay for Emscripten's GL layer to number.
                self.assertEqual(es[5:], desktop[1:], name)

    def test_a_shader_without_the_desktop_version_line_fails_the_build(self):
        with tempfile.TemporaryDirectory() as folder:
            with open(os.path.join(folder, "odd.frag"), "w") as f:
                f.write("#version 330 core\nvoid main() {}\n")
            result = subprocess.run([sys.executable, TOOL, folder], stderr=subprocess.PIPE)
            self.assertEqual(result.returncode, 1)
            self.assertIn(b"odd.frag", result.stderr)


if __name__ == "__main__":
    unittest.main()
