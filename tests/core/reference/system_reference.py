#!/usr/bin/env python3
"""Independent reference for the antenna system: the lossy tuner by modified nodal analysis
(numpy), the feedline by scikit-rf's line model and the power flow through it (not the closed
loss formula). Regenerate the table the core's tests compare with to 1e-9:

    /usr/bin/python3 tests/core/reference/system_reference.py > tests/core/data/system.txt

Tuner rows: entries and load as float bits, P, coil Q, capacitor Q; efficiency, loss dB, input R
and X; per part its RMS current, RMS and peak voltage, dissipation. Line rows: the tuner's load as
float bits, f, length, VF, Zc, k1, k2; feedpoint R, X, SWR, matched and total loss dB, efficiency.
"""
import contextlib
import io
import math
import os
import sys

import numpy as np

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from network_reference import CASES, bits, f32, network  # noqa: E402

with contextlib.redirect_stdout(io.StringIO()):  # its notes on missing plotting packages
    import skrf

# The parts of each topology in position order: entry index into C1..L3, "s"eries or shunt.
C1, C2, C3, L1, L2, L3 = range(6)
TOPOLOGIES = {1: [(L1, "s"), (C2, "p")], 2: [(C1, "p"), (L2, "s")], 3: [(L1, "p"), (C2, "s")],
              4: [(C1, "s"), (L2, "p")], 5: [(L1, "s"), (C2, "p"), (L3, "s")],
              6: [(C1, "s"), (L2, "p"), (C3, "s")], 7: [(C1, "p"), (L2, "s"), (C3, "p")],
              8: [(L1, "p"), (C2, "s"), (L3, "p")]}


def part_impedance(index, omega, value, coil_q, cap_q):
    """R_loss + jX; None for an open capacitor (C = 0)."""
    if index >= L1:
        return complex(omega * value / coil_q, omega * value)
    return None if value == 0 else complex(1 / (omega * value) / cap_q, -1 / (omega * value))


def lossy_tuner(topology, f, parts, load, power, coil_q, cap_q):
    """Modified nodal analysis with 1 A into the input (node 0): the unknowns are the node voltages
    and the series branches' currents, so that a 0-ohm branch needs nothing special."""
    layout = [(part_impedance(i, 2 * math.pi * f, parts[i], coil_q, cap_q), kind) for i, kind in TOPOLOGIES[topology]]
    nodes = 1 + sum(kind == "s" for _, kind in layout)
    series = len(layout) - sum(kind == "p" for _, kind in layout)
    a = np.zeros((nodes + series, nodes + series), dtype=complex)
    a[nodes - 1, nodes - 1] = 1 / load
    node, row = 0, nodes
    for z, kind in layout:
        if kind == "p":
            a[node, node] += 0 if z is None else 1 / z
            continue
        a[node, row], a[node + 1, row] = 1, -1
        a[row, node], a[row, node + 1], a[row, row] = 1, -1, -z
        node, row = node + 1, row + 1
    x = np.linalg.solve(a, np.eye(nodes + series)[0])
    s = math.sqrt(power / x[0].real)
    stresses, node, row = [], 0, nodes
    for z, kind in layout:
        if kind == "s":
            current = abs(x[row])
            voltage, dissipated = current * abs(z), current ** 2 * z.real
            node, row = node + 1, row + 1
        else:
            y = 0 if z is None else 1 / z
            voltage, current = abs(x[node]), abs(x[node] * y)
            dissipated = voltage ** 2 * complex(y).real
        stresses += [current * s, voltage * s, voltage * s * math.sqrt(2), dissipated * s * s]
    efficiency = abs(x[nodes - 1]) ** 2 * (1 / load).real / x[0].real
    return [efficiency, 10 * math.log10(1 / efficiency), x[0].real, x[0].imag] + stresses


