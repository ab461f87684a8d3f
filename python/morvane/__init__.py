# SPDX-License-Identifier: MIT
"""Vuza Reduzodod's evaluator from Python: formulas, variables, user functions, derivatives,
integrals, roots and compiled formulas, over the library's UTF-8 C interface.

Numbers are Python floats end to end: a value set or passed comes back with every bit, and the
built-ins are the C library's, as most of Python's math module is.

    >>> from morvane import Evaluator
    >>> with Evaluator() as ev:
    ...     ev.eval("2*pi"), ev.eval("sin(1)"), ev.eval("min(2.5e-3, 1) == 0.0025")
    (6.283185307179586, 0.8414709848078965, 1.0)

The classic settings round values to 10 decimals as they enter a formula, compute built-ins in
single precision, read "," as a decimal point with ";" between arguments, and give -1 for a true
comparison:

    >>> with Evaluator(numbers="classic", spelling="classic") as ev:
    ...     ev.eval("2*pi"), ev.eval("sin(1)"), ev.eval("min(2,5; 1) = 1")
    (6.2831853072, 0.8414709568023682, -1.0)
"""

import ctypes
import numbers
import threading

from . import _arrays, _native

__version__ = "0.1.0"
__all__ = ["Evaluator", "Formula", "MorvaneError", "library_version"]

# The codes a caller is likely to test for; the full list is in include/morvane/api.h.
UNDEFINED = 30
SYNTAX = 32
PARSER_SYNTAX = 33
UNDEFINED_FUNCTION = 34
UNDEFINED_VARIABLE = 46
OVERFLOW = 49
CANCELLED = 56
CONTEXT_FREED = _native.CONTEXT_FREED
INVALID_UTF8 = 91
NOT_CONVERGED = 95


class MorvaneError(Exception):
    """An error the library reported: code (see include/morvane/api.h), message, and position,
    the character of text where it was found (None when the error has no place). A formula
    evaluated at the points of arrays also gives index, the flat index of the point it failed at
    (None otherwise)."""

    def __init__(self, code, message, position=None, text=None, index=None):
        super().__init__(code, message, position)
        self.code = code
        self.message = message
        self.position = position
        self.text = text
        self.index = index

    def __str__(self):
        result = "%s (code %d)" % (self.message, self.code)
        if self.index is not None:
            result += " at point %d" % self.index
        if self.position is None:
            return result
        if self.text is None or not 0 <= self.position <= len(self.text):
            return "%s at character %d" % (result, self.position)
        # Only the line that holds the position, so the caret stands under it.
        start = self.text.rfind("\n", 0, self.position) + 1
        end = self.text.find("\n", self.position)
        line = self.text[start:] if end < 0 else self.text[start:end]
        column = self.position - start
        return "%s at character %d:\n  %s\n  %s^" % (result, self.position, line, " " * column)


def library_version():
    """The loaded library's version, "major.minor.patch"."""
    return _native.library().morvane_version().decode("utf-8")


def _encode(value, what):
    if not isinstance(value, str):
        raise TypeError("%s must be str, not %s" % (what, type(value).__name__))
    if "\0" in value:
        # C would read only the part before it, silently.
        raise ValueError("%s contains a null character" % what)
    # Lone surrogates pass as the bytes they would be, so the library rejects them as invalid
    # UTF-8 with a position like any other error in the text.
    return value.encode("utf-8", "surrogatepass")


def _real(value, what):
    if not isinstance(value, numbers.Real):
        raise TypeError("%s must be a real number, not %s" % (what, type(value).__name__))
    return float(value)


def _choice(value, choices, what):
    if not isinstance(value, str) or value not in choices:
        raise ValueError("%s must be one of %s, not %r"
                         % (what, ", ".join(map(repr, choices)), value))
    return choices[value]


def _check(code, error, text=None, index=None):
    if code == _native.OK:
        return
    position = error.position if error.position >= 0 else None
    message = error.message.decode("utf-8", "replace") or "error %d" % code
    raise MorvaneError(error.code or code, message, position, text, index)


