#!/usr/bin/env python3
"""Fits the built-in cables' matched loss, A(f) = k1 sqrt(f) + k2 f dB per 100 m (f in MHz), to
the published attenuation figures below, and prints the cable table that the tests check the
program's table against. Run it to regenerate that table:

    python3 scripts/cable_fit.py > tests/core/data/cables.txt

The fit: the published dB per 100 ft are converted to dB per 100 m (x 100 / 30.48), then k1 and k2
minimise the sum of squared *relative* errors, sum ((A(f_i) - a_i) / a_i)^2, so that the HF
points, whose losses are small, weigh as much as the UHF ones. Should k2 come out negative, it
is set to 0 and k1 fitted alone. The coefficients are rounded to 4 significant digits.

The ladder lines have no maker's attenuation table: their loss is the conductor loss of the two
wires, A = 8.686 R / Zc per unit length with R the RF resistance of one wire, from the published
14.75 ohms per 100 ft of #18 copper wire at 30 MHz (G3TXQ, TowerTalk, 1 Dec 2010), scaled as
1/d for thicker wire; skin effect makes it k1 sqrt(f), and k2 = 0 (the dielectric of a clean,
dry line adds little at HF; a wet line loses much more).
"""
import math

FT_PER_M = 1 / 0.3048

# (name, VF, Zc, [(MHz, dB per 100 ft)], source)
COAX = [
    ("RG-58C/U", 0.66, 50, [(50, 3.30), (150, 6.10), (450, 11.75), (850, 17.75)],
     "Codan, Radio Repeater Systems Training Guide, App. H (nominal attenuation)"),
    ("RG-213/U", 0.66, 50, [(50, 1.50), (150, 2.70), (450, 4.97), (850, 7.53)],
     "Codan, Radio Repeater Systems Training Guide, App. H (nominal attenuation)"),
    ("RG-8X", 0.82, 50, [(10, 1.0), (30, 2.0), (50, 2.3), (150, 4.7), (450, 8.6)],
     "Santa Clara County ARES/RACES cable table; VF: Belden 9258"),
    ("Belden-9913", 0.84, 50, [(10, 0.5), (30, 0.8), (50, 1.0), (150, 1.6), (220, 1.9), (450, 2.8)],
     "Santa Clara County ARES/RACES cable table; VF: Belden 9913"),
    ("LMR-240", 0.84, 50, [(10, 0.8), (30, 1.3), (50, 1.7), (150, 3.0), (220, 3.7), (450, 5.3)],
     "Times Microwave LMR-240 data sheet, as tabulated by Santa Clara County ARES/RACES"),
    ("LMR-400", 0.85, 50, [(10, 0.4), (30, 0.7), (50, 0.9), (150, 1.5), (220, 1.9), (450, 2.7)],
     "Times Microwave LMR-400 data sheet, as tabulated by Santa Clara County ARES/RACES"),
    ("LMR-600", 0.87, 50, [(10, 0.2), (30, 0.4), (50, 0.5), (150, 1.0), (220, 1.2), (450, 1.7)],
     "Times Microwave LMR-600 data sheet, as tabulated by Santa Clara County ARES/RACES"),
]

# (name, VF, Zc, wire diameter in mm, source): Zc and VF measured by N7WS, as given by AC6LA
# (TowerTalk, Feb 2017) for the Wireman 551 (#18) and 554 (#14) window lines.
LADDER = [
    ("window-18awg", 0.902, 400, 1.0236, "Wireman 551, 450-ohm window line of #18 wire"),
    ("window-14awg", 0.930, 360, 1.6281, "Wireman 554, 450-ohm window line of #14 wire"),
]
R18_PER_100FT_AT_30MHZ = 14.75
D18_MM = 1.0236


def rounded(x, digits=4):
    return float(f"{x:.{digits}g}")


def fit(points):
    """k1, k2 in dB/100 m minimising the squared relative errors at the points (MHz, dB/100 m)."""
    u = [math.sqrt(f) / a for f, a in points]
    w = [f / a for f, a in points]
    suu = sum(x * x for x in u)
    suw = sum(x * y for x, y in zip(u, w))
    sww = sum(y * y for y in w)
    su, sw = sum(u), sum(w)
    det = suu * sww - suw * suw
    k1 = (su * sww - sw * suw) / det
    k2 = (suu * sw - suw * su) / det
    if k2 < 0:
        k1, k2 = su / suu, 0.0
    return rounded(k1), rounded(k2)


def main():
    print("# Written by scripts/cable_fit.py: Cable name VF Zc k1 k2 (dB/100 m, f in MHz),")
    print("# then the published points it was fitted to, as MHz:dB-per-100-m.")
    for name, vf, zc, points, source in COAX:
        metric = [(f, a * FT_PER_M) for f, a in points]
        k1, k2 = fit(metric)
        fields = " ".join(f"{f}:{a:.6g}" for f, a in metric)
        print(f"Cable {name} {vf:g} {zc} {k1:g} {k2:g} {fields}  # {source}")
    for name, vf, zc, d, source in LADDER:
        r = R18_PER_100FT_AT_30MHZ * D18_MM / d
        a30 = 8.685889638 * r / zc * FT_PER_M
        k1 = rounded(a30 / math.sqrt(30))
        print(f"Cable {name} {vf:g} {zc} {k1:g} 0 30:{a30:.6g}  # {source}")


if __name__ == "__main__":
    main()
