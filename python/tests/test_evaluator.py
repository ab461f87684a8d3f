# SPDX-License-Identifier: MIT
# The package against the built library; MORVANE_LIBRARY names it.
import ctypes
import ctypes.util
import gc
import math
import random

import pytest

import morvane
from morvane import Evaluator, MorvaneError, _native


@pytest.fixture
def ev():
    with Evaluator() as evaluator:
        yield evaluator


def test_eval_reads_numbers_and_rejects_what_is_not_text(ev):
    assert ev.eval("2*sin(pi/4)") == pytest.approx(math.sqrt(2))
    assert ev.eval("&FF + !1010") == 265
    with pytest.raises(TypeError):
        ev.eval(b"1+1")
    with pytest.raises(TypeError):
        ev.set_variable("a", "1")
    with pytest.raises(ValueError):
        ev.eval("1\0+1")
    assert morvane.library_version().split(".")[0] == str(_native.MAJOR)


def test_settings_are_chosen_by_name_and_fixed():
    with Evaluator() as ev:
        assert (ev.numbers, ev.spelling) == ("double", "programmer")
    with Evaluator(numbers="classic") as ev:
        assert (ev.numbers, ev.spelling) == ("classic", "programmer")
        with pytest.raises(AttributeError):
            ev.numbers = "double"
    with pytest.raises(ValueError, match="'double', 'classic'"):
        Evaluator(numbers="single")
    with pytest.raises(ValueError, match="'programmer', 'classic'"):
        Evaluator(spelling=1)
    with pytest.raises(TypeError):
        Evaluator("classic")


def test_double_numbers_keep_every_bit(ev):
    h = 6.626e-34
    ev.set_variable("h", h)
    assert ev.get_variable("h") == h
    assert ev.eval("h*2") == h * 2
    assert ev.compile("x*2", "x")(1e-11) == 2e-11
    assert ev.eval("1e5") == 1e5
    assert ev.eval("2.5e-3") == ev.eval("2.5E-3") == 2.5e-3
    assert ev.eval("0.1 + 0.2") == 0.1 + 0.2
    assert ev.eval("pi") == math.pi
    assert ev.eval("e") == math.e
    for name in ("log", "log10", "log2", "atan", "tanh", "asinh"):
        assert ev.eval("%s(1.7)" % name) == getattr(math, name)(1.7), name
    assert ev.eval("sin(1)") == math.sin(1)
    assert ev.eval("sqrt(2)") == math.sqrt(2)
    assert ev.eval("exp(1)") == math.exp(1)
    with pytest.raises(MorvaneError) as caught:
        ev.eval("exp(1000)")
    assert caught.value.code == morvane.OVERFLOW


def test_programmer_spelling(ev):
    assert ev.eval("min(1, 2, 3)") == 1
    assert ev.eval("max(1; 2; 3)") == 3
    assert ev.eval("atan2(1, 2)") == math.atan2(1, 2)
    assert ev.eval("pow(2, 0.5)") == math.pow(2, 0.5)
    comparisons = ("2 == 2", "2 == 3", "2 != 3", "1 < 2 && 2 < 1", "1 < 2 || 2 < 1", "3 = 3",
                   "3 <> 3")
    assert [ev.eval(text) for text in comparisons] == [1, 0, 1, 0, 1, 1, 0]
    assert [ev.eval(text) for text in ("floor(-2.5)", "ceil(2.1)", "round(2.5)")] == [-3, 3, 3]


def test_unknown_names_are_told_apart(ev):
    with pytest.raises(MorvaneError) as caught:
        ev.eval("2*nosuch")
    assert caught.value.code == morvane.UNDEFINED_VARIABLE
    assert caught.value.message == "Unknown variable 'nosuch'"
    with pytest.raises(MorvaneError) as caught:
        ev.eval("nosuch(2)")
    assert caught.value.code == morvane.UNDEFINED_FUNCTION
    assert caught.value.message == "Unknown function 'nosuch'"


