#pragma once
// The plot data file (.kv7p) read back the way the program's result plots
// read it: word by word, line ends do not matter. The records, in order:
//   P1 PlotHeader          CurveCount RowsPerCurve Units LoadTransferMethod (integers)
//   P2 CapacityRow         CurveCount x RowsPerCurve rows of
//                          Depth SkinFriction TipResistance TotalCapacity UnitSkinFriction
//   P3 TzCurveCount        then per curve: CurveNumber TzPointCount CurveDepth,
//                          and 10 points LoadTransfer Movement
//   P4 LoadDistributionRow 9 x RowsPerCurve rows of Depth AxialLoad Movement
//   P5 LoadSettlementRow   9 rows of TopLoad TopMovement TipLoad TipMovement
//   P6 as P3, only when the project lists extra t-z depths
// Nothing follows P6.
#include <gtest/gtest.h>

#include <charconv>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace korva::test {

struct PlotTzCurve {
    int number = 0;
    int point_count = 0;
    double depth = 0.0;
    std::vector<double> load_transfer; // 10
    std::vector<double> movement;      // 10
};

struct PlotDistributionRow {
    double depth = 0.0;
    double axial_load = 0.0;
    double movement = 0.0;
};

struct PlotSettlementRow {
    double top_load = 0.0;
    double top_movement = 0.0;
    double tip_load = 0.0;
    double tip_movement = 0.0;
};

struct PlotData {
    // P1, P2 (present when the file holds the capacity records)
    int curve_count = 0;
    int rows_per_curve = 0;
    int units = 0;
    int load_transfer_method = 0;
    std::vector<std::vector<double>> capacity_rows; // 5 values each
    // P3-P6
    std::vector<PlotTzCurve> tz_curves;
    std::vector<PlotDistributionRow> distribution;
    std::vector<PlotSettlementRow> settlement;
    std::vector<PlotTzCurve> extra_curves;
    bool has_extra = false;
    bool complete = false;      // every record read
    std::size_t words_left = 0; // words after the last record
};

class PlotWords {
public:
    explicit PlotWords(const std::string& text)
    {
        std::istringstream in(text);
        for (std::string word; in >> word;)
            words_.push_back(word);
    }
    std::optional<double> Float() { return Next<double>(); }
    std::optional<int> Integer() { return Next<int>(); }
    std::size_t Left() const { return words_.size() - at_; }

private:
    template <typename T>
    std::optional<T> Next()
    {
        if (at_ >= words_.size())
            return std::nullopt;
        const std::string& w = words_[at_++];
        T value{};
        const auto [end, ec] = std::from_chars(w.data(), w.data() + w.size(), value);
        if (ec != std::errc() || end != w.data() + w.size())
            return std::nullopt;
        return value;
    }

    std::vector<std::string> words_;
    std::size_t at_ = 0;
};

inline bool ReadTzCurves(PlotWords& words, std::vector<PlotTzCurve>& curves)
{
    const auto count = words.Integer();
    if (!count || *count < 0)
        return false;
    for (int c = 0; c < *count; ++c) {
        PlotTzCurve curve;
        const auto number = words.Integer();
        const auto points = words.Integer();
        const auto depth = words.Float();
        if (!number || !points || !depth)
            return false;
        curve.number = *number;
        curve.point_count = *points;
        curve.depth = *depth;
        for (int p = 0; p < 10; ++p) { // 10 points whatever the count says
            const auto t = words.Float();
            const auto z = words.Float();
            if (!t || !z)
                return false;
            curve.load_transfer.push_back(*t);
            curve.movement.push_back(*z);
        }
        curves.push_back(curve);
    }
    return true;
}

// Reads P3-P6 with rows_per_curve distribution rows per block; with_extra
// reads P6 (the program reads it only when the project has extra depths).
inline bool ReadLoadTransferRecords(PlotWords& words, PlotData& data, int rows_per_curve, bool with_extra)
{
    if (!ReadTzCurves(words, data.tz_curves))
        return false;
    for (int r = 0; r < 9 * rows_per_curve; ++r) {
        const auto depth = words.Float();
        const auto load = words.Float();
        const auto movement = words.Float();
        if (!depth || !load || !movement)
            return false;
        data.distribution.push_back({*depth, *load, *movement});
    }
    for (int r = 0; r < 9; ++r) {
        const auto top_load = words.Float();
        const auto top_movement = words.Float();
        const auto tip_load = words.Float();
        const auto tip_movement = words.Float();
        if (!top_load || !top_movement || !tip_load || !tip_movement)
            return false;
        data.settlement.push_back({*top_load, *top_movement, *tip_load, *tip_movement});
    }
    if (with_extra) {
        data.has_extra = true;
        if (!ReadTzCurves(words, data.extra_curves))
            return false;
    }
    return true;
}

// The whole file, P1 to P6.
inline PlotData ReadPlotData(const std::string& text, bool with_extra)
{
    PlotData data;
    PlotWords words(text);
    const auto curves = words.Integer();
    const auto rows = words.Integer();
    const auto units = words.Integer();
    const auto method = words.Integer();
    if (!curves || !rows || !units || !method)
        return data;
    data.curve_count = *curves;
    data.rows_per_curve = *rows;
    data.units = *units;
    data.load_transfer_method = *method;
    for (int r = 0; r < *curves * *rows; ++r) {
        std::vector<double> row;
        for (int v = 0; v < 5; ++v) {
            const auto value = words.Float();
            if (!value)
                return data;
            row.push_back(*value);
        }
        data.capacity_rows.push_back(row);
    }
    data.complete = ReadLoadTransferRecords(words, data, *rows, with_extra);
    data.words_left = words.Left();
    return data;
}

// Only P3-P6, as the load-transfer part writes them.
inline PlotData ReadLoadTransferPlotData(const std::string& text, int rows_per_curve, bool with_extra)
{
    PlotData data;
    PlotWords words(text);
    data.rows_per_curve = rows_per_curve;
    data.complete = ReadLoadTransferRecords(words, data, rows_per_curve, with_extra);
    data.words_left = words.Left();
    return data;
}

} // namespace korva::test
