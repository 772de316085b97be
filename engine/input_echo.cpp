#include "input_echo.h"

#include <array>
#include <string_view>

#include "constants.h"
#include "fixed_format.h"

namespace korva::engine {

namespace {

// One line per project method number 1-9.
constexpr std::array<std::string_view, 10> MethodLines{
    "",
    "- FHWA (Federal Highway Administration)",
    "- USACE (U.S. Army Corps of Engineers)",
    "- Revised Lambda",
    "- API RP 2A (American Petroleum Institute)",
    "- Load-transfer Units specified by User",
    "- NGI (Norwegian Geotechnical Institute)",
    "- ICP/MTD (Imperial College of London)",
    "- FUGRO (Offshore Driven Piles in Sand)",
    "- UWA (University of Western Australia)",
};

// What every part of the echo works with: the input as read (the echo
// shows it so), the report's unit labels and the report itself.
struct Echo {
    const ProjectInput& s;
    const UnitLabels& u;
    OutputFile& report;

    void Write(std::string_view layout, std::initializer_list<FormatValue> values = {}) const
    {
        report.WriteRecord(layout, values);
    }
};

void WriteMethodLine(const Echo& e, int method)
{
    e.Write("(10X,A)", {MethodLines[method]});
}

bool ApiSelected(const ProjectInput& s)
{
    return s.MethodSelected[pmApi] == 1;
}

// Titles and methods.
void WriteTitlesAndMethods(const Echo& e)
{
    const ProjectInput& s = e.s;
    e.Write("(/,/,/,'1',/,10X,21('*'),/,10X,'* INPUT INFORMATION *',/,10X,21('*'))");
    e.Write("(/,/,/,10X,A70,/,/,10X,'DESIGNER   : ',A60,/,/,10X,'JOB NUMBER : ',A60)",
            {s.ProjectTitle, s.DesignerName, s.JobNumber});

    e.Write("(/,/,10X,'METHOD FOR UNIT LOAD TRANSFERS : ',/)");
    if (s.LoadTransferMethod >= 1 && s.LoadTransferMethod <= 9)
        WriteMethodLine(e, s.LoadTransferMethod);
    if (s.ReducedTzFactors == 1)
        e.Write("(10X,'  Reduced Unit Side Friction and ','Unit Side Resistance are used.')");
    else
        e.Write("(10X,'  Unfactored Unit Side Friction and ','Unit Side Resistance are used.')");

    e.Write("(/,/,/,10X,'COMPUTATION METHOD(S) FOR PILE CAPACITY : ',/)");
    for (int method = 1; method <= 9; ++method) {
        if (s.MethodSelected[method] != 1)
            continue;
        WriteMethodLine(e, method);
        if (method == pmUsace) {
            switch (s.CriticalDepthMode) {
            case 0:
                e.Write("(10X,'  # Critical Depth Method for Sand:',/,10X,"
                        "'    10 to 20 Pile Diameter based on the Density')");
                break;
            case 1:
                e.Write("(10X,'  # Critical Depth Method for Sand:',/,10X,"
                        "'    At Effective Stress Reaching 3,500 psf (185 kPa)')");
                break;
            case 2:
                e.Write("(10X,'  # Critical Depth Method for Sand:',/,10X,"
                        "'    At User-Specified Critical Depth =',F10.2,1X,A3)",
                        {s.CriticalDepth, e.u.length});
                break;
            default:
                break;
            }
        }
        if (method == pmIcpMtd) {
            if (s.DrainedClay == 1)
                e.Write("(10X,'  # Use Drained Condition for Clay')");
            else
                e.Write("(10X,'  # Use Undrained Condition for Clay')");
        }
    }
}

// Loading and pile type.
void WriteLoadingAndPileType(const Echo& e)
{
    const ProjectInput& s = e.s;
    if (s.LoadDirection == 1) {
        e.Write("(/,/,10X,'TYPE OF LOADING : ',/,10X,'- TENSION  ')");
        if (ApiSelected(s))
            e.Write("(10X,'  REDUCTION FACTOR FOR TENSION LOADING =',F10.2)", {s.TensionReduction});
    } else {
        e.Write("(/,/,10X,'TYPE OF LOADING : ',/,10X,'- COMPRESSION  ')");
    }

    e.Write("(/,/,10X,'PILE TYPE : ',/)");
    auto end_line = [&] {
        if (s.ClosedEnded == 0)
            e.Write("(10X,'- Open-Ended Pile')");
        else if (s.ClosedEnded == 1)
            e.Write("(10X,'- Close-Ended Pile')");
    };
    switch (s.PileType) {
    case 1:
        e.Write("(10X,'Steel pipe pile or ','non-tapered portion of monotube pile')");
        end_line();
        break;
    case 2:
        e.Write("(10X,'Timber pile')");
        break;
    case 3:
        if (s.Perimeter > 0.0) {
            e.Write("(10X,'Precast concrete pile ','(Square/Rectangular/Orthogonal)')");
        } else {
            e.Write("(10X,'Precast concrete pile (Circular/Tubular)')");
            end_line();
        }
        break;
    case 4:
        e.Write("(10X,'Raymond step-taper pile')");
        break;
    case 5:
        e.Write("(10X,'Raymond Uniform taper pile')");
        break;
    case 6:
        e.Write("(10X,'H-Pile/Steel Pile')");
        break;
    case 7:
        e.Write("(10X,'Tapered portion of Monotube pile')");
        break;
    default:
        break;
    }

    const bool tapered = s.PileType == 2 || s.PileType == 4 || s.PileType == 5 || s.PileType == 7;
    if (ApiSelected(s) && tapered && s.TaperAngle > 0.0)
        e.Write("(10X,'Angle of taper for a tapered pile  (degrees) =',F10.2)", {s.TaperAngle});
}

bool NonCircular(const ProjectInput& s)
{
    return s.PileType == 6 || (s.PileType == 3 && s.Perimeter > 0.0);
}

// Modulus and cross-section area.
void WriteStiffness(const Echo& e)
{
    const ProjectInput& s = e.s;
    e.Write("(/,/,10X,'DATA FOR AXIAL STIFFNESS : ',/)");
    e.Write("(10X,'- MODULUS OF ELASTICITY     =',E10.3,1X,A3)",
            {s.ElasticModulus, s.Units == 1 ? "PSI" : "KPA"});

    if (s.SectionAreaMode > 1) {
        e.Write("(10X,'- CROSS SECTION AREA ALONG DEPTH',/,10X,' DEPTH,',A3,10X,' AREA,',A3)",
                {e.u.length, e.u.area});
        for (int i = 0; i < s.SectionRowCount; ++i)
            e.Write("(10X,F10.2,10X,F10.2)", {s.DistanceFromHead[i], s.CrossSectionArea[i]});
        return;
    }
    double area = s.SectionArea;
    if (s.SectionAreaMode == 0) {
        // From the section as written in the file, before any conversion.
        const double od = s.OuterDiameterAsRead;
        const double id = s.InnerDiameterAsRead;
        if (NonCircular(s))
            area = s.TipAreaAsRead;
        else if (s.PileType == 1 || s.PileType == 3)
            area = PiTo4Places * 0.25f * (od * od - id * id);
        else
            area = PiTo4Places * 0.25f * (od * od);
        if (!NonCircular(s) && s.Units == 2)
            area = area / SquareMillimetresPerSquareMetre;
    }
    e.Write("(10X,'- CROSS SECTION AREA        =',F10.2,1X,A3)", {area, e.u.area});
}

// Pile properties, with the total length as read; the end section
// is compared with the embedded length.
void WritePileProperties(const Echo& e, double embedded_length)
{
    const ProjectInput& s = e.s;
    const UnitLabels& u = e.u;
    const double total_length = s.PileLength;
    if (NonCircular(s)) {
        e.Write("(/,/,10X,'NONCIRCULAR PILE PROPERTIES : ',/)");
        e.Write("(10X,'- TOTAL PILE LENGTH, TL     =',F10.2,1X,A3,/,10X,'- PILE STICKUP LENGTH, PSL  =',F10.2,1X,A3,"
                "/,10X,'- ZERO FRICTION LENGTH, ZFL =',F10.2,1X,A3,/,10X,'- PERIMETER OF PILE         =',F10.2,1X,A3,"
                "/,10X,'- TIP AREA OF PILE          =',F10.2,1X,A3,/,10X,'- INCREMENT OF PILE LENGTH',"
                "/,10X,'  USED IN COMPUTATION       =',F10.2,1X,A3)",
                {total_length, u.length, s.StickupLength, u.length, s.ZeroFrictionLength, u.length, s.Perimeter,
                 u.small_length, s.TipAreaAsRead, u.area, s.IncrementLength, u.length});
        return;
    }

    e.Write("(/,/,10X,'CIRCULAR PILE PROPERTIES : ',/)");
    if (s.PileType != 1 && s.PileType != 3) {
        e.Write("(10X,'- OUTSIDE DIAMETER, OD      =',F10.2,1X,A3,/,10X,'- TOTAL PILE LENGTH, TL     =',F10.2,1X,A3,"
                "/,10X,'- PILE STICKUP LENGTH, PSL  =',F10.2,1X,A3,/,10X,'- ZERO FRICTION LENGTH, ZFL =',F10.2,1X,A3,"
                "/,10X,'- INCREMENT OF PILE LENGTH',/,10X,'  USED IN COMPUTATION       =',F10.2,1X,A3)",
                {s.OuterDiameter, u.small_length, total_length, u.length, s.StickupLength, u.length,
                 s.ZeroFrictionLength, u.length, s.IncrementLength, u.length});
        return;
    }
    e.Write("(10X,'- OUTSIDE DIAMETER, OD      =',F10.2,1X,A3,/,10X,'- INTERNAL DIAMETER, ID     =',F10.2,1X,A3,"
            "/,10X,'- TOTAL PILE LENGTH, TL     =',F10.2,1X,A3,/,10X,'- PILE STICKUP LENGTH, PSL  =',F10.2,1X,A3,"
            "/,10X,'- ZERO FRICTION LENGTH, ZFL =',F10.2,1X,A3,/,10X,'- INCREMENT OF PILE LENGTH',"
            "/,10X,'  USED IN COMPUTATION       =',F10.2,1X,A3)",
            {s.OuterDiameter, u.small_length, s.InnerDiameter, u.small_length, total_length, u.length,
             s.StickupLength, u.length, s.ZeroFrictionLength, u.length, s.IncrementLength, u.length});
    if (s.PileType == 3 && s.ClosedEnded != 0)
        return;
    // An exact comparison, as the layout has always made it.
    if (s.EndSectionLength != embedded_length)
        e.Write("(10X,'- LENGTH OF ENHANCED ',/,10X,'  END SECTION               =',F10.2,1X,A3,/,10X,"
                "'- INTERNAL DIAMETER OF ',/,10X,'  ENHANCED END SECTION      =',F10.2,1X,A3)",
                {s.EndSectionLength, u.length, s.EndSectionInnerDiameter, u.small_length});
    static constexpr std::array<std::string_view, 3> plug_lines{
        "Internal Pile Plug Calculated by Program", "Plugged for open-ended pile", "Unplugged for open-ended pile"};
    if (s.PlugCondition >= 0 && s.PlugCondition <= 2)
        e.Write("(/,/,10X,'PLUGGED/UNPLUGGED CONDITIONS : ',/,10X,A)", {plug_lines[s.PlugCondition]});
}

// The soil tables.
void WriteSoilTables(const Echo& e)
{
    const ProjectInput& s = e.s;
    const UnitLabels& u = e.u;
    e.Write("(/,/,/,10X,'SOIL INFORMATIONS :',/,/,10X,53X,/,/,"
            "10X,'                  LATERAL    EFFECTIVE    FRICTION   BEARING',/,"
            "10X,'          SOIL    EARTH      UNIT         ANGLE      CAPACITY',/,"
            "10X,' DEPTH    TYPE    PRESSURE   WEIGHT       DEGREES    FACTOR',/,10X,2X,A3,24X,A5)",
            {u.length, u.unit_weight});
    std::string_view soil_name = "    "; // another code repeats the name before it
    for (int i = 0; i < s.SoilPointCount; ++i) {
        const SoilPoint& p = s.SoilColumns[i];
        if (p[Soil::SoilType] == 1.0)
            soil_name = "SAND";
        else if (p[Soil::SoilType] == 2.0)
            soil_name = "CLAY";
        else if (p[Soil::SoilType] == 3.0)
            soil_name = "SILT";
        e.Write("(10X,F7.2,3X,A4,F10.2,F13.2,F13.2,F10.2)",
                {p[Soil::Depth], soil_name, p[Soil::EarthPressureCoefficient], p[Soil::EffectiveUnitWeight],
                 p[Soil::FrictionAngle], p[Soil::BearingCapacityFactor]});
    }

    e.Write("(/,/,/,10X,'MAXIMUM   MAXIMUM   UNDISTURB  REMOLDED ',/,"
            "10X,'UNIT      UNIT      SHEAR      SHEAR     BLOW   UNIT SKIN  ','UNIT END',/,"
            "10X,'FRICTION  BEARING   STRENGTH   STRENGTH  COUNT  FRICTION   B','EARING',/,"
            "10X,2X,A3,7X,A3,8X,A3,7X,A3,15X,A3,7X,A3)",
            {u.stress, u.stress, u.stress, u.stress, u.stress, u.stress});
    bool any_absent_limit = false;
    for (int i = 0; i < s.SoilPointCount; ++i) {
        const SoilPoint& p = s.SoilColumns[i];
        double skin = p[Soil::UserUnitSkinFriction];
        double end = p[Soil::UserUnitEndBearing];
        if (s.Units == 1) {
            skin = p[Soil::UserUnitSkinFriction] / PoundsPerKip;
            end = p[Soil::UserUnitEndBearing] / PoundsPerKip;
        }
        any_absent_limit = any_absent_limit || s.NoSideFrictionLimit[i] || s.NoEndBearingLimit[i];
        e.Write("(10X,E8.2,A1,E9.2,A1,F11.2,F10.2,F7.2,F11.2,F10.2)",
                {p[Soil::MaxSideFriction], s.NoSideFrictionLimit[i] ? "*" : " ", p[Soil::MaxEndBearing],
                 s.NoEndBearingLimit[i] ? "*" : " ", p[Soil::UndrainedShearStrength],
                 p[Soil::RemoldedStrengthOrBlowCount], p[Soil::YieldStressRatio], skin, end});
    }
    if (any_absent_limit)
        e.Write("(/,10X,'* MAXIMUM UNIT FRICTION AND/OR MAXIMUM UNIT BEARING ',/,"
                "10X,'  WERE SET TO BE 0.10E+08 BECAUSE THE USER DOES NOT ',/,"
                "10X,'  PLAN TO LIMIT THE COMPUTED DATA.')");

    e.Write("(/,/,/,10X,'         LRFD FACTOR  LRFD FACTOR    ',/,10X,'          ON UNIT      ON UNIT       ',/,"
            "10X,' DEPTH    FRICTION     BEARING   ',/,10X,2X,A3)",
            {u.length});
    for (int i = 0; i < s.SoilPointCount; ++i) {
        const SoilPoint& p = s.SoilColumns[i];
        e.Write("(10X,F7.2,1X,F8.3,4X,F8.3)",
                {p[Soil::Depth], p[Soil::SideFrictionFactor], p[Soil::EndBearingFactor]});
    }

    // The plasticity index and the cone resistance as read, which the
    // offshore edition's rules use.
    if (s.OffshoreEdition <= 0)
        return;
    e.Write("(/,/,10X,53X,/,/,10X,'        PLASTIC    YIELD      Qc                             ',/,"
            "10X,'         INDEX    STRESS     FROM                            ',/,"
            "10X,' DEPTH     PI      RATIO     CPT                             ',/,10X,2X,A3,6X,'%',17X,A3)",
            {u.length, u.stress});
    for (int i = 0; i < s.SoilPointCount; ++i) {
        const SoilPoint& p = s.SoilColumns[i];
        const double cone = s.Units == 1 ? s.ConeResistanceAsRead[i] / PoundsPerKip : s.ConeResistanceAsRead[i];
        e.Write("(10X,F7.2,1X,F6.2,3X,F6.2,3X,E10.3)",
                {p[Soil::Depth], s.PlasticityIndexAsRead[i], p[Soil::YieldStressRatio], cone});
    }
}

} // namespace

void WriteInputEcho(Uses<const AnalysisInput, RunOutputs> run)
{
    const AnalysisInput& analysis = run;
    RunOutputs& out = run;
    const Echo echo{analysis, analysis.labels, out.report};
    WriteTitlesAndMethods(echo);
    WriteLoadingAndPileType(echo);
    WriteStiffness(echo);
    WritePileProperties(echo, analysis.PileLength);
    WriteSoilTables(echo);
}

} // namespace korva::engine
