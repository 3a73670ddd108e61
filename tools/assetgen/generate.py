#!/usr/bin/env python3
"""Writes Meadowhop's models, textures, sky faces and film into an asset folder.

Usage: python3 tools/assetgen/generate.py assets

Deterministic: all noise comes from an integer hash, PNGs carry no time chunk and
JPEGs are written by ImageMagick with -strip. The shaders and fonts are not touched.
"""
import math
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import zlib

# ---------------------------------------------------------------- noise


def ihash(*ints):
    h = 0x9E3779B9
    for v in ints:
        h = (h ^ (v & 0xFFFFFFFF)) * 0x85EBCA6B & 0xFFFFFFFF
        h ^= h >> 13
        h = h * 0xC2B2AE35 & 0xFFFFFFFF
        h ^= h >> 16
    return h


def hash01(*ints):
    return ihash(*ints) / 4294967295.0


def smooth(t):
    return t * t * (3.0 - 2.0 * t)


class TileNoise:
    """Periodic 2-D value noise on a size x size image: octave o has a grid of cells * 2^o."""

    def __init__(self, size, cells, octaves, seed, stretch=(1, 1)):
        self.size = size
        self.layers = []
        for o in range(octaves):
            gx = cells * stretch[0] << o
            gy = cells * stretch[1] << o
            grid = [[hash01(seed, o, i, j) for i in range(gx)] for j in range(gy)]
            cols = self._axis(size, gx)
            rows = self._axis(size, gy)
            self.layers.append((grid, cols, rows, 0.5 ** o))

    @staticmethod
    def _axis(size, g):
        out = []
        for p in range(size):
            f = (p + 0.5) * g / size
            i = int(f)
            out.append((i % g, (i + 1) % g, smooth(f - i)))
        return out

    def octave_values(self, x, y):
        vals = []
        for grid, cols, rows, _ in self.layers:
            i0, i1, fx = cols[x]
            j0, j1, fy = rows[y]
            r0, r1 = grid[j0], grid[j1]
            a = r0[i0] + (r0[i1] - r0[i0]) * fx
            b = r1[i0] + (r1[i1] - r1[i0]) * fx
            vals.append(a + (b - a) * fy)
        return vals

    def fbm(self, x, y):
        total = norm = 0.0
        for v, (_, _, _, w) in zip(self.octave_values(x, y), self.layers):
            total += v * w
            norm += w
        return total / norm


def noise3(x, y, z, seed):
    ix, iy, iz = math.floor(x), math.floor(y), math.floor(z)
    fx, fy, fz = smooth(x - ix), smooth(y - iy), smooth(z - iz)
    c = [hash01(seed, ix + (k & 1), iy + (k >> 1 & 1), iz + (k >> 2)) for k in range(8)]
    x00 = c[0] + (c[1] - c[0]) * fx
    x10 = c[2] + (c[3] - c[2]) * fx
    x01 = c[4] + (c[5] - c[4]) * fx
    x11 = c[6] + (c[7] - c[6]) * fx
    y0 = x00 + (x10 - x00) * fy
    y1 = x01 + (x11 - x01) * fy
    return y0 + (y1 - y0) * fz


def fbm3(x, y, z, seed, octaves):
    total = norm = 0.0
    amp = 1.0
    for o in range(octaves):
        total += noise3(x, y, z, seed + o) * amp
        norm += amp
        amp *= 0.5
        x, y, z = x * 2.03, y * 2.03, z * 2.03
    return total / norm


# ---------------------------------------------------------------- images


class Image:
    def __init__(self, w, h, fill=(0, 0, 0)):
        self.w, self.h = w, h
        self.px = bytearray(bytes(clamp_rgb(fill)) * (w * h))

    def set(self, x, y, rgb):
        i = (y * self.w + x) * 3
        self.px[i:i + 3] = bytes(clamp_rgb(rgb))

    def get(self, x, y):
        i = (y * self.w + x) * 3
        return tuple(self.px[i:i + 3])


def clamp_rgb(c):
    return [max(0, min(255, int(round(v * 255.0)))) if isinstance(v, float) else max(0, min(255, v))
            for v in c]


def mix(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def write_png(path, img):
    raw = bytearray()
    stride = img.w * 3
    for y in range(img.h):
        raw.append(0)
        raw += img.px[y * stride:(y + 1) * stride]

    def chunk(tag, data):
        return struct.pack(">I", len(data)) + tag + data + struct.pack(">I", zlib.crc32(tag + data))

    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", img.w, img.h, 8, 2, 0, 0, 0)))
        f.write(chunk(b"IDAT", zlib.compress(bytes(raw), 9)))
        f.write(chunk(b"IEND", b""))


class JpegBatch:
    """Collects PNGs in a scratch folder and converts them with one ImageMagick call each."""

    def __init__(self):
        self.tmp = tempfile.mkdtemp(prefix="mh-assetgen-")
        self.jobs = []

    def add(self, path, img):
        src = os.path.join(self.tmp, "%d.png" % len(self.jobs))
        write_png(src, img)
        self.jobs.append((src, path))

    def finish(self):
        for src, dst in self.jobs:
            subprocess.run(["convert", src, "-quality", "88", "-strip", dst], check=True)
        shutil.rmtree(self.tmp)


# ---------------------------------------------------------------- meshes


def sub(a, b):
    return (a[0] - b[0], a[1] - b[1], a[2] - b[2])


def add(a, b):
    return (a[0] + b[0], a[1] + b[1], a[2] + b[2])


def scale(a, s):
    return (a[0] * s, a[1] * s, a[2] * s)


def cross(a, b):
    return (a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0])


