# SPDX-License-Identifier: MIT
# The package against the built library; MORVANE_LIBRARY names it.
import gc
import math

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