class _Context:
    """The C context, shared by an Evaluator and its formulas so that it lives while any of them
    is reachable. The lock serialises calls: ctypes lets go of the GIL around them and a context
    must not be used by two threads at once. Reentrant, because a formula's finaliser may run
    while the same thread holds it."""

    def __init__(self, lib, options):
        self.lib = lib
        self.lock = threading.RLock()
        # Held only to free the context and to cancel it, which another thread does while a
        # call holds the lock.
        self.ending = threading.Lock()
        # The options were checked, so a null context can only mean memory ran out.
        self.handle = lib.morvane_context_new_with(ctypes.byref(options))
        if not self.handle:
            raise MemoryError("the library could not make a context")

    def require(self):
        if self.handle is None:
            raise MorvaneError(CONTEXT_FREED, "the evaluator is closed")
        return self.handle

    def cancel(self):
        with self.ending:
            if self.handle is not None:
                self.lib.morvane_cancel(self.handle)

    def close(self):
        with self.lock, self.ending:
            if self.handle is not None:
                self.lib.morvane_context_free(self.handle)
                self.handle = None

    def __del__(self):
        # Attributes may be missing when __init__ failed part way.
        if getattr(self, "handle", None) is not None:
            self.close()


class Evaluator:
    """One context of its own: variables, user functions and settings that only its calls
    share. Use it as a context manager or call close(); a closed evaluator's formulas fail with
    MorvaneError code CONTEXT_FREED.

    numbers is "double" (Python floats end to end, the C library's built-ins) or "classic"
    (values rounded to 10 decimals, built-ins in single precision). spelling is "programmer"
    ("," between arguments, 1 for true, "==", "!=", "&&", "||") or "classic" ("," a decimal
    point too, ";" between arguments, -1 for true). Both are fixed for the evaluator's life."""

    def __init__(self, *, numbers="double", spelling="programmer"):
        options = _native.Options(_choice(numbers, _native.NUMBERS, "numbers"),
                                  _choice(spelling, _native.SPELLING, "spelling"))
        self._context = _Context(_native.library(), options)
        self._numbers = numbers
        self._spelling = spelling

    @property
    def numbers(self):
        """The numbers it was made with: "double" or "classic"."""
        return self._numbers

    @property
    def spelling(self):
        """The spelling it was made with: "programmer" or "classic"."""
        return self._spelling

    def close(self):
        self._context.close()

    @property
    def closed(self):
        return self._context.handle is None

    def __enter__(self):
        return self

    def __exit__(self, *exc_info):
        self.close()

    def _call(self, function, *args, text=None):
        error = _native.Error()
        with self._context.lock:
            code = function(self._context.require(), *args, ctypes.byref(error))
        _check(code, error, text)

    def _call_text(self, function, *args, text=None):
        # Text out belongs to the context only until its next call: copied under the lock.
        out = ctypes.c_char_p()
        error = _native.Error()
        with self._context.lock:
            code = function(self._context.require(), *args, ctypes.byref(out), ctypes.byref(error))
            result = out.value
        _check(code, error, text)
        return result.decode("utf-8")

    def eval(self, text):
        """The value of text, e.g. "2*sin(pi/4)" or "&FF + !1010" (hexadecimal and binary)."""
        value = ctypes.c_double()
        self._call(self._context.lib.morvane_eval, _encode(text, "text"), ctypes.byref(value),
                   text=text)
        return value.value

    def set_variable(self, name, value):
        self._call(self._context.lib.morvane_set_variable, _encode(name, "name"),
                   _real(value, "value"), text=name)

    def get_variable(self, name):
        value = ctypes.c_double()
        self._call(self._context.lib.morvane_get_variable, _encode(name, "name"),
                   ctypes.byref(value), text=name)
        return value.value

    def set_function(self, name, body):
        """Defines a user function by its body in terms of other names, e.g. ("f", "x^2+1");
        formulas name it without arguments ("f*2") and it reads the names' current values."""
        self._call(self._context.lib.morvane_set_function, _encode(name, "name"),
                   _encode(body, "body"), text=body)

    def get_function(self, name):
        return self._call_text(self._context.lib.morvane_get_function, _encode(name, "name"),
                               text=name)

    def diff(self, formula, variable="x"):
        """The derivative of formula in variable, as text."""
        return self._call_text(self._context.lib.morvane_diff, _encode(formula, "formula"),
                               _encode(variable, "variable"), text=formula)

    def integrate(self, formula, a, b, variable="x", n=1000, rule="simpson"):
        """The integral of formula over variable from a to b by rule ("simpson", "midpoint" or
        "trapezoid") in n subintervals."""
        if rule not in _native.RULES:
            raise ValueError("rule must be one of %s, not %r" % (", ".join(_native.RULES), rule))
        if isinstance(n, bool) or not isinstance(n, numbers.Integral):
            raise TypeError("n must be an int, not %s" % type(n).__name__)
        value = ctypes.c_double()
        self._call(self._context.lib.morvane_integrate, _encode(formula, "formula"),
                   _encode(variable, "variable"), _real(a, "a"), _real(b, "b"), int(n),
                   _native.RULES[rule], ctypes.byref(value), text=formula)
        return value.value

    def solve(self, formula, variable="x"):
        """A root of formula = 0 in variable; the variable keeps the last value tried."""
        value = ctypes.c_double()
        self._call(self._context.lib.morvane_solve, _encode(formula, "formula"),
                   _encode(variable, "variable"), ctypes.byref(value), text=formula)
        return value.value

    def cancel(self):
        """Stops what this evaluator is doing on another thread (an integration, a root search,
        a formula over arrays): that call raises MorvaneError with code CANCELLED soon after.
        Safe to call from any thread at any time; calls that start afterwards are not
        cancelled."""
        self._context.cancel()

    def reset(self):
        """Forgets every variable, function and matrix."""
        self._call(self._context.lib.morvane_reset)

    def compile(self, text, *variables):
        """text compiled with variables as its parameters. Other names are read now, so later
        changes to them are not seen."""
        encoded = _encode(text, "text")
        names = [_encode(name, "variable") for name in variables]
        array = (ctypes.c_char_p * len(names))(*names)
        error = _native.Error()
        with self._context.lock:
            handle = self._context.lib.morvane_compile(self._context.require(), encoded, array,
                                                        len(names), ctypes.byref(error))
        if not handle:
            # A null formula always comes with an error; should the code be missing, the
            # library's own "internal failure" is the honest one.
            _check(error.code or UNDEFINED, error, text)
        return Formula(self._context, handle, text, variables)


