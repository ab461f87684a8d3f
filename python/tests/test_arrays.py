# SPDX-License-Identifier: MIT
# Compiled formulas at the points of NumPy arrays, where NumPy is installed.
import math

import pytest

from morvane import Evaluator, MorvaneError

numpy = pytest.importorskip("numpy")


@pytest.fixture
def ev():
    with Evaluator() as evaluator:
        yield evaluator


def test_arrays_give_each_points_value_bit_for_bit(ev):
    f = ev.compile("x^2*sin(x) + y", "x", "y")
    xs = numpy.linspace(-3, 3, 1001)
    ys = numpy.arange(1001) % 7  # integers, converted
    results = f(xs, y=ys)
    assert results.dtype == numpy.float64 and results.shape == xs.shape
    assert [float(r) for r in results[::97]] == [f(float(x), float(y)) for x, y in zip(xs[::97], ys[::97])]
    # A number broadcasts against an array, and shapes are kept.
    grid = f(xs.reshape(7, 143), 0.5)
    assert grid.shape == (7, 143) and grid[6, 142] == f(3.0, 0.5)


def test_other_layouts_are_converted_and_other_kinds_refused(ev):
    f = ev.compile("x + y", "x", "y")
    strided = numpy.arange(10, dtype=numpy.float32)[::3]  # not contiguous, not float64
    assert list(f(strided, numpy.float64(1))) == [1.0, 4.0, 7.0, 10.0]
    assert f(numpy.array([], dtype=float), 1.0).shape == (0,)
    with pytest.raises(TypeError, match="real numbers"):
        f(numpy.array([1j]), 0)
    with pytest.raises(ValueError, match="shapes"):
        f(numpy.zeros(3), numpy.zeros(4))
    with pytest.raises(TypeError, match="missing: y"):
        f(numpy.zeros(3))


def test_a_failing_point_is_named(ev):
    f = ev.compile("1/(x - 2)", "x")
    with pytest.raises(MorvaneError) as caught:
        f(numpy.arange(5.0))
    assert caught.value.index == 2 and "at point 2" in str(caught.value)
    with pytest.raises(MorvaneError, match="not a finite number"):
        f(numpy.array([0.0, math.nan]))
    # The formula's own value is not touched by an evaluation at many points.
    assert f(3) == 1.0
    f(numpy.arange(3.0, 5.0))
    assert f() == 1.0
