#!/usr/bin/env python3
"""Writes random designs within the editors' limits as zorvic_dump override files.

    random_designs.py [--count N] [--seed S] DIR

DIR/NNNN.json for N designs (2000 by default). A quarter of them have their output currents
multiplied by 30 (up to the output editor's 30 A), and one in ten has six outputs at 30 A: the
designs the chip cannot deliver, whose transformer search is the slowest. The same seed gives the
same designs, so that two builds can be compared on them (sweep.sh same takes a folder of them
with SWEEP_EXTRA).
"""

import argparse
import json
import math
import os
import random

# Chip rows the chip editor offers (every family but 2, without rows 14 and 16), with their
# fixed frequency in kHz (families 3 and 4) or none.
CHIPS = {0: None, 1: None, 2: None, 4: None, 5: None, 6: None, 9: None, 10: None, 11: None,
         12: 60, 13: 60, 15: None}
FAMILIES = ["E", "RM", "EFD", "Other", "Any"]
STANDARD_CORES = 37
MATERIALS = 17


def log_uniform(rng, low, high):
    return math.exp(rng.uniform(math.log(low), math.log(high)))


def rounded(x, digits=3):
    return float(f"{x:.{digits}g}")


def input_stage(rng, o):
    if rng.random() < 0.6:
        o["Settings.ACInput"] = True
        vmax = rng.randint(130, 300)
        vmin = rng.randint(85, min(195, vmax - 30))
        o["InputStage.VacMin"] = vmin
        o["InputStage.VacMax"] = vmax
        o["InputStage.MainsFrequency"] = rng.choice([50, 60])
        o["InputStage.RippleVoltage"] = rng.randint(10, 100)
    else:
        o["Settings.ACInput"] = False
        vmax = rng.randint(50, 400)
        vmin = rng.randint(35, min(305, vmax - 15))
        o["InputStage.DCInputMin"] = vmin
        o["InputStage.DCInputMax"] = vmax


def chip(rng, o):
    row = rng.choice(sorted(CHIPS))
    o["@Chip"] = row
    fixed = CHIPS[row]
    o["InputStage.SwitchingFrequency"] = (fixed if fixed else rng.randint(20, 200)) * 1000
    o["InputStage.ReflectedVoltage"] = rng.randint(50, 150)
    o["OperatingPoint.AmbientTemperature"] = rng.randint(-40, 125)
    o["OperatingPoint.RthJunctionPin"] = rng.randint(0, 200)
    o["OperatingPoint.RthPinAmbient"] = rng.randint(0, 200)
    o["Control.OptoGain"] = rounded(rng.uniform(0.2, 2.0), 2)
    o["Control.SoftStartTime"] = rng.randint(5, 20) / 1000


def outputs(rng, o, secondary, scale, all_at_30):
    last = 5 if all_at_30 else rng.randint(0, 5)
    o["Settings.AdditionalOutputs"] = last
    regulated = 0
    for i in range(last + 1):
        p = f"Outputs[{i}]."
        kinds = ["Vreg", "Self", "Direct"] if i == 0 else ["Zener", "Vreg", "Self", "Direct"]
        kind = rng.choice(kinds)
        base = {"Zener": 1, "Vreg": 3, "Self": 5, "Direct": 7}[kind]
        negative = i != 0 and rng.random() < 0.3
        if i == 0:
            code = base + 4 + (6 if kind == "Vreg" else 0) + (1 if secondary else 0)
        else:
            code = base + (1 if negative else 0)
        o[p + "OutputType"] = code
        o[p + "Polarity"] = not negative
        top = 12 if i == 0 and secondary else 150
        o[p + "Voltage"] = rounded(log_uniform(rng, 2.5 if i == 0 else 0.1, top))
        if all_at_30:
            current = 30.0
        else:
            current = min(30.0, rounded(log_uniform(rng, 0.001, 5)) * scale)
        o[p + "Current"] = current
        o[p + "MinimumCurrent"] = 0 if rng.random() < 0.5 else rounded(rng.uniform(0, min(5, current)))
        first = rounded(rng.uniform(0.1, 2.0), 2)
        o[p + "RippleFirstCell"] = first
        o[p + "RippleSecondCell"] = rounded(rng.uniform(0.01, min(1.0, first)), 2)
        o[p + "CapacitorDerating"] = rounded(rng.uniform(0.3, 10), 2)
        dropout = rng.choice(["Std", "Semi", "Low"])
        o[p + "Regulator.Family"] = dropout + ("Neg" if negative else "Pos")
        loop = secondary and (i == 0 or (not negative and kind in ("Self", "Direct") and regulated < 3
                                         and rng.random() < 0.3))
        o[p + "Regulated"] = loop
        regulated += loop
    if secondary:
        o["OperatingPoint.RegulatedOutputCount"] = regulated


def transformer(rng, o):
    o["Settings.BmaxRatio"] = (100 - rounded(rng.uniform(1, 90), 3)) / 100
    o["Transfo.LeakageRatio"] = rounded(rng.uniform(0.5, 10), 2) / 100
    o["Transfo.Cpri.Value"] = rng.randint(1, 1000) * 1e-12
    o["Transfo.ParallelWireMax"] = rng.randint(1, 10)
    o["Transfo.CoreLossShare"] = rounded(rng.uniform(0.01, 10), 2) / 100
    o["Transfo.MaxDeltaT"] = rounded(rng.uniform(0.1, 100), 3)
    o["Transfo.WindowFactor"] = rounded(rng.uniform(0.01, 1), 2)
    o["Settings.WindingOptimisationType"] = rng.randint(0, 2)
    o["Settings.CoreCriterionTemp"] = rng.random() < 0.5
    o["Settings.GeometryListType"] = rng.choice(FAMILIES)
    o["Settings.UserPrimaryInductance"] = rng.random() < 0.1
    if o["Settings.UserPrimaryInductance"]:
        o["Transfo.Lprimary.Value"] = rounded(log_uniform(rng, 0.01, 100)) / 1000
    o["Settings.UserPrimaryTurns"] = rng.random() < 0.1
    if o["Settings.UserPrimaryTurns"]:
        o["Transfo.PrimaryTurns"] = rng.randint(1, 500)
    o["Settings.UserCoreGeometry"] = rng.random() < 0.1
    if o["Settings.UserCoreGeometry"]:
        o["@Core"] = rng.randrange(STANDARD_CORES)
    o["Settings.UserCoreMaterial"] = rng.random() < 0.1
    if o["Settings.UserCoreMaterial"]:
        o["@Material"] = rng.randrange(MATERIALS)


def design(rng):
    o = {}
    input_stage(rng, o)
    chip(rng, o)
    secondary = rng.random() < 0.3
    o["OperatingPoint.SecondaryRegulation"] = secondary
    draw = rng.random()
    all_at_30 = draw < 0.1
    scale = 30 if draw < 0.35 else 1
    outputs(rng, o, secondary, scale, all_at_30)
    transformer(rng, o)
    return o


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--count", type=int, default=2000)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("dir")
    args = parser.parse_args()
    rng = random.Random(args.seed)
    os.makedirs(args.dir, exist_ok=True)
    for n in range(1, args.count + 1):
        with open(os.path.join(args.dir, f"{n:04d}.json"), "w") as f:
            json.dump(design(rng), f, indent=1)
            f.write("\n")


if __name__ == "__main__":
    main()
