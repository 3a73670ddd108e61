#!/usr/bin/env python3
"""Plays a route through meadowhop-sim and checks how the game ends.

  check_trace.py SIM ROUTE win|lose   the committed routes
  check_trace.py SIM --scripts        trace layout, skipped lines, key parsing; bad scripts get status 2
  check_trace.py SIM --rates          edges and stops hold from 10 to 500 frames a second
"""
import subprocess
import sys

HEADER = "frame lives time carrots x y z facing camx camy camz ended end"


def run(sim, script):
    return subprocess.run([sim], input=script, capture_output=True, text=True, timeout=120)


def rows_of(result):
    """The trace's lines split into fields; their layout is --scripts'."""
    if result.returncode != 0:
        sys.exit("simulator exited with %d: %s" % (result.returncode, result.stderr))
    lines = result.stdout.splitlines()
    if lines[:1] != [HEADER]:
        sys.exit("trace header is %r" % (lines[:1],))
    return [line.split() for line in lines[1:]]


# The frame each route is decided on, with its figures at 60 frames a second.
# What happens after it is the frame-loop GL test's (the real loop's trace
# against the simulator's, frame by frame, and the last frame's end drawn)
# and the logic tests' (nothing walks once the game has ended).
DECIDED = {
    "win": "1602 3 33.3004074 8 82.0000153 20 2241 3.14159274 82.0000153 200 2918.5 1 win",
    "lose": "954 0 0 1 1.50000048 15 5800.5 3.14159274 1.50000048 200 6400.5 1 lose",
}


def check_route(sim, route, expected):
    with open(route) as f:
        rows = rows_of(run(sim, f.read()))
    decided = next((" ".join(r) for r in rows if r[12] == expected), None)
    if decided != DECIDED[expected]:
        sys.exit("route decided on %r, expected %r" % (decided, DECIDED[expected]))


def check_scripts(sim):
    result = run(sim, "# a comment\n\n0.0166666667 W\n   \n0.5 W+D\n0.0166666667 SPACE\n0 -\r\n")
    rows = rows_of(result)
    expect = [
        "1 3 59.9833336 0 -100 15 7396.5 3.14159274 -100 200 7996.5 0 none",
        # 0.5 s holds 29 whole countdown steps in float; the rest waits for the next frame.
        "2 3 59.5000076 0 5 15 7291.5 2.3561945 4.99999237 200 7891.5 0 none",
    ]
    got = result.stdout.splitlines()[1:3]
    if result.stderr or len(rows) != 4 or got != expect:
        sys.exit("expected 4 frames from %r and no message; got %d from %r and %r"
                 % (expect, len(rows), got, result.stderr))
    malformed = {
        "0.0166666667 W\n0.0166666667 Q\n": 2,
        "0.0166666667 W\n# fine\n\nabc W\n": 4,
        "0.0166666667\n": 1,
        "0.0166666667 W extra\n": 1,
        "-0.1 W\n": 1,
        "nan W\n": 1,
        "0.1 W++A\n": 1,
        "0.1 w\n": 1,
        "0.1 W+\n": 1,
        "1e-999 W\n": 1,
    }
    for script, line in malformed.items():
        result = run(sim, script)
        if result.returncode != 2 or ("line %d:" % line) not in result.stderr or result.stdout:
            sys.exit("%r: expected exit 2, a message naming line %d and no trace; got %d, %r and %r"
                     % (script, line, result.returncode, result.stderr, result.stdout))


RATES = (10, 20, 30, 45, 60, 90, 144, 240, 500)


def hold(sim, fps, key, seconds):
    result = run(sim, ("%r %s\n" % (1.0 / fps, key)) * round(fps * seconds))
    return [[float(f) for f in r[1:11]] for r in rows_of(result)]


def check_rates(sim):
    """Held against an edge or walked into the small stone ahead of the start,
    the rabbit ends where it ends at 60 frames a second, give or take one
    frame's walk, and never gets further than one frame's walk past the limit."""
    for fps in RATES:
        step = 210.0 / fps + 0.01
        right = [r[3] for r in hold(sim, fps, "D", 6)]
        left = [r[3] for r in hold(sim, fps, "A", 6)]
        ahead = hold(sim, fps, "W", 20)
        # At 60 the stone finds the rabbit between z 7178.5 and 7175 and it
        # gets no nearer than 7174.5; a frame's push-back is 600 / fps.
        nearest = min(r[5] for r in ahead)
        for held, ok in (
                ("the right edge let the rabbit to x %g (max %g)" % (right[-1], max(right)),
                 244.9 <= right[-1] <= 250.01 and max(right) <= 250 + step),
                ("the left edge let the rabbit to x %g (min %g)" % (left[-1], min(left)),
                 -487.01 <= left[-1] <= -484.9 and min(left) >= -487 - step),
                ("the stone ahead let the rabbit to z %g (nearest %g), lives %g" % (ahead[-1][5], nearest, ahead[-1][0]),
                 ahead[-1][0] == 3 and nearest >= 7174.5 - step and ahead[-1][5] <= 7178.5 + 600.0 / fps + step)):
            if not ok:
                sys.exit("at %d frames a second %s" % (fps, held))


def main():
    checks = {"--scripts": check_scripts, "--rates": check_rates}
    if len(sys.argv) == 3 and sys.argv[2] in checks:
        checks[sys.argv[2]](sys.argv[1])
    elif len(sys.argv) == 4 and sys.argv[3] in DECIDED:
        check_route(*sys.argv[1:])
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
