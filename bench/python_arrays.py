#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""A compiled formula on NumPy arrays of a million points beside numexpr (on one thread, as our
evaluation runs) and plain NumPy, timed in turns, median of the rounds. Prints a Markdown table.

    MORVANE_LIBRARY=build/linux/src/exports/libmorvane.so.0 PYTHONPATH=python \\
        /usr/bin/python3 bench/python_arrays.py

(Debian's python3-numpy and python3-numexpr; scripts/install-deps.sh installs both.)"""

import statistics
import sys
import time

import numexpr
import numpy

import morvane

POINTS = 1_000_000
ROUNDS = 15

# (our text, numexpr's text, the NumPy expression)
CASES = [
    ("x^2*sin(x)", "x**2*sin(x)", lambda x, y: x**2 * numpy.sin(x)),
    ("x*x+y*y-2*x*y+3.25*x/y", "x*x+y*y-2*x*y+3.25*x/y", lambda x, y: x * x + y * y - 2 * x * y + 3.25 * x / y),
]


def median_ms(run):
    times = []
    for _ in range(ROUNDS):
        start = time.perf_counter()
        run()
        times.append(time.perf_counter() - start)
    return statistics.median(times) * 1e3


def main():
    numexpr.set_num_threads(1)
    x = numpy.linspace(0.5, 3.5, POINTS)
    y = 1.0 + (numpy.arange(POINTS) % 1000) / 1000.0
    print("| formula | ours ms | numexpr ms | NumPy ms | ours speed / numexpr | ours speed / NumPy |")
    print("|---|---:|---:|---:|---:|---:|")
    with morvane.Evaluator() as ev:
        for ours, numexpr_text, plain in CASES:
            formula = ev.compile(ours, "x", "y")
            # The same numbers, or the comparison means nothing.
            arrays = {"x": x, "y": y}
            if not numpy.allclose(formula(x, y), numexpr.evaluate(numexpr_text, local_dict=arrays), rtol=1e-12):
                sys.exit("%s: the three disagree" % ours)
            sides = [lambda: formula(x, y), lambda: numexpr.evaluate(numexpr_text, local_dict=arrays), lambda: plain(x, y)]
            # In turns, so that a busy moment of the machine falls on all three alike.
            rounds = [[median_ms(side) for side in sides] for _ in range(3)]
            ms = [min(r[i] for r in rounds) for i in range(3)]
            print("| `%s` | %.2f | %.2f | %.2f | %.2fx | %.2fx |"
                  % (ours, ms[0], ms[1], ms[2], ms[1] / ms[0], ms[2] / ms[0]))
    print("\n%d points, numexpr %s on %d thread, NumPy %s; the best of 3 medians of %d runs each."
          % (POINTS, numexpr.__version__, 1, numpy.__version__, ROUNDS))


if __name__ == "__main__":
    main()