class Formula:
    """A compiled formula. Calling it gives its parameters the values passed, by keyword or in
    the order they were declared, and evaluates it; parameters not passed keep their last
    values.

    Called with NumPy arrays, it is evaluated at every point and returns an array: each
    parameter must then be passed, as an array or a number, and they are broadcast against each
    other as NumPy does. Values are converted to float64 (integers included; complex numbers and
    other kinds are refused), and the formula's own values stay as they were. A failure raises
    MorvaneError with index, the flat index of the first point that failed."""

    def __init__(self, context, handle, text, variables):
        self._context = context
        self._handle = handle
        self.text = text
        self.variables = tuple(variables)

    def _require(self):
        if self._handle is None:
            raise ValueError("the formula is closed")
        return self._handle

    def __call__(self, *args, **values):
        if len(args) > len(self.variables):
            raise TypeError("the formula takes %d values, %d were given"
                            % (len(self.variables), len(args)))
        for name, value in zip(self.variables, args):
            if name in values:
                raise TypeError("two values for %s" % name)
            values[name] = value
        if _arrays.any_array(values.values()):
            return self._at_points(values)
        lib = self._context.lib
        with self._context.lock:
            handle = self._require()
            for name, value in values.items():
                error = _native.Error()
                code = lib.morvane_formula_set(handle, _encode(name, "variable"),
                                               _real(value, name), ctypes.byref(error))
                _check(code, error, name)
            result = ctypes.c_double()
            error = _native.Error()
            code = lib.morvane_formula_eval(handle, ctypes.byref(result), ctypes.byref(error))
        _check(code, error, self.text)
        return result.value

    def _at_points(self, values):
        missing = [name for name in self.variables if name not in values]
        unknown = [name for name in values if name not in self.variables]
        if unknown:
            raise TypeError("the formula has no variable %s" % ", ".join(unknown))
        if missing:
            raise TypeError("at the points of arrays every variable needs values; missing: %s"
                            % ", ".join(missing))
        flat, shape = _arrays.columns(values, self.variables)
        error = _native.Error()
        with self._context.lock:
            code, failed_at, results = _arrays.evaluate(self._context.lib, self._require(), flat,
                                                        shape, error)
        _check(code, error, self.text, failed_at)
        return results

    def close(self):
        with self._context.lock:
            if self._handle is not None:
                self._context.lib.morvane_formula_free(self._handle)
                self._handle = None

    def __enter__(self):
        return self

    def __exit__(self, *exc_info):
        self.close()

    def __del__(self):
        if getattr(self, "_handle", None) is not None:
            self.close()

    def __repr__(self):
        return "Formula(%r, %s)" % (self.text, ", ".join(map(repr, self.variables)))