def dot(a, b):
    return sum(x * y for x, y in zip(a, b))


def normalize(a):
    n = math.sqrt(dot(a, a))
    if n <= 1e-12:
        return (0.0, 1.0, 0.0) if len(a) == 3 else (1.0,) + (0.0,) * (len(a) - 1)
    return tuple(x / n for x in a)


def rot_xyz(rx, ry, rz):
    """Rotation matrix (rows) for R = Rz * Ry * Rx."""
    cx, sx, cy, sy, cz, sz = math.cos(rx), math.sin(rx), math.cos(ry), math.sin(ry), math.cos(rz), math.sin(rz)
    rxm = ((1, 0, 0), (0, cx, -sx), (0, sx, cx))
    rym = ((cy, 0, sy), (0, 1, 0), (-sy, 0, cy))
    rzm = ((cz, -sz, 0), (sz, cz, 0), (0, 0, 1))

    def mul(a, b):
        return tuple(tuple(sum(a[i][k] * b[k][j] for k in range(3)) for j in range(3)) for i in range(3))
    return mul(rzm, mul(rym, rxm))


def apply(m, v):
    return tuple(dot(m[i], v) for i in range(3))


class Mesh:
    def __init__(self):
        self.p, self.t, self.n, self.f = [], [], [], []

    def vert(self, p, uv, n=(0.0, 1.0, 0.0)):
        self.p.append(p)
        self.t.append(uv)
        self.n.append(n)
        return len(self.p) - 1

    def tri(self, a, b, c):
        self.f.append((a, b, c))

    def orient_by_normals(self, first_face=0):
        # Back faces are culled, so every triangle must wind counter-clockwise seen from outside.
        for k in range(first_face, len(self.f)):
            a, b, c = self.f[k]
            fn = cross(sub(self.p[b], self.p[a]), sub(self.p[c], self.p[a]))
            if dot(fn, add(add(self.n[a], self.n[b]), self.n[c])) < 0:
                self.f[k] = (a, c, b)

    def orient_from_centre(self, centre, first_face=0, first_vert=0):
        for k in range(first_face, len(self.f)):
            a, b, c = self.f[k]
            fn = cross(sub(self.p[b], self.p[a]), sub(self.p[c], self.p[a]))
            mid = scale(add(add(self.p[a], self.p[b]), self.p[c]), 1.0 / 3.0)
            if dot(fn, sub(mid, centre)) < 0:
                self.f[k] = (a, c, b)
        self.smooth_normals(first_face, first_vert)

    def smooth_normals(self, first_face, first_vert):
        acc = {i: (0.0, 0.0, 0.0) for i in range(first_vert, len(self.p))}
        for a, b, c in self.f[first_face:]:
            fn = cross(sub(self.p[b], self.p[a]), sub(self.p[c], self.p[a]))
            for i in (a, b, c):
                acc[i] = add(acc[i], fn)
        # Seam copies share a position: give them one normal so no crease shows.
        by_pos = {}
        for i, v in acc.items():
            key = tuple(round(x, 5) for x in self.p[i])
            by_pos[key] = add(by_pos.get(key, (0.0, 0.0, 0.0)), v)
        for i in acc:
            self.n[i] = normalize(by_pos[tuple(round(x, 5) for x in self.p[i])])

    def grid(self, rows, cols, fn):
        """fn(u, v) -> (position, uv, normal); u, v in 0..1; returns nothing, adds quads."""
        base = len(self.p)
        for j in range(rows + 1):
            for i in range(cols + 1):
                self.vert(*fn(i / cols, j / rows))
        for j in range(rows):
            for i in range(cols):
                a = base + j * (cols + 1) + i
                b, c, d = a + 1, a + cols + 2, a + cols + 1
                self.tri(a, b, c)
                self.tri(a, c, d)


def uv_rect(rect, u, v):
    return (rect[0] + (rect[2] - rect[0]) * u, rect[1] + (rect[3] - rect[1]) * v)


def ellipsoid(m, centre, radii, rect, rot=(0, 0, 0), seg=(16, 10), bump=None):
    r = rot_xyz(*rot)
    f0 = len(m.f)

    def at(u, v):
        th, ph = u * 2 * math.pi, (v - 0.5) * math.pi
        d = (math.cos(ph) * math.sin(th), math.sin(ph), math.cos(ph) * math.cos(th))
        k = bump(d) if bump else 1.0
        local = (d[0] * radii[0] * k, d[1] * radii[1] * k, d[2] * radii[2] * k)
        n = normalize((d[0] / radii[0], d[1] / radii[1], d[2] / radii[2]))
        return add(centre, apply(r, local)), uv_rect(rect, u, v), apply(r, n)
    m.grid(seg[1], seg[0], at)
    m.orient_by_normals(f0)


