# SPDX-License-Identifier: MIT
"""A compiled formula at the points of NumPy arrays. NumPy is optional: without it nothing here
is ever called, since no value can be an array."""

import ctypes

try:
    import numpy
except ImportError:  # floats work as before
    numpy = None


def any_array(values):
    """Whether any of values is a NumPy array, which asks for an evaluation at many points."""
    return numpy is not None and any(isinstance(value, numpy.ndarray) for value in values)


def columns(values, names):
    """The values of the parameters names (arrays and numbers, broadcast against each other as
    NumPy does) as contiguous float64 arrays of one shape, and that shape. Integers and floats of
    other widths are converted; what is not a real number is refused."""
    arrays = []
    for name in names:
        value = numpy.asarray(values[name])
        if value.dtype.kind not in "biuf":
            raise TypeError("%s must be real numbers, not an array of %s" % (name, value.dtype))
        arrays.append(value)
    try:
        broadcast = numpy.broadcast_arrays(*arrays)
    except ValueError:
        shapes = ", ".join("%s %s" % (name, array.shape) for name, array in zip(names, arrays))
        raise ValueError("the arrays' shapes do not fit together: " + shapes) from None
    shape = broadcast[0].shape if broadcast else ()
    # A copy only where the array is not already contiguous float64.
    flat = [numpy.ascontiguousarray(array, dtype=numpy.float64).reshape(-1) for array in broadcast]
    return flat, shape


def evaluate(lib, handle, flat, shape, error):
    """The formula at every point into a new array of shape; the code, the index of the first
    failing point (n when none failed) and the array."""
    n = flat[0].size
    results = numpy.empty(n, dtype=numpy.float64)
    pointers = (ctypes.POINTER(ctypes.c_double) * len(flat))(
        *[column.ctypes.data_as(ctypes.POINTER(ctypes.c_double)) for column in flat])
    failed_at = ctypes.c_size_t(n)
    code = lib.morvane_formula_eval_array(
        handle, pointers, n, results.ctypes.data_as(ctypes.POINTER(ctypes.c_double)),
        ctypes.byref(failed_at), ctypes.byref(error))
    return code, failed_at.value, results.reshape(shape)
