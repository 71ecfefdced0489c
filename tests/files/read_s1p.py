"""Prints what scikit-rf reads from a one-port Touchstone file: frequency, Re and Im of S11, Re z0."""
import contextlib
import io
import sys

try:
    with contextlib.redirect_stdout(io.StringIO()):  # its notes on missing plotting packages
        import skrf
except ImportError:
    sys.exit(77)  # the reader is not installed: the test is skipped

network = skrf.Network(sys.argv[1])
for frequency, s11, z0 in zip(network.f, network.s[:, 0, 0], network.z0[:, 0]):
    print(repr(float(frequency)), repr(float(s11.real)), repr(float(s11.imag)), repr(float(z0.real)))