def _libm_hypot():
    # math.hypot is Python's own, more careful than the C library's, which the library uses.
    libm = ctypes.CDLL(ctypes.util.find_library("m") or None)
    hypot = libm.hypot
    hypot.restype = ctypes.c_double
    hypot.argtypes = (ctypes.c_double, ctypes.c_double)
    return hypot


def test_compiled_formulas_compute_what_python_computes():
    hypot = _libm_hypot()
    # Each Python twin writes the same operations in the same order, so every rounding matches.
    formulas = [
        ("x*y + sin(x) - sqrt(abs(y))/3.5",
         lambda x, y: x * y + math.sin(x) - math.sqrt(abs(y)) / 3.5, (-1e6, 1e6)),
        ("pow(x, 2.5) + atan2(y, x)", lambda x, y: math.pow(x, 2.5) + math.atan2(y, x), (0, 1e3)),
        ("hypot(x, y) * exp(-x)", lambda x, y: hypot(x, y) * math.exp(-x), (-300, 300)),
        ("(x - y)/(x + y)*cos(y) + log(abs(x)) - x^3",
         lambda x, y: (x - y) / (x + y) * math.cos(y) + math.log(abs(x)) - x**3, (-1e4, 1e4)),
    ]
    rng = random.Random(20240611)
    with Evaluator() as ev:
        for text, twin, (low, high) in formulas:
            formula = ev.compile(text, "x", "y")
            for _ in range(300):
                x, y = rng.uniform(low, high), rng.uniform(low, high)
                # Small magnitudes too, where a rounding to decimals would show at once.
                if rng.random() < 0.3:
                    x, y = x * 1e-9, y * 1e-9
                expected = twin(x, y)
                assert formula(x, y) == expected, (text, x, y)
                ev.set_variable("x", x)
                ev.set_variable("y", y)
                assert ev.eval(text) == expected, (text, x, y)


def test_classic_settings_keep_the_classic_numbers():
    with Evaluator(numbers="classic", spelling="classic") as ev:
        assert ev.eval("sin(1)") == 0.8414709568023682
        assert ev.eval("2*pi") == 6.2831853072
        assert ev.eval("min(2,5; 3)") == 2.5
        assert ev.eval("1 < 2") == -1
    # Each setting on its own.
    with Evaluator(spelling="classic") as ev:
        assert ev.eval("2,5*sin(1)") == 2.5 * math.sin(1)
    with Evaluator(numbers="classic") as ev:
        assert ev.eval("min(2.5, sin(1))") == 0.8414709568023682


def test_variables_and_functions_round_trip_until_reset(ev):
    ev.set_variable("a", 2.5)
    assert ev.get_variable("a") == 2.5
    ev.set_function("f", "x^2+a")
    assert ev.get_function("F") == "x^2+a"
    ev.set_variable("x", 3)
    assert ev.eval("f*2") == 23
    ev.reset()
    with pytest.raises(MorvaneError):
        ev.get_variable("a")
    with pytest.raises(MorvaneError):
        ev.get_function("f")
    # Contexts share nothing.
    ev.set_variable("b", 1)
    with Evaluator() as other, pytest.raises(MorvaneError):
        other.get_variable("b")


def test_diff_gives_a_formula_of_the_derivative(ev):
    derivative = ev.diff("x^2*sin(x)")
    ev.set_variable("x", 1.3)
    assert ev.eval(derivative) == pytest.approx(2 * 1.3 * math.sin(1.3) + 1.3**2 * math.cos(1.3))
    ev.set_variable("t", 2)
    assert ev.eval(ev.diff("t^3", "t")) == pytest.approx(12)


def test_integrate_by_each_rule(ev):
    for rule in ("simpson", "midpoint", "trapezoid"):
        assert ev.integrate("x^2", 0, 3, rule=rule) == pytest.approx(9, rel=1e-5), rule
    assert ev.integrate("2*u", 1, 2, variable="u", n=10) == pytest.approx(3)
    with pytest.raises(ValueError):
        ev.integrate("x", 0, 1, rule="gauss")


