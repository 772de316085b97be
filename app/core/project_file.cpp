// The project file (".kv7d") and the CPT point file: SaveToFile writes them
// record by record as the engine reads them; CreateFromFile reads a project
// file word by word in the current layout and in the two older ones
// (".kv6d", ".kvd").
#include <exception>
#include <filesystem>

#include "atomic_file.h"
#include "column_types.h"
#include "cpt_point_file.h"
#include "file_text.h"
#include "grid_table.h"
#include "guards.h"
#include "int_utils.h"
#include "option_rules.h"
#include "program_data.h"
#include "project_tables.h"
#include "string_utils.h"
#include "word_reader.h"

namespace korva::app {

using components::EInOutError;
using components::FormatInteger;
using components::TGridTable;
using components::TWordReader;

namespace {

// The placeholder of a soil-point value that the soil type does not have.
constexpr const char* kNone = "0.0";

TProjectTables& TablesOf(const TProgramData& data)
{
    components::Check(data.Host().Tables != nullptr, "The project has no tables");
    return *data.Host().Tables;
}

// ---------------------------------------------------------------------------
// Writing

class ProjectFileWriter {
public:
    ProjectFileWriter(TProgramData& data, TProjectTables& tables) : p_(data), t_(tables) {}

    // The file's text; zeroes the user unit values of sand and clay layers
    // first when no method uses them.
    std::string Text(bool keepUserValues);

private:
    void Line(const std::string& line)
    {
        text_ += line;
        text_ += kLineEnd;
    }
    // real10: the general format with 10 significant digits, more where a
    // value needs them to read back the same (a value a unit switch made).
    static std::string Real(Extended value, const char* field)
    {
        RequireFinite(value, std::string("The value of ") + field);
        return components::FormatGeneralKeeping(value, components::kProjectFilePrecision);
    }
    // An integer code written through the real10 form.
    static std::string Coded(std::int32_t value) { return FloatStrGeneral(value); }
    // The text of a grid-table cell.
    static std::string Cell(TGridTable& table, int col, int row);
    void SoilPoint(int layer, int row, bool keepUserValues);

