#!/usr/bin/env python3
"""Independent reference for the network routines' expected bits.

Evaluates every step of the eight networks in double precision (Python floats) and rounds to
single precision at the end of each step, then prints the case table of the networks with the
float bits of the entries and of LoadR and LoadX. Run it to regenerate that table:

    python3 tests/core/reference/network_reference.py > tests/core/data/networks.txt
"""
import math
import struct


def f32(x):
    """Round a double to the nearest single-precision value (ties to even)."""
    return struct.unpack("<f", struct.pack("<f", x))[0]


def bits(x):
    return struct.unpack("<I", struct.pack("<f", x))[0]


def omega_times(freq, value):
    return ((freq * 8) * math.atan(1.0)) * value


def product(freq, value):
    return f32(omega_times(freq, value))


def reciprocal(freq, value):
    return f32(1.0 / omega_times(freq, value))


def network(topology, f, z0, c1, c2, c3, l1, l2, l3):
    if topology == 1:
        xl1, bc2 = product(f, l1), product(f, c2)
        d1 = f32(z0 * z0 + xl1 * xl1)
        g = f32(z0 / d1)
        b = f32(-xl1 / d1 + bc2)
        d2 = f32(b * b + g * g)
        r = f32(g / d2)
        x = f32(-b / d2)
    elif topology == 2:
        bc1, xl2 = product(f, c1), product(f, l2)
        g = f32(1.0 / z0)
        d = f32(g * g + bc1 * bc1)
        r = f32(g / d)
        x = f32(-bc1 / d + xl2)
    elif topology == 3:
        bl1, xc2 = reciprocal(f, l1), reciprocal(f, c2)
        g = f32(1.0 / z0)
        b = -bl1
        d = f32(b * b + g * g)
        r = f32(g / d)
        x = f32(-b / d - xc2)
    elif topology == 4:
        xc1, bl2 = reciprocal(f, c1), reciprocal(f, l2)
        d1 = f32(z0 * z0 + xc1 * xc1)
        g = f32(z0 / d1)
        b = f32(xc1 / d1 - bl2)
        d2 = f32(b * b + g * g)
        r = f32(g / d2)
        x = f32(-b / d2)
    elif topology == 5:
        xl1, bc2, xl3 = product(f, l1), product(f, c2), product(f, l3)
        d1 = f32(z0 * z0 + xl1 * xl1)
        g = f32(z0 / d1)
        b = f32(-xl1 / d1 + bc2)
        d2 = f32(b * b + g * g)
        r = f32(g / d2)
        x = f32(-b / d2 + xl3)
    elif topology == 6:
        xc1, bl2, xc3 = reciprocal(f, c1), reciprocal(f, l2), reciprocal(f, c3)
        d1 = f32(z0 * z0 + xc1 * xc1)
        g = f32(z0 / d1)
        b = f32(xc1 / d1 - bl2)
        d2 = f32(b * b + g * g)
        r = f32(g / d2)
        x = f32(-b / d2 - xc3)
    elif topology == 7:
        bc1, xl2, bc3 = product(f, c1), product(f, l2), product(f, c3)
        g1 = f32(1.0 / z0)
        d1 = f32(g1 * g1 + bc1 * bc1)
        r1 = f32(g1 / d1)
        x1 = f32(-bc1 / d1 + xl2)
        d2 = f32(x1 * x1 + r1 * r1)
        g2 = f32(r1 / d2)
        b2 = f32(-x1 / d2 + bc3)
        d3 = f32(b2 * b2 + g2 * g2)
        r = f32(g2 / d3)
        x = f32(-b2 / d3)
    elif topology == 8:
        bl1, xc2, bl3 = reciprocal(f, l1), reciprocal(f, c2), reciprocal(f, l3)
        g1 = f32(1.0 / z0)
        b1 = -bl1
        d1 = f32(b1 * b1 + g1 * g1)
        r1 = f32(g1 / d1)
        x1 = f32(-b1 / d1 - xc2)
        d2 = f32(x1 * x1 + r1 * r1)
        g2 = f32(r1 / d2)
        b2 = f32(-x1 / d2 - bl3)
        d3 = f32(b2 * b2 + g2 * g2)
        r = f32(g2 / d3)
        x = f32(-b2 / d3)
    return r, f32(-x)


# (name, topology, frequency, Z0, C1, C2, C3, L1, L2, L3), values as typed and parsed to float.
CASES = [
    ("TypicalPi", 7, 14.2e6, 50, 150e-12, 0, 300e-12, 0, 2.2e-6, 0),
    ("WorkedExampleL", 1, 1e6 / (2 * math.pi), 50, 0, 10e-9, 0, 50e-6, 0, 0),
    ("SeriesLShuntC", 1, 3.5e6, 50, 0, 680e-12, 0, 4.7e-6, 0, 0),
    ("ShuntCSeriesL", 2, 7.1e6, 50, 220e-12, 0, 0, 0, 1.5e-6, 0),
    ("ShuntLSeriesC", 3, 21e6, 50, 0, 56e-12, 0, 330e-9, 0, 0),
    ("SeriesCShuntL", 4, 1.8e6, 75, 1.2e-9, 0, 0, 0, 12e-6, 0),
    ("TeeOfInductors", 5, 10.1e6, 50, 0, 330e-12, 0, 1.1e-6, 0, 2.7e-6),
    ("TeeOfCapacitors", 6, 14.2e6, 50, 100e-12, 0, 200e-12, 0, 2e-6, 0),
    ("PiOfCapacitors", 7, 3.6e6, 50, 1000e-12, 0, 2200e-12, 0, 6.8e-6, 0),
    ("PiOfInductors", 8, 28.4e6, 50, 0, 27e-12, 0, 0.47e-6, 0, 0.39e-6),
    ("LowImpedance", 5, 1.9e6, 12.5, 0, 1.5e-9, 0, 3.3e-6, 0, 10e-6),
    ("HighImpedance", 7, 50.1e6, 450, 5e-12, 0, 8e-12, 0, 0.2e-6, 0),
]


def main():
    print("# Written by tests/core/reference/network_reference.py: Network topology, then the bits of")
    print("# the frequency, Z0, C1, C2, C3, L1, L2, L3, and the bits of LoadR and LoadX.")
    for name, topology, f, z0, c1, c2, c3, l1, l2, l3 in CASES:
        entries = [f32(v) for v in (f, z0, c1, c2, c3, l1, l2, l3)]
        r, x = network(topology, *entries)
        fields = " ".join(f"{bits(v):#010x}" for v in entries)
        print(f'Network {topology} {fields} "{bits(r):#010x} {bits(x):#010x}"  # {name}: R {r:.9g}, X {x:.9g}')


if __name__ == "__main__":
    main()