def test_solve_finds_a_root_or_says_it_did_not_converge(ev):
    assert abs(ev.solve("x^2-2")) == pytest.approx(math.sqrt(2))
    assert ev.solve("2*y-3", "y") == pytest.approx(1.5)
    with pytest.raises(MorvaneError) as caught:
        ev.solve("x^2+1")
    assert caught.value.code == morvane.NOT_CONVERGED


def test_compiled_formula_takes_values_by_keyword_or_position(ev):
    ev.set_variable("a", 10)
    f = ev.compile("a*x+y", "x", "y")
    assert f(x=2, y=1) == 21
    assert f(3, 4) == 34
    assert f(y=0) == 30  # x keeps 3
    # Other names were read when it was compiled.
    ev.set_variable("a", 100)
    assert f(1, y=0) == 10
    with pytest.raises(TypeError):
        f(1, x=2)
    with pytest.raises(MorvaneError):
        f(z=1)
    assert ev.compile("2+2")() == 4
    f.close()
    with pytest.raises(ValueError):
        f()


def test_errors_carry_code_and_position_with_a_caret(ev):
    with pytest.raises(MorvaneError) as caught:
        ev.eval("1+*2")
    error = caught.value
    assert error.code == morvane.PARSER_SYNTAX
    assert error.position == 2
    assert str(error).endswith("\n  1+*2\n    ^")
    # The caret stands under the place in its own line.
    with pytest.raises(MorvaneError) as caught:
        ev.eval("1+\n2+*3")
    assert caught.value.position == 5
    assert str(caught.value).endswith("\n  2+*3\n    ^")
    with pytest.raises(MorvaneError) as caught:
        ev.compile("x+", "x")
    assert caught.value.position is not None
    with pytest.raises(MorvaneError) as caught:
        ev.eval("1/0")
    assert caught.value.code == 38


def test_lone_surrogate_reaches_the_library_as_invalid_utf8(ev):
    with pytest.raises(MorvaneError) as caught:
        ev.eval("\u00e4+\udfff")
    assert caught.value.code == morvane.INVALID_UTF8
    # Characters, not bytes: the "\u00e4" is two.
    assert caught.value.position == 2


def test_cancel_from_another_thread_stops_a_long_integration(ev):
    import threading
    timer = threading.Timer(0.05, ev.cancel)
    timer.start()
    with pytest.raises(MorvaneError) as failure:
        ev.integrate("x*x", 0, 1, n=2_000_000_000, rule="midpoint")
    timer.join()
    assert failure.value.code == morvane.CANCELLED
    assert ev.integrate("x", 0, 1, n=10) == pytest.approx(0.5)  # the next call is not cancelled
    ev.cancel()  # an idle evaluator may be cancelled too
    assert ev.eval("1+1") == 2


def test_closed_context(ev):
    f = ev.compile("x+1", "x")
    ev.close()
    with pytest.raises(MorvaneError) as caught:
        f(x=1)
    assert caught.value.code == morvane.CONTEXT_FREED
    with pytest.raises(MorvaneError) as caught:
        ev.eval("1")
    assert caught.value.code == morvane.CONTEXT_FREED
    # A formula keeps its context alive when only the formula is left.
    g = Evaluator().compile("x*2", "x")
    gc.collect()
    assert g(x=4) == 8


def test_missing_library_names_what_was_tried(monkeypatch, tmp_path):
    missing = str(tmp_path / "libmorvane-missing.so")
    monkeypatch.setenv("MORVANE_LIBRARY", missing)
    _native.library.cache_clear()
    try:
        with pytest.raises(OSError, match="libmorvane-missing"):
            Evaluator()
    finally:
        monkeypatch.undo()
        _native.library.cache_clear()