def lathe(m, profile, rect, seg, axis_to_world):
    """profile: list of (height, radius); axis_to_world maps (radial_x, height, radial_z)."""
    f0 = len(m.f)
    normals = []
    for k, (h, r) in enumerate(profile):
        h0, r0 = profile[max(k - 1, 0)]
        h1, r1 = profile[min(k + 1, len(profile) - 1)]
        normals.append(normalize((h1 - h0, -(r1 - r0))))  # (radial, axial)

    def at(u, v):
        k = int(round(v * (len(profile) - 1)))
        h, r = profile[k]
        nr, nh = normals[k]
        th = u * 2 * math.pi
        s, c = math.sin(th), math.cos(th)
        p = axis_to_world((r * s, h, r * c))
        n = axis_to_world((nr * s, nh, nr * c), True)
        return p, uv_rect(rect, u, v), n
    m.grid(len(profile) - 1, seg, at)
    m.orient_by_normals(f0)


def pillow(m, outline, centre2, depth, rings, rect, flat=False):
    """A puffy slab from a closed 2-D outline star-shaped around centre2, in the xy plane."""
    f0, v0 = len(m.f), len(m.p)
    n = len(outline)
    xs = [p[0] for p in outline]
    ys = [p[1] for p in outline]
    bx, by = (min(xs), min(ys)), (max(xs), max(ys))

    def uv_of(x, y):
        return uv_rect(rect, (x - bx[0]) / (by[0] - bx[0]), (y - bx[1]) / (by[1] - bx[1]))
    if flat:
        for side in (1, -1):
            tip = (centre2[0], centre2[1], depth * side)
            for i in range(n):
                a, b = outline[i], outline[(i + 1) % n]
                pa, pb = (a[0], a[1], 0.0), (b[0], b[1], 0.0)
                fn = normalize(cross(sub(pb, tip), sub(pa, tip)))
                if dot(fn, (0, 0, side)) < 0:
                    fn = scale(fn, -1)
                ia = m.vert(tip, uv_of(*centre2), fn)
                ib = m.vert(pa, uv_of(*a), fn)
                ic = m.vert(pb, uv_of(*b), fn)
                m.tri(ia, ib, ic)
        m.orient_by_normals(f0)
        return

    def at(u, v):
        i = int(round(u * n)) % n
        ph = (v - 0.5) * math.pi
        c = math.cos(ph) ** 0.6
        x = centre2[0] + (outline[i][0] - centre2[0]) * c
        y = centre2[1] + (outline[i][1] - centre2[1]) * c
        z = depth * math.sin(ph)
        return (x, y, z), uv_of(x, y), (0.0, 0.0, 1.0)
    m.grid(rings, n, at)
    m.orient_from_centre((centre2[0], centre2[1], 0.0), f0, v0)


def box(m, lo, hi, uv_scale=(1.0, 1.0, 1.0), rect=(0, 0, 1, 1)):
    faces = [((1, 0, 0), 2, 1), ((-1, 0, 0), 2, 1), ((0, 1, 0), 0, 2), ((0, -1, 0), 0, 2),
             ((0, 0, 1), 0, 1), ((0, 0, -1), 0, 1)]
    f0 = len(m.f)
    for n, ua, va in faces:
        corners = []
        for a, b in ((0, 0), (1, 0), (1, 1), (0, 1)):
            p = [0.0, 0.0, 0.0]
            for ax in range(3):
                if n[ax]:
                    p[ax] = hi[ax] if n[ax] > 0 else lo[ax]
            p[ua] = lo[ua] + (hi[ua] - lo[ua]) * a
            p[va] = lo[va] + (hi[va] - lo[va]) * b
            corners.append((tuple(p), uv_rect(rect, a * uv_scale[ua], b * uv_scale[va])))
        idx = [m.vert(p, uv, n) for p, uv in corners]
        m.tri(idx[0], idx[1], idx[2])
        m.tri(idx[0], idx[2], idx[3])
    m.orient_by_normals(f0)


def fmt(x):
    s = "%.5f" % x
    return "0.00000" if s == "-0.00000" else s


def write_obj(folder, name, mesh, texture, extra_maps=(), shininess=32.0):
    os.makedirs(folder, exist_ok=True)
    lines = ["# Meadowhop %s, written by tools/assetgen/generate.py" % name,
             "mtllib %s.mtl" % name, "o %s" % name]
    lines += ["v %s %s %s" % tuple(fmt(c) for c in p) for p in mesh.p]
    lines += ["vt %s %s" % tuple(fmt(c) for c in t) for t in mesh.t]
    lines += ["vn %s %s %s" % tuple(fmt(c) for c in n) for n in mesh.n]
    lines += ["usemtl %s" % name, "s 1"]
    lines += ["f %d/%d/%d %d/%d/%d %d/%d/%d" % sum(((i + 1,) * 3 for i in face), ()) for face in mesh.f]
    with open(os.path.join(folder, name + ".obj"), "w", newline="\n") as f:
        f.write("\n".join(lines) + "\n")
    mtl = ["# Meadowhop %s material" % name, "newmtl %s" % name, "Ka 1.0 1.0 1.0", "Kd 1.0 1.0 1.0",
           "Ks 0.3 0.3 0.3", "Ns %.1f" % shininess, "d 1.0", "illum 2", "map_Kd %s" % texture]
    mtl += ["%s %s" % kv for kv in extra_maps]
    with open(os.path.join(folder, name + ".mtl"), "w", newline="\n") as f:
        f.write("\n".join(mtl) + "\n")