    TProgramData& p_;
    TProjectTables& t_;
    std::string text_;
};

std::string ProjectFileWriter::Cell(TGridTable& table, int col, int row)
{
    const components::TData& cell = table.Cell(col, row);
    if (!dynamic_cast<const components::TFloatColumn*>(&cell.Column()))
        return cell.GetAsString();
    // The cell's 8 digits, more where the value needs them to read back.
    const Extended value = cell.GetAsFloat();
    RequireFinite(value, "The value in row " + FormatInteger(row + 1) + ", column " + FormatInteger(col + 1) +
                             " of the table \"" + table.Caption + "\"");
    return components::FormatGeneralKeeping(value, components::kCellPrecision);
}

// Soil point `row` (0 the top, 1 the bottom) of a layer: line A, then line B.
void ProjectFileWriter::SoilPoint(int layer, int row, bool keepUserValues)
{
    TGridTable& d = t_.D;
    const int type = d.Cell(layer_col::SoilType, layer).GetAsInteger();
    TGridTable& sub = d.Cell(layer_col::Properties, layer).GetAsTable();
    auto D = [&](int col) { return Cell(d, col, layer); };
    auto S = [&](int col) { return Cell(sub, col, row); };

    std::string depth;
    if (row == 1)
        depth = D(layer_col::LayerBottom);
    else if (layer == 0)
        depth = kNone;
    else
        depth = Cell(d, layer_col::LayerBottom, layer - 1);

    auto words = [](std::initializer_list<std::string> list) {
        std::string line;
        for (const std::string& word : list)
            line += word + " ";
        return line;
    };
    if ((type == kSand || type == kClay) && !keepUserValues) {
        sub.Cell(sand_col::UserUnitSkinFriction, row).SetAsFloat(0);
        sub.Cell(sand_col::UserUnitEndBearing, row).SetAsFloat(0);
    }
    switch (type) {
    case kSand:
        Line(words({depth, "1", S(sand_col::Ko), S(sand_col::EffectiveUnitWeight), S(sand_col::FrictionAngle),
                    S(sand_col::Nq)}));
        Line(words({D(layer_col::MaxSideFriction), D(layer_col::MaxEndBearing), kNone, S(sand_col::BlowCounts), kNone,
                    kNone, S(sand_col::ConeResistance), S(sand_col::UserUnitSkinFriction),
                    S(sand_col::UserUnitEndBearing), D(layer_col::SideFrictionFactor),
                    D(layer_col::EndBearingFactor), "0"}));
        break;
    case kClay:
        Line(words({depth, "2", kNone, S(clay_col::EffectiveUnitWeight), kNone, kNone}));
        Line(words({D(layer_col::MaxSideFriction), D(layer_col::MaxEndBearing), S(clay_col::UndrainedShearStrength),
                    S(clay_col::RemoldedShearStrength), S(clay_col::YieldStressRatio), S(clay_col::PlasticityIndex),
                    S(clay_col::ConeResistance), S(clay_col::UserUnitSkinFriction),
                    S(clay_col::UserUnitEndBearing), D(layer_col::SideFrictionFactor),
                    D(layer_col::EndBearingFactor), S(clay_col::AdhesionMethod)}));
        break;
    case kSilt:
        Line(words({depth, "3", S(silt_col::Ko), S(silt_col::EffectiveUnitWeight), S(silt_col::FrictionAngle),
                    kNone}));
        Line(words({D(layer_col::MaxSideFriction), D(layer_col::MaxEndBearing), S(silt_col::UndrainedShearStrength),
                    S(silt_col::BlowCounts), kNone, kNone, kNone, kNone, kNone, D(layer_col::SideFrictionFactor),
                    D(layer_col::EndBearingFactor), "0"}));
        break;
    default:
        throw EProjectDataError("Soil layer " + FormatInteger(layer + 1) + " has no soil type.");
    }
}

std::string ProjectFileWriter::Text(bool keepUserValues)
{
    TGridTable& d = t_.D;
    const int layers = d.RowCount();
    Line(SingleLine(p_.ProjectTitle));
    Line(SingleLine(p_.DesignerName));
    Line(SingleLine(p_.JobNumber));
    Line(FormatInteger(p_.Units) + " " + FormatInteger(p_.PrintEvery) + " " + FormatInteger(2 * layers) + " " +
         (p_.ClosedEnded == 1 ? "1" : "0") + " ");
    Line((p_.CircularSection == 1 ? std::string("0") : Real(p_.Perimeter, "the perimeter")) + " " +
         Real(p_.TipArea, "the tip area") + " " + Real(p_.OuterDiameter, "the outside diameter") + " " +
         Real(p_.InnerDiameter, "the inside diameter") + " " + Real(p_.ElasticModulus, "the modulus of elasticity") +
         " " + Real(p_.PileLength, "the pile length") + " " + Real(p_.StickupLength, "the stickup length"));
    Line(Real(p_.EndSectionLength, "the end-section length") + " " +
         Real(p_.EndSectionInnerDiameter, "the end-section inside diameter"));
    Line(Real(p_.ZeroFrictionLength, "the zero-friction length") + " " +
         Real(p_.IncrementLength, "the increment length") + " " + FormatInteger(p_.PileType) + " " +
         Real(p_.TaperAngle, "the taper angle") + " " + FormatInteger(p_.LoadTransferMethod) + " " +
         FormatInteger(p_.OffshoreEdition) + " " + FormatInteger(p_.ReducedTzFactors));
    std::string flags;
    for (int method = pmFhwa; method <= pmUwa; ++method)
        flags += FormatInteger(p_.MethodSelected[method]) + " ";
    Line(flags);
    Line(Cell(d, layer_col::LayerBottom, layers - 1) + " " + Real(p_.SectionArea, "the cross-section area"));
    for (int layer = 0; layer < layers; ++layer)
        for (int row = 0; row < 2; ++row)
            SoilPoint(layer, row, keepUserValues);
    Line(FormatInteger(p_.ExtraTZDepths));
    if (p_.ExtraTZDepths == 1) {
        Line(FormatInteger(t_.TblTZDepth.RowCount()));
        for (int row = 0; row < t_.TblTZDepth.RowCount(); ++row)
            Line(Cell(t_.TblTZDepth, 0, row) + " ");
    }
    Line(Coded(p_.LoadDirection) + " " + Real(p_.TensionReduction, "the tension reduction factor"));
    Line(Coded(p_.DrainedClay) + " " + Coded(p_.PlugCondition));
    TGridTable& sections = t_.Sectionaldata;
    Line(Coded(sections.RowCount()) + " " + Coded(p_.SectionAreaMode));
    if (sections.RowCount() > 1)
        for (int row = 0; row < sections.RowCount(); ++row)
            Line(Cell(sections, section_col::DistanceFromHead, row) + " " +
                 Cell(sections, section_col::CrossSectionArea, row));
    Line(Coded(p_.CriticalDepthMode) + " " + Real(p_.CriticalDepth, "the critical depth"));
    return text_;
}

// ---------------------------------------------------------------------------
// Reading

class ProjectFileReader {
public:
    ProjectFileReader(TProgramData& data, TProjectTables& tables, TWordReader& reader, int layout)
        : p_(data), t_(tables), r_(reader), newer_(layout <= pfvPrevious), current_(layout == pfvCurrent)
    {
    }
    void Read();

private:
    Extended Float() { return r_.ReadFloat(); }
    std::int32_t Int() { return r_.ReadInteger(); }
    void Skip() { r_.ReadFloat(); }
    // A count of rows within the program's limit.
    int Count(int value, const char* what, int limit) const
    {
        if (value < 0 || value > limit)
            r_.InputError("The number of " + std::string(what) + " (" + FormatInteger(value) +
                          ") must be between 0 and " + FormatInteger(limit) + ".");
        return value;
    }
    // The soil points come in pairs, the top and the bottom of each layer:
    // a count that is odd or beyond the layers' limit would read the rest of
    // the file into the wrong fields.
    int SoilLayerCount(int soilPoints) const
    {
        if (soilPoints < 0 || soilPoints > 2 * kMaxSoilLayers || soilPoints % 2 != 0)
            r_.InputError("The number of soil points (" + FormatInteger(soilPoints) +
                          ") must be an even number between 0 and " + FormatInteger(2 * kMaxSoilLayers) +
                          " (two points for each soil layer).");
        return soilPoints / 2;
    }
    // An enumerated code: a value outside its set would be taken for one of
    // its members, and not always for the same one by the program and the
    // engine (an English project read as SI, a load direction drawn as
    // uplift and run as compression).
    int Code(const std::string& what, int lowest, int highest, const std::string& choices)
    {
        const int value = Int();
        if (value < lowest || value > highest)
            r_.InputError("The " + what + " (" + FormatInteger(value) + ") must be " + choices + ".");
        return value;
    }
    int Flag(const std::string& what) { return Code(what, 0, 1, "0 or 1"); }
    int SoilType() { return Code("soil type", kSand, kSilt, "1 (sand), 2 (clay) or 3 (silt)"); }
    void Layer(int layer);
    void SoilPoint(int layer, int row, int type);

