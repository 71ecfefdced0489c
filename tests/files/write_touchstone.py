"""Writes Touchstone files with scikit-rf into the folder named by the first argument: one- and
two-port, in RI, MA and DB, in Hz, kHz, MHz and GHz, against 50 and 75 ohms. Prints for each file
a line "<name> <z0> <points>", then per point the frequency in Hz and Re and Im of S11, each in
the shortest form that reads back to the same double."""
import contextlib
import io
import os
import sys

try:
    with contextlib.redirect_stdout(io.StringIO()):  # its notes on missing plotting packages
        import numpy
        import skrf
except ImportError:
    sys.exit(77)  # the writer is not installed: the test is skipped

folder = sys.argv[1]
random = numpy.random.default_rng(22)
# Amateur bands and beyond; none of them exact in every unit.
frequencies = numpy.array([1.8e6, 3.5e6, 7.05e6, 10.1e6, 14.2e6, 21.25e6, 28.123456e6, 144.3e6, 2.4e9])
points = len(frequencies)
for ports in (1, 2):
    for form in ("ri", "ma", "db"):
        for unit in ("hz", "khz", "mhz", "ghz"):
            for z0 in (50, 75):
                # |S| from 0.01 to 1.2 (a load with R < 0 too), at any angle.
                s = random.uniform(0.01, 1.2, (points, ports, ports)) * numpy.exp(
                    1j * random.uniform(-numpy.pi, numpy.pi, (points, ports, ports)))
                network = skrf.Network(frequency=skrf.Frequency.from_f(frequencies, unit="hz"), s=s, z0=z0)
                network.frequency.unit = unit
                name = "%s-%s-%d.s%dp" % (form, unit, z0, ports)
                network.write_touchstone(name, dir=folder, form=form)
                print(name, z0, points)
                for frequency, gamma in zip(frequencies, s[:, 0, 0]):
                    print(repr(float(frequency)), repr(float(gamma.real)), repr(float(gamma.imag)))