# Atlas columns: v may be flipped by the importer, so regions are full-height strips.
FUR, WHITE, PINK, DARK = (0.02, 0.02, 0.23, 0.98), (0.27, 0.02, 0.48, 0.98), \
    (0.52, 0.02, 0.73, 0.98), (0.77, 0.02, 0.98, 0.98)


def rabbit_mesh():
    m = Mesh()
    # Nose towards +z; feet at -0.17 so the rabbit at y 15 and scale 30 stands on the ground at 10.
    ellipsoid(m, (0, 0.45, -0.05), (0.36, 0.38, 0.52), FUR, rot=(-0.25, 0, 0), seg=(20, 12))
    ellipsoid(m, (0, 0.36, 0.12), (0.25, 0.26, 0.36), WHITE, rot=(-0.3, 0, 0))
    for s in (1, -1):
        ellipsoid(m, (0.2 * s, 0.32, -0.28), (0.19, 0.28, 0.32), FUR)
        ellipsoid(m, (0.24 * s, -0.08, -0.12), (0.1, 0.09, 0.3), FUR, seg=(12, 8))
        ellipsoid(m, (0.14 * s, -0.08, 0.36), (0.08, 0.09, 0.13), WHITE, seg=(12, 8))
        ellipsoid(m, (0.19 * s, 1.03, 0.62), (0.05, 0.07, 0.05), DARK, seg=(10, 6))
        ear_rot = (-0.18, 0, -0.22 * s)
        ellipsoid(m, (0.13 * s, 1.45, 0.3), (0.095, 0.4, 0.045), FUR, rot=ear_rot, seg=(14, 10))
        r = rot_xyz(*ear_rot)
        inner = add((0.13 * s, 1.45, 0.3), apply(r, (0, -0.02, 0.022)))
        ellipsoid(m, inner, (0.06, 0.32, 0.03), PINK, rot=ear_rot, seg=(12, 8))
    ellipsoid(m, (0, 0.96, 0.42), (0.27, 0.26, 0.31), FUR, seg=(18, 12))
    ellipsoid(m, (0, 0.87, 0.66), (0.16, 0.11, 0.11), WHITE, seg=(12, 8))
    ellipsoid(m, (0, 0.94, 0.76), (0.045, 0.035, 0.03), PINK, seg=(8, 6))
    ellipsoid(m, (0, 0.58, -0.6), (0.14, 0.14, 0.12), WHITE, seg=(12, 8),
              bump=lambda d: 1.0 + 0.12 * (noise3(d[0] * 4, d[1] * 4, d[2] * 4, 7) - 0.5))
    return m


def carrot_mesh():
    m = Mesh()
    root = [(-0.25, 0.0), (-0.1, 0.08), (0.2, 0.17), (0.55, 0.27), (0.85, 0.34), (1.0, 0.33), (1.06, 0.2),
            (1.08, 0.0)]
    lathe(m, root, (0.02, 0.02, 0.48, 0.98), 14, lambda p, n=False: p)
    leaf = (0.52, 0.02, 0.98, 0.98)
    for k in range(5):
        a = k * 2 * math.pi / 5
        tilt = 0.35 if k % 2 else 0.2
        c = (math.sin(a) * 0.1, 1.28, math.cos(a) * 0.1)
        ellipsoid(m, c, (0.07, 0.26, 0.025), leaf, rot=(tilt * math.cos(a), a, -tilt * math.sin(a)),
                  seg=(8, 6))
    return m


def heart_mesh():
    m = Mesh()
    pts = []
    n = 48
    # The curve spans x -16..16 and y -17..11.9; at scale (20, 21, 20) every
    # point stays within 28.6 of the pickup's centre, inside its radius of 30.
    k = 0.042
    for i in range(n):
        t = i * 2 * math.pi / n
        x = 16 * math.sin(t) ** 3
        y = 13 * math.cos(t) - 5 * math.cos(2 * t) - 2 * math.cos(3 * t) - math.cos(4 * t)
        # 0.1..1.31 in y, so the heart floats just above the ground.
        pts.append((x * k, (y + 17) * k + 0.1))
    pillow(m, pts, (0.0, (-3 + 17) * k + 0.1), 0.3, 10, (0.02, 0.02, 0.98, 0.98))
    # The game turns the heart by 90 radians about y; turned back here first,
    # its face still looks down the path at the player.
    turn = -math.fmod(90.0, 2 * math.pi)
    c, s = math.cos(turn), math.sin(turn)
    m.p = [(x * c + z * s, y, -x * s + z * c) for x, y, z in m.p]
    m.n = [(x * c + z * s, y, -x * s + z * c) for x, y, z in m.n]
    return m