    TProgramData& p_;
    TProjectTables& t_;
    TWordReader& r_;
    const bool newer_;   // ".kv7d" or ".kv6d"
    const bool current_; // ".kv7d"
};

void ProjectFileReader::Layer(int layer)
{
    TGridTable& d = t_.D;
    Skip(); // the top's depth is the bottom of the layer above
    int type = SoilType();
    d.Cell(layer_col::SoilType, layer).SetAsInteger(type);
    TGridTable& sub = d.Cell(layer_col::Properties, layer).GetAsTable();
    sub.SetNumber(layer + 1);
    sub.SetRowCount(sub.MinRows());
    SoilPoint(layer, 0, type);

    d.Cell(layer_col::LayerBottom, layer).SetAsFloat(Float());
    type = SoilType();
    d.Cell(layer_col::SoilType, layer).SetAsInteger(type);
    SoilPoint(layer, 1, type);
}

// Line A from its third word, then line B, of a soil point of the type.
void ProjectFileReader::SoilPoint(int layer, int row, int type)
{
    TGridTable& d = t_.D;
    TGridTable& sub = d.Cell(layer_col::Properties, layer).GetAsTable();
    auto D = [&](int col) { d.Cell(col, layer).SetAsFloat(Float()); };
    auto S = [&](int col) { sub.Cell(col, row).SetAsFloat(Float()); };
    auto SInt = [&](int col) { sub.Cell(col, row).SetAsInteger(Int()); };
    auto Skips = [&](int count) {
        for (int word = 0; word < count; ++word)
            Skip();
    };

    switch (type) {
    case kSand:
        S(sand_col::Ko);
        S(sand_col::EffectiveUnitWeight);
        S(sand_col::FrictionAngle);
        S(sand_col::Nq);
        D(layer_col::MaxSideFriction);
        D(layer_col::MaxEndBearing);
        Skips(1);
        SInt(sand_col::BlowCounts);
        Skips(2);
        S(sand_col::ConeResistance);
        S(sand_col::UserUnitSkinFriction);
        S(sand_col::UserUnitEndBearing);
        if (newer_) {
            D(layer_col::SideFrictionFactor);
            D(layer_col::EndBearingFactor);
        }
        Skips(current_ ? 1 : 0);
        break;
    case kClay:
        Skips(1);
        S(clay_col::EffectiveUnitWeight);
        Skips(2);
        D(layer_col::MaxSideFriction);
        D(layer_col::MaxEndBearing);
        S(clay_col::UndrainedShearStrength);
        S(clay_col::RemoldedShearStrength);
        S(clay_col::YieldStressRatio);
        S(clay_col::PlasticityIndex);
        S(clay_col::ConeResistance);
        S(clay_col::UserUnitSkinFriction);
        S(clay_col::UserUnitEndBearing);
        if (newer_) {
            D(layer_col::SideFrictionFactor);
            D(layer_col::EndBearingFactor);
            sub.Cell(clay_col::AdhesionMethod, row).SetAsInteger(0);
        }
        if (current_)
            sub.Cell(clay_col::AdhesionMethod, row)
                .SetAsInteger(Code("adhesion method", 0, 3, "0 (estimated) or 1 to 3 (design chart A to C)"));
        break;
    default: // silt: the same in every layout but the last word of line B
        S(silt_col::Ko);
        S(silt_col::EffectiveUnitWeight);
        S(silt_col::FrictionAngle);
        Skips(1);
        D(layer_col::MaxSideFriction);
        D(layer_col::MaxEndBearing);
        S(silt_col::UndrainedShearStrength);
        SInt(silt_col::BlowCounts);
        Skips(5);
        D(layer_col::SideFrictionFactor);
        D(layer_col::EndBearingFactor);
        Skips(current_ ? 1 : 0);
        break;
    }
}

void ProjectFileReader::Read()
{
    p_.ProjectTitle = r_.ReadLine();
    p_.DesignerName = r_.ReadLine();
    p_.JobNumber = r_.ReadLine();

    p_.SetUnits(Code("unit system", 1, 2, "1 (English) or 2 (SI)"));
    // 0 stands for 1 in older files: a save repairs it.
    p_.PrintEvery = Code("number of increments between printed rows", 0, static_cast<int>(kMaxPrintEvery),
                         "between 0 and " + FormatInteger(static_cast<int>(kMaxPrintEvery)));
    const int layers = SoilLayerCount(Int());
    p_.ClosedEnded = r_.WordCount() == 4 && Code("end condition", 0, 1, "0 (open-ended) or 1 (closed-ended)") == 1;
    t_.D.SetRowCount(layers);

    p_.Perimeter = Float();
    p_.CircularSection = p_.Perimeter == 0 ? 1 : 0;
    p_.TipArea = Float();
    p_.OuterDiameter = Float();
    p_.InnerDiameter = Float();
    p_.ElasticModulus = Float();
    p_.PileLength = Float();
    if (newer_)
        p_.StickupLength = Float();
    p_.EndSectionLength = Float();
    p_.EndSectionInnerDiameter = Float();
    p_.ZeroFrictionLength = Float();
    p_.IncrementLength = Float();
    p_.PileType = Code("pile type", ptSteelPipe, ptTaperedMonotube, "between 1 and 7");
    p_.TaperAngle = Float();
    p_.LoadTransferMethod = Code("load-transfer method", pmFhwa, pmUwa, "between 1 and 9");
    Flag("offshore edition"); // the program is always the offshore one
    if (newer_)
        p_.ReducedTzFactors = Code("factors for t-z and Q-w curves", 0, 1, "0 (unfactored) or 1 (reduced)");

    if (newer_) {
        for (int method = pmFhwa; method <= pmUwa; ++method)
            p_.MethodSelected[method] = Flag("selection of method " + FormatInteger(method));
    } else {
        // Older files carry no method flags: every method is selected, the
        // user-specified one when its unit values feed the t-z curves.
        for (int method : {pmFhwa, pmUsace, pmRevisedLambda, pmApi, pmNgi, pmIcpMtd, pmFugro, pmUwa})
            p_.MethodSelected[method] = 1;
        if (p_.LoadTransferMethod == pmUserSpecified)
            p_.MethodSelected[pmUserSpecified] = 1;
    }
    p_.SoilProfileBottom = Float();
    p_.SectionArea = Float();

    for (int layer = 0; layer < layers; ++layer)
        Layer(layer);

    p_.ExtraTZDepths = Flag("option of printing t-z curves");
    if (p_.ExtraTZDepths == 1) {
        const int depths = Count(Int(), "t-z depths", kMaxTzDepths);
        t_.TblTZDepth.SetRowCount(depths);
        for (int row = 0; row < depths; ++row)
            t_.TblTZDepth.Cell(0, row).SetAsFloat(Float());
    }

    p_.LoadDirection = Code("load direction", 0, 1, "0 (compression) or 1 (uplift)");
    p_.TensionReduction = Float();
    p_.DrainedClay = Code("clay condition", 0, 1, "0 (undrained) or 1 (drained)");
    p_.PlugCondition = Code("plug condition", 0, 2, "0 (computed), 1 (plugged) or 2 (unplugged)");

    TGridTable& sections = t_.Sectionaldata;
    sections.SetRowCount(Count(Int(), "section rows", kMaxSectionRows));
    if (r_.WordCount() >= 2)
        p_.SectionAreaMode = Code("section area mode", 0, 2,
                                  "0 (from the section), 1 (constant area) or 2 (by the depth table)");
    else
        p_.SectionAreaMode = sections.RowCount() >= 2 ? 2 : p_.SectionArea != 0 ? 1 : 0;
    if (sections.RowCount() > 1)
        for (int row = 0; row < sections.RowCount(); ++row) {
            sections.Cell(section_col::DistanceFromHead, row).SetAsFloat(Float());
            sections.Cell(section_col::CrossSectionArea, row).SetAsFloat(Float());
        }

    if (newer_) {
        p_.CriticalDepthMode = Code("critical depth method for sand", 0, 2, "0, 1 or 2");
        p_.CriticalDepth = Float();
    }
}

} // namespace

int ProjectFileLayout(const std::string& fileName, int version)
{
    if (version == pfvCurrent || version == pfvPrevious || version == pfvOlder)
        return version;
    const std::string extension = components::LowerCase(ExtractFileExt(fileName));
    if (extension == ".kv7d")
        return pfvCurrent;
    if (extension == ".kv6d")
        return pfvPrevious;
    return pfvOlder;
}

void TProgramData::SaveToFile()
{
    TProjectTables& tables = TablesOf(*this);
    if (tables.D.RowCount() == 0)
        throw EProjectDataError("The project has no soil layer and cannot be saved.\r"
                                "Please add a layer (Soil Layers Window).");
    // The CPT point file lies beside the project file with the extension
    // ".cpt": a project of that extension would be overwritten by it.
    const std::string cptPointFileName = ChangeFileExt(FileName, ".cpt");
    if (cptPointFileName == FileName)
        throw EInOutError("The project cannot be saved as \"" + FileName +
                          "\": its CPT points are saved beside it under that name.\r"
                          "Please choose a name with another extension (.kv7d).");
    components::ScopedDecimalSeparator dot('.');

    // Stored into the object and the tables before they are written.
    if (PrintEvery == 0)
        PrintEvery = 1;
    if (CircularSection == 1)
        TipArea = 0;
    if (IncrementLength == 0)
        IncrementLength = 1.0L;
    // The user unit values are kept while a method uses them: the unit load
    // transfer of the t-z curves or the user-specified capacity method.
    const bool keepUserValues = LoadTransferMethod == pmUserSpecified || MethodSelected[pmUserSpecified] == 1;

    // Both files are made whole before either replaces its old one, so that a
    // failure of either leaves the old pair.
    static const TCptPoints kNoPoints;
    const TCptPoints& points = host_->MotionInput ? *host_->MotionInput : kNoPoints;
    components::TFileReplacement project(FileName, ProjectFileWriter(*this, tables).Text(keepUserValues));
    components::TFileReplacement cpt(cptPointFileName, CptPointFileText(Units, points));
    project.Commit();
    cpt.Commit();
    CptPointFileName = cptPointFileName;
    SetModified(false);
}

std::unique_ptr<TProgramData> TProgramData::CreateFromFile(TProjectHost& host, const std::string& fileName,
                                                           int version)
{
    auto data = std::make_unique<TProgramData>(host);
    data->ReadFromFile(fileName, version);
    return data;
}

void TProgramData::ReadFromFile(const std::string& fileName, int version)
{
    TProjectTables& tables = TablesOf(*this);
    // The file's numbers use "." whatever the user's separator, integers too.
    components::ScopedDecimalSeparator dot('.');
    FileName = fileName;
    Units = 1;
    for (TGridTable* table : tables.All())
        table->SetRowCount(0);

    // Whatever happens, the tables end with at least their minimum rows:
    // after the message of a failed read, and before the modified state is
    // cleared (an error that passes to the caller grows them on its way).
    struct GrowToMinimum {
        TProjectTables& tables;
        void operator()() const
        {
            for (TGridTable* table : tables.All())
                if (table->RowCount() < table->MinRows())
                    table->SetRowCount(table->MinRows());
        }
        ~GrowToMinimum() { (*this)(); }
    } growToMinimum{tables};

    bool readCompletely = true;
    try {
        TWordReader reader(fileName);
        ProjectFileReader(*this, tables, reader, ProjectFileLayout(fileName, version)).Read();
        // Words after the last record: most likely a line added or lost in
        // editing, which has moved every value after it into another field.
        if (reader.SeekWord())
            ShowInformation("The project file holds words after its last record, from line " +
                            FormatInteger(reader.CurrentLine() + 1) +
                            " on, which were not read.\rA line added or lost in editing moves every value after it: "
                            "please check the project's values.");
    } catch (const EInOutError& e) {
        ShowInformation(e.Message());
        readCompletely = false;
    }
    growToMinimum();
    if (!ReadCptPoints())
        readCompletely = false;
    // What was read stays, but no longer as the file's: saved under its name
    // (by Save, or by the save before a run) it would replace the file, or
    // its CPT point file, with the part that was read. Untitled, as a new
    // project is, it is saved only where the user chooses.
    if (!readCompletely)
        FileName = kNewProjectFileName;
    SetModified(false);
}

// The CPT points saved beside the project file belong to the project: without
// them the next save or run would write an empty CPT profile.
bool TProgramData::ReadCptPoints()
{
    TCptPoints* points = host_->MotionInput;
    if (!points)
        return true;
    points->Clear();
    const std::string path = ChangeFileExt(FileName, ".cpt");
    std::error_code ec;
    if (std::filesystem::is_regular_file(path, ec)) {
        try {
            ReadCptPointFile(path, *points);
        } catch (const EInOutError& e) {
            ShowInformation("The CPT point file \"" + path + "\" could not be read completely.\r" + e.Message());
            return false;
        }
    }
    return true;
}

} // namespace korva::app
