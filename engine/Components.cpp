#include "Components.h"

#include <cmath>

#include "ComponentRows.h"
#include "NumberText.h"
#include "Variables.h"

namespace zorvic {

std::array<DiodeRecord, DiodeTableSize> DiodeTable;
std::array<CapacitorRecord, CapacitorTableSize> CapacitorTable;
std::array<RegulatorRecord, RegulatorTableSize> RegulatorTable;
std::array<ChipRecord, ChipTableSize> ChipTable;
std::array<PackageRecord, 5> PackageTable;
std::array<CoreMaterial, CoreMaterialTableSize> CoreMaterialTable;
std::array<std::string, 5> SupplierNames;
std::array<CoreGeometry, StandardCoreTableSize> StandardCoreTable;
std::array<CoreGeometry, CandidateCoresSize> CandidateCores;
int16_t CandidateCoreLast = 0;
std::array<CoreGeometry, CustomCoreListSize> CustomCoreList;
int16_t CustomCoreCount = 0;
std::array<WireRecord, WireTableSize> WireTable;
std::array<ClampRecord, ClampTableSize> ClampTable;

ChipRecord CurrentChip;
ChipRecord ChipWork;
CoreGeometry CurrentCore;
CoreMaterial CurrentMaterial;
std::string CoreSupplier;
WireRecord WorkWire;
ClampRecord CurrentClamp;

std::string NextField(int32_t& start, int32_t& pos, const std::string& row, bool& lastItem) {
    // Positions are 1-based as in the row format; 0 means "not found".
    auto findFrom = [&row](char c, int32_t from) -> int32_t {
        if (from < 1) from = 1;
        const auto found = row.find(c, static_cast<std::size_t>(from - 1));
        return found == std::string::npos ? 0 : static_cast<int32_t>(found) + 1;
    };
    start = pos + 1;
    pos = findFrom(',', start);
    const int32_t dash = findFrom('-', start);
    if (dash != 0 && dash < pos) {
        pos = dash;
        lastItem = false;
    } else {
        lastItem = true;
    }
    // A row without its closing "," is a fault of the program's data; read to its end.
    const int32_t end = pos == 0 ? static_cast<int32_t>(row.size()) + 1 : pos;
    const auto length = static_cast<std::size_t>(std::max(0, end - start));
    if (static_cast<std::size_t>(start) > row.size()) return {};
    std::string field = row.substr(static_cast<std::size_t>(start - 1), length);
    if (!Settings.DecimalPointIsDot) {
        // The locale reads numbers with ","; the rows are written with ".".
        const int32_t point = findFrom('.', start);
        if (point >= 1 && point >= start && point < end) field[static_cast<std::size_t>(point - start)] = ',';
    }
    return field;
}

namespace {

// Walks the fields of one row in column order.
class RowReader {
public:
    explicit RowReader(const char* text) : row_(text) {
        const auto comma = row_.find(',');
        name_ = row_.substr(0, comma);
        pos_ = comma == std::string::npos ? static_cast<int32_t>(row_.size()) : static_cast<int32_t>(comma) + 1;
    }

    const std::string& Name() const { return name_; }

    std::string Text() { return NextField(start_, pos_, row_, lastItem_); }

    float Number() { return ToFloat(Text()); }

    // One call per list item, from element `first`, until the item that ends the list.
    template <typename Store>
    void List(int first, int capacity, Store store) {
        int element = first;
        do {
            const std::string item = Text();
            if (element < capacity) store(element, item);
            ++element;
        } while (!lastItem_);
    }