def stone_mesh():
    m = Mesh()

    def bump(d):
        return 0.8 + 0.45 * fbm3(d[0] * 1.6 + 3, d[1] * 1.6, d[2] * 1.6, 11, 3)
    ellipsoid(m, (0, 0, 0), (1, 1, 1), (0.02, 0.02, 0.98, 0.98), seg=(18, 12), bump=bump)
    # Rescale to the fit: x -5.3..5.3, y -1..16, z -5..5 (reasons in the asset README).
    lo = [min(p[a] for p in m.p) for a in range(3)]
    hi = [max(p[a] for p in m.p) for a in range(3)]
    want = ((-5.3, 5.3), (-1.0, 16.0), (-5.0, 5.0))
    k = [(want[a][1] - want[a][0]) / (hi[a] - lo[a]) for a in range(3)]
    m.p = [tuple(want[a][0] + (p[a] - lo[a]) * k[a] for a in range(3)) for p in m.p]
    m.orient_from_centre((0.0, 7.5, 0.0))
    return m


def star_mesh():
    m = Mesh()
    pts = []
    for i in range(10):
        a = math.pi / 2 + i * math.pi / 5
        r = 1.0 if i % 2 == 0 else 0.45
        pts.append((math.cos(a) * r, math.sin(a) * r))
    pillow(m, pts, (0.0, 0.0), 0.25, 0, (0.0, 0.0, 1.0, 1.0), flat=True)
    return m


def trunk_mesh():
    m = Mesh()
    length, radius, cy = 140.0, 20.0, 20.0
    prof = [(-length / 2, 0.0), (-length / 2, radius * 0.96)]
    steps = 8
    for k in range(steps + 1):
        h = -length / 2 + length * k / steps
        prof.append((h, radius * (1.0 + 0.04 * (hash01(5, k) - 0.5))))
    prof += [(length / 2, radius * 0.96), (length / 2, 0.0)]

    def to_world(p, is_normal=False):
        # The lathe's axis becomes x; the log's centre is 20 up so it rests on y 0 locally.
        x, y, z = p[1], p[0], p[2]
        return (x, y, z) if is_normal else (x, y + cy, z)
    bark = (0.02, 0.02, 0.48, 0.98)
    lathe(m, prof[1:-1], bark, 16, to_world)
    for side in (-1, 1):
        f0 = len(m.f)
        centre = m.vert((side * length / 2, cy, 0.0), (0.75, 0.5), (side, 0.0, 0.0))
        ring = []
        for i in range(17):
            th = i * 2 * math.pi / 16
            r = prof[1][1]
            ring.append(m.vert((side * length / 2, cy + r * math.sin(th), r * math.cos(th)),
                               (0.75 + 0.23 * math.cos(th), 0.5 + 0.46 * math.sin(th)), (side, 0.0, 0.0)))
        for i in range(16):
            m.tri(centre, ring[i], ring[i + 1])
        m.orient_by_normals(f0)
    return m


def meadow_mesh():
    m = Mesh()
    x0, x1, z0, z1 = -16.0, 11.0, -34.0, 207.0

    def at(u, v):
        x, z = x0 + (x1 - x0) * u, z0 + (z1 - z0) * v
        # One texture repeat per 5 model units, 200 world units.
        return (x, 0.0, z), (x / 5.0, z / 5.0), (0.0, 1.0, 0.0)
    # Two triangles: the meadow is flat and its UVs linear, so a finer grid
    # changes the picture only by rounding, while the rasteriser shades the
    # blocks along every inner edge twice and the importer reads every face.
    m.grid(1, 1, at)
    m.orient_by_normals()
    return m


def wall_mesh():
    m = Mesh()
    for side in (1, -1):
        f0 = len(m.f)
        q = []
        for a, b in ((0, 0), (1, 0), (1, 1), (0, 1)):
            x = (a * 2 - 1) * side
            q.append(m.vert((float(x), float(b * 2 - 1), 0.0), (float(a), float(b)), (0.0, 0.0, float(side))))
        m.tri(q[0], q[1], q[2])
        m.tri(q[0], q[2], q[3])
        m.orient_by_normals(f0)
    return m


def tunnel_mesh():
    m = Mesh()
    # Local x becomes world -z (x400), y world y (x70), z world x (x200); UVs repeat per 100 world units.
    box(m, (-1.0, 0.0, -0.1), (1.0, 2.0, 0.1), uv_scale=(8.0, 1.4, 0.4))
    return m


def cube_mesh():
    m = Mesh()
    box(m, (-1.0, -1.0, -1.0), (1.0, 1.0, 1.0))
    return m


# ---------------------------------------------------------------- textures