def line_figures(zin, f, length, vf, zc, k1, k2):
    """The far end of the line through scikit-rf's ABCD matrix of a line of gamma and Zc."""
    mhz = f / 1e6
    matched_per_100m = k1 * math.sqrt(mhz) + k2 * mhz
    alpha = matched_per_100m / 100 / (20 / math.log(10))
    beta = 2 * math.pi * f / (vf * 299792458)
    frequency = skrf.Frequency(f, f, 1, unit="hz")
    media = skrf.media.DefinedGammaZ0(frequency=frequency, z0=zc, Z0=zc, gamma=complex(alpha, beta))
    abcd = media.line(length, unit="m").a[0]
    v_load, i_load = np.linalg.solve(abcd, np.array([zin, 1], dtype=complex))
    p_load = (v_load * np.conj(i_load)).real
    if not p_load > 0:
        return None
    zl = v_load / i_load
    gamma = abs((zl - zc) / (zl + zc))
    efficiency = p_load / zin.real
    return [zl.real, zl.imag, (1 + gamma) / (1 - gamma), matched_per_100m * length / 100,
            10 * math.log10(1 / efficiency), efficiency]


# Beyond the networks' cases: parts of value 0 as the circuit has them (name, topology, f, Z0, parts).
ZERO_CASES = [
    ("SeriesCoilShorted", 1, 7.1e6, 50, 0, 680e-12, 0, 0, 0, 0),
    ("ShuntCapacitorOpen", 2, 7.1e6, 50, 0, 0, 0, 0, 1.5e-6, 0),
    ("PiOutputOpen", 7, 3.6e6, 50, 1000e-12, 0, 0, 0, 6.8e-6, 0),
    ("TeeThirdShorted", 5, 10.1e6, 50, 0, 330e-12, 0, 1.1e-6, 0, 0),
]

# (P, coil Q, capacitor Q) per case, in turn.
SETTINGS = [(100, 200, 1000), (1500, 50, 300), (5, 400, 5000), (100, 20, 100)]

# (name, index of the tuner case whose load feeds the line, length m, VF, Zc, k1, k2)
LINES = [
    ("LMR400Typical", 3, 30, 0.85, 50, 0.4151, 0),
    ("RG58Long", 5, 50, 0.66, 50, 1.379, 0.02098),
    ("RG213VeryLong", 1, 200, 0.66, 50, 0.6443, 0.006556),
    ("LadderHighSwr", 6, 20, 0.902, 400, 0.1919, 0),
    ("Lossless", 4, 12.5, 0.66, 50, 0, 0),
    ("NoLength", 6, 0, 0.8, 75, 1, 0.01),
    ("LowImpedanceLadder", 10, 45.7, 0.93, 360, 0.134, 0),
    ("Undeliverable", 8, 100, 0.66, 50, 1.379, 0.02098),
]


def g(x):
    return repr(float(x))


def main():
    print("# Written by tests/core/reference/system_reference.py; see there for the columns.")
    loads = []
    for k, (name, topology, f, z0, *parts) in enumerate(CASES + ZERO_CASES):
        entries = [f32(v) for v in (f, z0, *parts)]
        r, x = network(topology, *entries)
        loads.append((r, x, entries[0]))
        power, coil_q, cap_q = SETTINGS[k % len(SETTINGS)]
        figures = lossy_tuner(topology, entries[0], entries[2:], complex(r, x), power, coil_q, cap_q)
        fields = " ".join(f"{bits(v):#010x}" for v in entries + [r, x])
        print(f"Tuner {name} {topology} {fields} {power} {coil_q} {cap_q} " + " ".join(map(g, figures)))
    for name, case, length, vf, zc, k1, k2 in LINES:
        r, x, f = loads[case]
        figures = line_figures(complex(r, x), f, length, vf, zc, k1, k2)
        fields = f"{bits(r):#010x} {bits(x):#010x} {g(f)} {length} {vf} {zc} {k1} {k2}"
        print(f"Line {name} {fields} " + ("Undeliverable" if figures is None else " ".join(map(g, figures))))


if __name__ == "__main__":
    main()
