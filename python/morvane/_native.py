# SPDX-License-Identifier: MIT
"""The C interface of include/morvane/api.h as ctypes sees it, and the search for the library."""

import ctypes
import ctypes.util
import functools
import os
import sys

# The library's major version; the shared object's name carries it (libmorvane.so.0).
MAJOR = 0

OK = 0
CONTEXT_FREED = 92

RULES = {"midpoint": 0, "trapezoid": 1, "simpson": 2}

# A context's settings by the names the package takes; the first of each is the default.
NUMBERS = {"double": 0, "classic": 1}
SPELLING = {"programmer": 0, "classic": 1}


class Error(ctypes.Structure):
    _fields_ = [
        ("code", ctypes.c_int),
        ("position", ctypes.c_int),
        ("byte_offset", ctypes.c_int),
        ("message", ctypes.c_char * 256),
    ]


class Options(ctypes.Structure):
    _fields_ = [
        ("numbers", ctypes.c_int),
        ("spelling", ctypes.c_int),
    ]


def _candidates():
    """The names to try, best first, and whether the first one is the user's choice."""
    explicit = os.environ.get("MORVANE_LIBRARY")
    if explicit:
        # A path the user gave is the only one worth trying: falling back elsewhere would hide
        # that the library they meant is not the one loaded.
        return [explicit]
    names = []
    # A wheel carries the library beside the package: that one is made for it.
    bundled = os.path.join(os.path.dirname(os.path.abspath(__file__)),
                           "ulvXNpp.dll" if sys.platform == "win32" else "libmorvane.so.%d" % MAJOR)
    if os.path.exists(bundled):
        names.append(bundled)
    found = ctypes.util.find_library("morvane")
    if found:
        names.append(found)
    if sys.platform == "win32":
        names.append("ulvXNpp.dll")
    elif sys.platform == "darwin":
        names += ["libmorvane.%d.dylib" % MAJOR, "libmorvane.dylib"]
    else:
        names += ["libmorvane.so.%d" % MAJOR, "libmorvane.so"]
    return names


def _declare(lib):
    p_context = ctypes.c_void_p
    p_formula = ctypes.c_void_p
    p_error = ctypes.POINTER(Error)
    text = ctypes.c_char_p
    p_double = ctypes.POINTER(ctypes.c_double)
    p_text = ctypes.POINTER(ctypes.c_char_p)
    c_int, c_double = ctypes.c_int, ctypes.c_double

    def declare(name, restype, *argtypes):
        function = getattr(lib, name)
        function.restype = restype
        function.argtypes = argtypes

    declare("morvane_version", text)
    declare("morvane_context_new", p_context)
    declare("morvane_context_new_with", p_context, ctypes.POINTER(Options))
    declare("morvane_context_free", None, p_context)
    declare("morvane_cancel", None, p_context)
    declare("morvane_reset", c_int, p_context, p_error)
    declare("morvane_eval", c_int, p_context, text, p_double, p_error)
    declare("morvane_set_variable", c_int, p_context, text, c_double, p_error)
    declare("morvane_get_variable", c_int, p_context, text, p_double, p_error)
    declare("morvane_set_function", c_int, p_context, text, text, p_error)
    declare("morvane_get_function", c_int, p_context, text, p_text, p_error)
    declare("morvane_diff", c_int, p_context, text, text, p_text, p_error)
    declare("morvane_integrate", c_int, p_context, text, text, c_double, c_double, c_int, c_int,
            p_double, p_error)
    declare("morvane_solve", c_int, p_context, text, text, p_double, p_error)
    declare("morvane_compile", p_formula, p_context, text, ctypes.POINTER(text), ctypes.c_size_t,
            p_error)
    declare("morvane_formula_set", c_int, p_formula, text, c_double, p_error)
    declare("morvane_formula_bind", c_int, p_formula, text, p_double, p_error)
    declare("morvane_formula_eval", c_int, p_formula, p_double, p_error)
    declare("morvane_formula_eval_array", c_int, p_formula, ctypes.POINTER(p_double), ctypes.c_size_t,
            p_double, ctypes.POINTER(ctypes.c_size_t), p_error)
    declare("morvane_formula_free", None, p_formula)


# Every function of the library is __stdcall on 32-bit Windows; WinDLL is that there and the one
# convention of 64-bit Windows otherwise.
_load = ctypes.WinDLL if sys.platform == "win32" else ctypes.CDLL


@functools.lru_cache(maxsize=None)
def library():
    """The loaded library; OSError naming every place tried when none loads. Failures are not
    cached, so setting MORVANE_LIBRARY and trying again works."""
    tried = []
    for name in _candidates():
        try:
            lib = _load(name)
        except OSError as error:
            tried.append("%s (%s)" % (name, error))
            continue
        try:
            _declare(lib)
        except AttributeError as error:
            # An older libmorvane without the UTF-8 interface or its context options.
            tried.append("%s (%s)" % (name, error))
            continue
        return lib
    raise OSError("the morvane library could not be loaded; set MORVANE_LIBRARY to its full "
                  "path. Tried: " + "; ".join(tried))
