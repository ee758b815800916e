#!/usr/bin/env python3
"""Writes random designs within the editors' limits as zorvic_dump override files, DIR/rNNNN.json.

    random_designs.py DIR COUNT [SEED]

They mix AC and DC inputs, every chip, one to six outputs of every kind, both core criteria,
every winding kind and several core series; sweep.sh pairs BUILD DIR and sweep.sh same take them.
"""
import json
import random
import sys

FAMILIES = ["StdPos", "StdNeg", "SemiPos", "SemiNeg", "LowPos", "LowNeg"]
SERIES = ["E", "E", "E", "RM", "EFD", "Any"]


def design(rng):
    d = {"@Chip": rng.randrange(17)}
    d["InputStage.SwitchingFrequency"] = rng.randrange(20000, 200001, 1000)
    d["InputStage.ReflectedVoltage"] = rng.randrange(40, 160)
    d["OperatingPoint.AmbientTemperature"] = rng.randrange(0, 121)
    d["OperatingPoint.RthPinAmbient"] = round(rng.uniform(5, 80), 1)
    d["OperatingPoint.RthJunctionPin"] = round(rng.uniform(1, 10), 1)
    if rng.random() < 0.7:
        d["Settings.ACInput"] = True
        d["InputStage.VacMin"] = rng.randrange(85, 200)
        d["InputStage.VacMax"] = rng.randrange(max(d["InputStage.VacMin"] + 10, 180), 280)
        d["InputStage.MainsFrequency"] = rng.choice([50, 60])
    else:
        d["Settings.ACInput"] = False
        low = rng.randrange(12, 200)
        d["InputStage.DCInputMin"] = low
        d["InputStage.DCInputMax"] = rng.randrange(low + 5, low * 3 + 10)
    d["Clamper.RCClamper"] = rng.random() < 0.7
    d["Settings.CoreCriterionTemp"] = rng.random() < 0.5
    d["Settings.WindingOptimisationType"] = rng.randrange(3)
    d["Settings.GeometryListType"] = rng.choice(SERIES)
    d["Transfo.ParallelWireMax"] = rng.randrange(1, 11)
    d["Transfo.CoreLossShare"] = round(rng.uniform(0.01, 0.05), 3)
    last = rng.randrange(6)
    d["Settings.AdditionalOutputs"] = last
    secondary = rng.random() < 0.3
    d["OperatingPoint.SecondaryRegulation"] = secondary
    for i in range(last + 1):
        o = "Outputs[%d]." % i
        if i == 0:
            kind = rng.choice([9, 11, 13]) + (1 if secondary else 0)
        else:
            kind = rng.randrange(1, 9)
        d[o + "OutputType"] = kind
        d[o + "Voltage"] = round(rng.uniform(3.3, 48), 1)
        d[o + "Current"] = round(rng.uniform(0.02, 3), 2)
        d[o + "MinimumCurrent"] = round(rng.uniform(0, 0.1), 2)
        d[o + "Polarity"] = i == 0 or rng.random() < 0.7
        d[o + "Regulated"] = secondary and i == 0
        d[o + "CapacitorDerating"] = round(rng.uniform(1, 4), 1)
        d[o + "Regulator.Family"] = rng.choice(FAMILIES)
    return d


def main():
    if len(sys.argv) not in (3, 4):
        sys.exit(__doc__)
    folder, count = sys.argv[1], int(sys.argv[2])
    rng = random.Random(int(sys.argv[3]) if len(sys.argv) == 4 else 1)
    for n in range(count):
        with open("%s/r%04d.json" % (folder, n), "w") as f:
            json.dump(design(rng), f)


if __name__ == "__main__":
    main()