def column_atlas(size, columns, seed):
    """columns: list of (base rgb, variation rgb, noise cells) as full-height strips."""
    img = Image(size, size)
    noise = TileNoise(size, 4, 4, seed)
    cw = size // len(columns)
    for y in range(size):
        for x in range(size):
            base, var = columns[min(x // cw, len(columns) - 1)][:2]
            n = noise.fbm(x, y) - 0.5
            img.set(x, y, tuple(b + v * n for b, v in zip(base, var)))
    return img


def rabbit_texture():
    img = column_atlas(128, [((0.55, 0.45, 0.36), (0.5, 0.42, 0.34)), ((0.93, 0.92, 0.9), (0.12, 0.12, 0.12)),
                             ((0.92, 0.62, 0.66), (0.15, 0.1, 0.1)), ((0.08, 0.06, 0.06), (0.05, 0.05, 0.05))], 21)
    # Fur streaks in the brown strip.
    for y in range(128):
        for x in range(32):
            if hash01(31, x, y // 3) > 0.8:
                r, g, b = img.get(x, y)
                img.set(x, y, (r * 0.85 / 255, g * 0.85 / 255, b * 0.85 / 255))
    return img


def carrot_texture():
    img = column_atlas(128, [((0.95, 0.48, 0.1), (0.25, 0.15, 0.08)), ((0.25, 0.62, 0.18), (0.25, 0.3, 0.1))], 22)
    for y in range(128):
        if y % 16 in (0, 1):
            for x in range(64):
                r, g, b = img.get(x, y)
                img.set(x, y, (r * 0.78 / 255, g * 0.7 / 255, b * 0.7 / 255))
    return img


def plain_texture(base, var, seed, size=64):
    return column_atlas(size, [(base, var)], seed)


def bark_texture():
    size = 256
    img = Image(size, size)
    streak = TileNoise(size, 2, 4, 41, stretch=(4, 1))
    for y in range(size):
        for x in range(size):
            if x < size // 2:
                n = streak.fbm(x * 2 % size, y)
                groove = 0.55 + 0.45 * math.sin(n * 40.0)
                c = mix((0.22, 0.14, 0.08), (0.45, 0.32, 0.2), groove * 0.8 + 0.2 * hash01(42, x, y))
            else:
                dx, dy = (x - size * 0.75) / (size * 0.23), (y - size * 0.5) / (size * 0.46)
                r = math.sqrt(dx * dx + dy * dy)
                ring = 0.5 + 0.5 * math.cos(r * 40.0 + 3 * streak.fbm(x, y))
                c = mix((0.62, 0.47, 0.3), (0.78, 0.63, 0.42), ring) if r < 0.93 else (0.3, 0.2, 0.12)
            img.set(x, y, c)
    return img


def grass_texture():
    size = 512
    img = Image(size, size)
    patches = TileNoise(size, 2, 3, 51)
    fine = TileNoise(size, 16, 3, 52)
    blades = TileNoise(size, 32, 2, 53, stretch=(1, 3))
    for y in range(size):
        for x in range(size):
            p = patches.fbm(x, y)
            f = fine.fbm(x, y)
            b = blades.fbm(x, y)
            c = mix((0.2, 0.42, 0.1), (0.42, 0.62, 0.2), smooth(min(1.0, max(0.0, p * 1.6 - 0.3))))
            c = mix(c, (0.5, 0.55, 0.22), max(0.0, f - 0.62) * 1.5)
            k = 0.8 + 0.4 * b
            c = (c[0] * k, c[1] * k, c[2] * k)
            h = ihash(54, x // 3, y // 3)
            if h % 997 < 2:
                c = (0.95, 0.92, 0.45) if h & 1 else (0.95, 0.95, 0.95)
            img.set(x, y, c)
    return img


BRICK_W, BRICK_H, MORTAR = 64, 32, 4


def brick_height(x, y, size):
    row = y // BRICK_H
    off = (BRICK_W // 2) * (row % 2)
    bx = (x + off) % BRICK_W
    by = y % BRICK_H
    d = min(bx, BRICK_W - 1 - bx, by, BRICK_H - 1 - by) - MORTAR / 2.0
    if d < 0:
        return 0.0, row, (x + off) // BRICK_W % (size // BRICK_W)
    return min(1.0, 0.35 + d / 3.0), row, (x + off) // BRICK_W % (size // BRICK_W)


def brick_textures():
    size = 512
    col = Image(size, size)
    nrm = Image(size, size)
    rough = TileNoise(size, 16, 3, 61)
    heights = [[0.0] * size for _ in range(size)]
    for y in range(size):
        for x in range(size):
            h, row, bi = brick_height(x, y, size)
            n = rough.fbm(x, y)
            heights[y][x] = h + (0.15 * n if h > 0 else 0.05 * n)
            if h > 0:
                tint = hash01(62, row, bi)
                c = mix((0.55, 0.2, 0.13), (0.72, 0.35, 0.22), tint)
                k = 0.82 + 0.36 * n
                col.set(x, y, (c[0] * k, c[1] * k, c[2] * k))
            else:
                g = 0.62 + 0.2 * n
                col.set(x, y, (g, g * 0.97, g * 0.92))
    for y in range(size):
        for x in range(size):
            dx = heights[y][(x + 1) % size] - heights[y][(x - 1) % size]
            dy = heights[(y + 1) % size][x] - heights[(y - 1) % size][x]
            # Rows run down the wall while the shader's bitangent points up: green is +dh/drow.
            n = normalize((-dx * 2.0, dy * 2.0, 1.0))
            nrm.set(x, y, tuple(0.5 + 0.5 * c for c in n))
    return col, nrm


def wood_textures():
    size = 256
    wood = Image(size, size)
    specular = Image(size, size)
    grain = TileNoise(size, 2, 4, 71, stretch=(1, 4))
    border = 18
    for y in range(size):
        for x in range(size):
            edge = min(x, y, size - 1 - x, size - 1 - y)
            if edge < border:
                m = 0.55 + 0.15 * math.sin(edge * 0.6) + 0.1 * hash01(72, x, y)
                rivet = any(abs(x - cx) < 5 and abs(y - cy) < 5
                            for cx in (9, size - 10) for cy in (9, size - 10))
                wood.set(x, y, (m, m, m * 1.05) if not rivet else (0.3, 0.3, 0.32))
                s = 0.85 + 0.15 * hash01(73, x, y)
                specular.set(x, y, (s, s, s))
                continue
            plank = (y - border) // ((size - 2 * border) // 4)
            py = (y - border) % ((size - 2 * border) // 4)
            g = grain.fbm(x, (y + plank * 37) % size)
            ring = 0.5 + 0.5 * math.sin(g * 30.0 + plank)
            c = mix((0.42, 0.26, 0.12), (0.66, 0.46, 0.24), ring * 0.7 + 0.3 * hash01(74, plank, 0))
            if py < 3:
                c = (0.16, 0.09, 0.04)
            wood.set(x, y, c)
            s = 0.05 if py < 3 else 0.12 + 0.1 * ring
            specular.set(x, y, (s, s, s))
    return wood, specular


def star_texture():
    size = 64
    img = Image(size, size)
    for y in range(size):
        for x in range(size):
            r = math.hypot(x - 31.5, y - 31.5) / 32.0
            img.set(x, y, mix((1.0, 0.97, 0.6), (0.98, 0.75, 0.1), min(1.0, r)))
    return img


# ---------------------------------------------------------------- sky

SKY_FACES = [  # (file, direction from face coordinates sc, tc), GL cube-map convention.
    ("left.jpg", lambda s, t: (1.0, -t, -s)),
    ("right.jpg", lambda s, t: (-1.0, -t, s)),
    ("top.jpg", lambda s, t: (s, 1.0, t)),
    ("bottom.jpg", lambda s, t: (s, -1.0, -t)),
    ("back.jpg", lambda s, t: (s, -t, 1.0)),
    ("front.jpg", lambda s, t: (-s, -t, -1.0)),
]


def sky_colour(d):
    d = normalize(d)
    e = d[1]
    if e < 0:
        g = min(1.0, -e * 4.0)
        return mix((0.62, 0.72, 0.6), (0.28, 0.42, 0.18), g)
    c = mix((0.8, 0.88, 0.96), (0.22, 0.45, 0.86), min(1.0, e ** 0.55))
    if e > 0.02:
        n = fbm3(d[0] * 3.0, d[1] * 3.0 + 0.7, d[2] * 3.0, 81, 4)
        cloud = smooth(min(1.0, max(0.0, (n - 0.52) * 4.0))) * min(1.0, (e - 0.02) * 6.0)
        c = mix(c, (0.97, 0.97, 0.98), cloud * 0.9)
    return c


def sky_face(fn, size):
    img = Image(size, size)
    for j in range(size):
        t = 2.0 * (j + 0.5) / size - 1.0
        for i in range(size):
            s = 2.0 * (i + 0.5) / size - 1.0
            img.set(i, j, sky_colour(fn(s, t)))
    return img


# ---------------------------------------------------------------- film


def film_background(size):
    img = Image(size, size)
    for y in range(size):
        for x in range(size):
            if y < size * 0.7:
                img.set(x, y, mix((0.5, 0.72, 0.95), (0.85, 0.93, 1.0), y / (size * 0.7)))
            else:
                k = 0.85 + 0.15 * hash01(91, x // 2, y // 2)
                img.set(x, y, (0.3 * k, 0.62 * k, 0.2 * k))
    return img


def film_frame(bg, phase):
    size = bg.w
    img = Image(size, size)
    img.px[:] = bg.px
    ground = size * 0.78
    # Three hops per loop; squash on landing.
    hop = abs(math.sin(phase * 3 * math.pi))
    # At the top of a hop the leaves still clear the image's upper edge.
    lift = hop * size * 0.25
    squash = 1.0 + 0.25 * max(0.0, 0.3 - hop)
    sway = math.sin(phase * 2 * math.pi) * size * 0.18
    cx = size * 0.5 + sway
    tip_y = ground - lift
    height = size * 0.36 / squash
    half_w = size * 0.09 * squash
    top_y = tip_y - height
    # Sun rays turn one ray spacing per loop, so the last frame leads into the first.
    sun = (size * 0.82, size * 0.16)
    rot = phase * 2 * math.pi / 8
    for y in range(size):
        for x in range(size):
            c = None
            dx, dy = x - sun[0], y - sun[1]
            r = math.hypot(dx, dy)
            if r < size * 0.08:
                c = (1.0, 0.9, 0.35)
            elif r < size * 0.2 and y < ground and math.cos(8 * (math.atan2(dy, dx) - rot)) > 0.6:
                c = mix((1.0, 0.92, 0.5), img_rgb(img, x, y), min(1.0, r / (size * 0.2)))
            sh = ((x - cx) / (half_w * (1.4 - 0.5 * hop))) ** 2 + ((y - ground) / (size * 0.025)) ** 2
            if sh < 1.0:
                c = mix(img_rgb(img, x, y), (0.1, 0.2, 0.05), 0.5 * (1.0 - 0.6 * hop))
            if top_y <= y <= tip_y:
                w = half_w * (tip_y - y) / height
                if abs(x - cx) < w:
                    stripe = 0.85 if int((y - top_y) / (size * 0.05)) % 2 else 1.0
                    shade = 1.0 - 0.35 * max(0.0, (x - cx) / max(w, 1e-3))
                    c = (0.98 * stripe * shade, 0.5 * stripe * shade, 0.08)
            if top_y - size * 0.14 <= y < top_y:
                ly = (top_y - y) / (size * 0.14)
                for k in (-1, 0, 1):
                    lx = cx + k * ly * size * 0.07
                    if abs(x - lx) < size * 0.025 * (1.0 - ly * 0.6):
                        c = (0.2, 0.65, 0.2) if k else (0.25, 0.75, 0.25)
            if c is not None:
                img.set(x, y, c)
    return img


def img_rgb(img, x, y):
    return tuple(v / 255.0 for v in img.get(x, y))


# ---------------------------------------------------------------- main


def main():
    if len(sys.argv) != 2:
        print("usage: generate.py <asset folder>")
        return 2
    out = sys.argv[1]
    obj = os.path.join(out, "objects")
    jpeg = JpegBatch()

    write_obj(os.path.join(obj, "map"), "grass", meadow_mesh(), "grass.jpg", shininess=8.0)
    jpeg.add(os.path.join(obj, "map", "grass.jpg"), grass_texture())

    write_obj(os.path.join(obj, "rabbit"), "rabbit", rabbit_mesh(), "rabbit.png", shininess=16.0)
    write_png(os.path.join(obj, "rabbit", "rabbit.png"), rabbit_texture())

    write_obj(os.path.join(obj, "carrot"), "carrot", carrot_mesh(), "carrot.png")
    write_png(os.path.join(obj, "carrot", "carrot.png"), carrot_texture())

    write_obj(os.path.join(obj, "heart"), "heart", heart_mesh(), "heart.png", shininess=64.0)
    write_png(os.path.join(obj, "heart", "heart.png"), plain_texture((0.88, 0.12, 0.16), (0.2, 0.05, 0.05), 23))

    write_obj(os.path.join(obj, "stone"), "stone", stone_mesh(), "stone.png", shininess=8.0)
    write_png(os.path.join(obj, "stone", "stone.png"), plain_texture((0.55, 0.54, 0.52), (0.5, 0.5, 0.48), 24, 128))

    write_obj(os.path.join(obj, "star"), "star", star_mesh(), "star.png", shininess=64.0)
    write_png(os.path.join(obj, "star", "star.png"), star_texture())

    write_obj(os.path.join(obj, "hindernis"), "stamm", trunk_mesh(), "bark.png", shininess=8.0)
    write_png(os.path.join(obj, "hindernis", "bark.png"), bark_texture())

    wood, specular = wood_textures()
    write_obj(os.path.join(obj, "cube"), "cube", cube_mesh(), "woodTexture.png",
              extra_maps=[("map_Ks", "cube_specular.png")])
    write_png(os.path.join(obj, "cube", "woodTexture.png"), wood)
    write_png(os.path.join(obj, "cube", "cube_specular.png"), specular)

    # The mesh draw binds its own maps on units 0 and 1, so they must be the bricks the game binds.
    bricks, normals = brick_textures()
    bump = [("map_bump", "brickwall_normal_test.jpg")]
    write_obj(os.path.join(obj, "wall"), "wall", wall_mesh(), "brickwall.jpg", extra_maps=bump)
    write_obj(os.path.join(obj, "tunnel"), "wall", tunnel_mesh(), "brickwall.jpg", extra_maps=bump)
    for folder in ("wall", "tunnel"):
        jpeg.add(os.path.join(obj, folder, "brickwall.jpg"), bricks)
        jpeg.add(os.path.join(obj, folder, "brickwall_normal_test.jpg"), normals)

    os.makedirs(os.path.join(obj, "skybox"), exist_ok=True)
    for name, fn in SKY_FACES:
        jpeg.add(os.path.join(obj, "skybox", name), sky_face(fn, 256))

    frames = os.path.join(out, "frames")
    os.makedirs(frames, exist_ok=True)
    # Sides a power of two, like every other texture: on Mesa's llvmpipe the
    # first mipmap chain of any other size compiles a program of its own,
    # about 70 ms of start-up.
    bg = film_background(256)
    for k in range(1, 73):
        jpeg.add(os.path.join(frames, "frame%d.jpg" % k), film_frame(bg, (k - 1) / 72.0))

    jpeg.finish()
    return 0


if __name__ == "__main__":
    sys.exit(main())