    static float ToFloat(const std::string& text) {
        float value = 0;
        ParseLocaleNumber(text, value);
        return value;
    }

private:
    std::string row_;
    std::string name_;
    int32_t start_ = 0;
    int32_t pos_ = 0;
    bool lastItem_ = true;
};

// Table values are scaled in 32-bit floats, the constants included, like every other formula.
float Times(float value, float factor) { return value * factor; }
float Over(float value, float divisor) { return value / divisor; }

}  // namespace

void InitDiodeTable() {
    for (int i = 0; i < DiodeTableSize; ++i) {
        RowReader r(rows::Diodes[static_cast<std::size_t>(i)]);
        DiodeRecord& d = DiodeTable[static_cast<std::size_t>(i)];
        d = {};
        d.Name = r.Name();
        d.Vf = r.Number();
        d.If = r.Number();
        d.Vrrm = r.Number();
        d.Ir = Times(r.Number(), 0.001f);
        d.Vt0 = r.Number();
        d.Rd = r.Number();
        d.Index = static_cast<int16_t>(i);
        d.VfAtIf = d.Vt0 + d.Rd * d.If;
        d.VfCopy = d.Vf;
    }
}

void InitClampTable() {
    Clamper.Diode.Name = "RD060";
    Clamper.Diode.Trr = 9e-8f;
    for (int i = 0; i < ClampTableSize; ++i) {
        RowReader r(rows::Clamps[static_cast<std::size_t>(i)]);
        ClampRecord& c = ClampTable[static_cast<std::size_t>(i)];
        c = {};
        c.Series = r.Name();
        r.List(1, 14, [&c](int k, const std::string& item) {
            const auto e = static_cast<std::size_t>(k);
            c.Vbr[e] = RowReader::ToFloat(item);
            c.VbrMax[e] = Times(c.Vbr[e], 1.106f);
        });
        r.List(1, 14, [&c, i](int k, const std::string& item) {
            c.Code[static_cast<std::size_t>(k)] = Str(RowReader::ToFloat(item)) + (i == 2 ? "A" : "");
        });
        r.List(1, 14, [&c](int k, const std::string& item) {
            c.Coef[static_cast<std::size_t>(k)] = RowReader::ToFloat(item);
        });
        c.PowerRating = r.Number();
    }
    CurrentClamp = ClampTable[0];
    Clamper.Clamp = ClampTable[0];
}

void InitCapacitorTable() {
    for (int i = 0; i < CapacitorTableSize; ++i) {
        RowReader r(rows::Capacitors[static_cast<std::size_t>(i)]);
        CapacitorRecord& c = CapacitorTable[static_cast<std::size_t>(i)];
        c = {};
        c.Series = r.Name();
        r.List(1, 38, [&c](int k, const std::string& item) {
            c.C[static_cast<std::size_t>(k)] = Times(RowReader::ToFloat(item), 1e-6f);
        });
        c.Vrated = r.Number();
        r.List(1, 38, [&c](int k, const std::string& item) {
            c.Irms[static_cast<std::size_t>(k)] = Over(RowReader::ToFloat(item), 1000.0f);
        });
        r.List(1, 38, [&c](int k, const std::string& item) {
            c.Esr[static_cast<std::size_t>(k)] = RowReader::ToFloat(item);
        });
    }
}

void InitRegulatorTable() {
    for (int i = 0; i < RegulatorTableSize; ++i) {
        RowReader r(rows::Regulators[static_cast<std::size_t>(i)]);
        RegulatorRecord& g = RegulatorTable[static_cast<std::size_t>(i)];
        g = {};
        g.Name = r.Name();
        r.List(1, 19, [&g](int k, const std::string& item) {
            g.Vout[static_cast<std::size_t>(k)] = RowReader::ToFloat(item);
        });
        g.VinMax = r.Number();
        g.IoutMax = r.Number();
        g.Vdrop = r.Number();
        g.VdropSlope = r.Number();
        g.Family = r.Text();
    }
}

void InitChipTable() {
    for (int i = 0; i < ChipTableSize; ++i) {
        RowReader r(rows::Chips[static_cast<std::size_t>(i)]);
        ChipRecord& c = ChipTable[static_cast<std::size_t>(i)];
        c = {};
        c.Name = r.Name();
        c.Family = CInt(r.Number());
        c.Vdd1 = r.Number();
        c.Vdd2 = r.Number();
        c.Vdd3 = r.Number();
        c.VddReg = r.Number();
        c.FixedFrequency = r.Number();
        c.IddOffset = r.Number();
        c.Rdson = r.Number();
        c.Vdmax = r.Number();
        c.Idlim = r.Number();
        c.IddSlope = r.Number();
        c.OscK1 = r.Number();
        c.OscK2 = r.Number();
        c.OscK3 = r.Number();
        c.Coss = Times(r.Number(), 1e-12f);
        c.Tswitch = Times(r.Number(), 1e-9f);
        c.Param17 = Over(r.Number(), 1000.0f);
        c.Param18 = Over(r.Number(), 1000.0f);
        c.Param19 = r.Number();
        c.TonMin = Times(r.Number(), 1e-6f);
        c.Param21 = Times(r.Number(), 1e-6f);
        c.Param22 = r.Number();
        r.List(0, 5, [&c](int k, const std::string& item) {
            c.Packages[static_cast<std::size_t>(k)] = CInt(RowReader::ToFloat(item));
        });
        c.InputBiasCurrent = Times(r.Number(), 1e-6f);
        c.MaxFrequency = r.Number();
        c.Param26 = Over(r.Number(), 1e6f);
        c.Param27 = r.Number();
        c.Param28 = r.Number();
        c.Param29 = Times(r.Number(), 1e-11f);
        c.Index = static_cast<int16_t>(i);
    }
    PackageTable[1] = {"TO220", 2};
    PackageTable[2] = {"HTP10", 2};
    PackageTable[3] = {"DIP8", 15};
    PackageTable[4] = {"SO8", 25};
    OperatingPoint.ChipPackageType = 0;
    CurrentChip = ChipTable[15];
    const auto package = static_cast<std::size_t>(CurrentChip.Packages[0]);
    OperatingPoint.RthJunctionPin = package < PackageTable.size() ? PackageTable[package].Rth : 0;
}

void InitCoreTables() {
    for (int i = 0; i < CoreMaterialTableSize; ++i) {
        RowReader r(rows::CoreMaterials[static_cast<std::size_t>(i)]);
        CoreMaterial& m = CoreMaterialTable[static_cast<std::size_t>(i)];
        m = {};
        m.Name = r.Name();
        m.Supplier = r.Text();
        m.K = r.Number();
        m.K1 = r.Number();
        m.K2 = r.Number();
        m.Ui25 = r.Number();
        m.Ui100 = r.Number();
        m.Hsat = r.Number();
        m.Bsat = Over(r.Number(), 1000.0f);
        m.FreqMin = CLng(r.Number() * 1000.0f);
        m.FreqMax = CLng(r.Number() * 1000.0f);
        r.Text();  // column 11 is carried by the rows but not used
        m.Index = static_cast<int16_t>(i);
        // A grade gives one of its two permeabilities; the other follows at the ratio 2.3.
        if (m.Ui100 == 0 && m.Ui25 != 0) m.Ui100 = Times(m.Ui25, 2.3f);
        if (m.Ui25 == 0) m.Ui25 = Over(m.Ui100, 2.3f);
        m.Bdc = 0;
    }
    SupplierNames = {"PHILIPS", "SIEMENS", "TDK", "MCM", "THOMSON"};

    int candidate = 0;
    for (int i = 0; i < StandardCoreTableSize; ++i) {
        RowReader r(rows::CoreGeometries[static_cast<std::size_t>(i)]);
        CoreGeometry& g = StandardCoreTable[static_cast<std::size_t>(i)];
        g = {};
        g.Series = r.Name();
        g.Name = r.Text();
        g.Ae = r.Number();
        g.Le = r.Number();
        g.LeOverAe = r.Number();
        g.Ve = r.Number();
        g.Lm = r.Number();
        g.W = r.Number();
        g.Rth = r.Number();
        g.Index = static_cast<int16_t>(i);
        if (g.Series == Settings.GeometryListType) {
            CandidateCores[static_cast<std::size_t>(candidate)] = g;
            CandidateCoreLast = static_cast<int16_t>(candidate);
            ++candidate;
        }
    }
}

void InitWireTable() {
    for (int i = 0; i < WireTableSize; ++i) {
        RowReader r(rows::Wires[static_cast<std::size_t>(i)]);
        WireRecord& w = WireTable[static_cast<std::size_t>(i)];
        w = {};
        w.Awg = CInt(RowReader::ToFloat(r.Name()));
        w.Area = r.Number();
        w.AreaIns = r.Number();
        w.Rlin = r.Number();
        w.Index = static_cast<int16_t>(i);
    }
}

void BuildComponentTables() {
    InitDiodeTable();
    InitClampTable();
    InitCapacitorTable();
    InitRegulatorTable();
    InitChipTable();
    InitCoreTables();
    InitWireTable();
}

}  // namespace zorvic
