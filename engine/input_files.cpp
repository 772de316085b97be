#include "input_files.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <vector>

#include "constants.h"

namespace korva::engine {

namespace {

// Project and CPT files are a few kilobytes; anything near this is not one.
constexpr off_t MaxInputFileSize = 16 * 1024 * 1024;

std::string ErrnoText(int error)
{
    return std::generic_category().message(error);
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// One read statement after another over a file, remembering where a read
// failed so the report can name the record.
class RecordReader {
public:
    explicit RecordReader(ListReader& reader) : reader_(reader) {}

    bool Read(std::string record, std::initializer_list<ListReader::Target> targets)
    {
        if (!reader_.Read(targets)) {
            const std::string& why = reader_.Error();
            problem = InputProblem{std::move(record), why.empty() ? "the record cannot be read" : why};
            return false;
        }
        // NaN or infinity never enters the engine: nothing downstream could
        // print or compare it meaningfully.
        for (const ListReader::Target& target : targets) {
            if (target.real_ && !std::isfinite(*target.real_))
                return Refuse(std::move(record), "a value is not a finite number");
        }
        return true;
    }

    bool ReadTitle(std::string record, std::string& title)
    {
        std::string line;
        if (!reader_.ReadLine(line)) {
            problem = InputProblem{std::move(record), "end of file"};
            return false;
        }
        title = line.substr(0, 72);
        return true;
    }

    // A value read without error that the engine cannot take.
    bool Refuse(std::string record, const std::string& reason)
    {
        problem = InputProblem{std::move(record), "line " + std::to_string(reader_.LineNumber()) + ": " + reason};
        return false;
    }

    std::optional<InputProblem> problem;

private:
    ListReader& reader_;
};

std::string Numbered(std::string_view what, int index)
{
    return std::string(what) + " " + std::to_string(index);
}

bool CheckCount(RecordReader& in, const std::string& record, std::string_view name, int count,
                int lowest, int highest)
{
    if (count >= lowest && count <= highest)
        return true;
    return in.Refuse(record, std::string(name) + " " + std::to_string(count) + " is outside " +
                                 std::to_string(lowest) + " to " + std::to_string(highest));
}

// An enumerated code of the file: every rule of the engine tests for the
// members of its set, and a value outside it would be taken for one member
// by one rule and for another by the next.
bool CheckCode(RecordReader& in, const std::string& record, std::string_view name, int code, int lowest,
               int highest)
{
    return CheckCount(in, record, name, code, lowest, highest);
}

// A count of entries that follow: a negative one means none, as a count of
// 0 does; one beyond what the engine holds is refused.
bool CheckEntryCount(RecordReader& in, const std::string& record, std::string_view name, int& count,
                     int highest)
{
    if (count < 0)
        count = 0;
    return CheckCount(in, record, name, count, 0, highest);
}

// R10: one soil point, line A then line B, and what the engine makes of it.
bool ReadSoilPoint(ProjectInput& s, RecordReader& in, int i)
{
    SoilPoint& p = s.SoilColumns[i];
    const std::string record = "R10, " + Numbered("soil point", i + 1);
    if (!in.Read(record + ", line A",
                 {p[Soil::Depth], p[Soil::SoilType], p[Soil::EarthPressureCoefficient],
                  p[Soil::EffectiveUnitWeight], p[Soil::FrictionAngle], p[Soil::BearingCapacityFactor]}))
        return false;
    // Every rule of the engine tells sand, clay and silt by this code.
    const double type = p[Soil::SoilType];
    if (type != 1.0 && type != 2.0 && type != 3.0)
        return in.Refuse(record + ", line A", "the soil type is none of 1 (sand), 2 (clay) and 3 (silt)");
    if (!in.Read(record + ", line B",
                 {p[Soil::MaxSideFriction], p[Soil::MaxEndBearing], p[Soil::UndrainedShearStrength],
                  p[Soil::RemoldedStrengthOrBlowCount], p[Soil::YieldStressRatio], p[Soil::PlasticityIndex],
                  p[Soil::ConeResistance], p[Soil::UserUnitSkinFriction], p[Soil::UserUnitEndBearing],
                  p[Soil::SideFrictionFactor], p[Soil::EndBearingFactor], p[Soil::AdhesionMethod]}))
        return false;

    // The order of these steps matters: the copies and the water table see
    // the values as read, the limit test sees the converted ones.
    // Sand and silt give a blow count in this field, clay its remolded
    // strength: a blow count goes where every rule reads it.
    if (p[Soil::SoilType] == 1.0 || p[Soil::SoilType] == 3.0) {
        p[Soil::YieldStressRatio] = p[Soil::RemoldedStrengthOrBlowCount];
        p[Soil::RemoldedStrengthOrBlowCount] = 0.0;
    }
    s.PlasticityIndexAsRead[i] = p[Soil::PlasticityIndex];
    s.ConeResistanceAsRead[i] = p[Soil::ConeResistance];
    if (!(s.WaterTableDepth < 99999.0f)) {
        // 75 lb/ft^3, in SI 12 kN/m^3: each system's own round figure for
        // soil below the water table (not 75 lb/ft^3 converted, 11.78).
        const double light = s.Units == 1 ? 75.0f : 12.0f;
        if (p[Soil::EffectiveUnitWeight] < light)
            s.WaterTableDepth = p[Soil::Depth];
    }
    if (s.Units == 1) {
        p[Soil::MaxSideFriction] = p[Soil::MaxSideFriction] / PoundsPerKip;
        p[Soil::MaxEndBearing] = p[Soil::MaxEndBearing] / PoundsPerKip;
        p[Soil::UndrainedShearStrength] = p[Soil::UndrainedShearStrength] / PoundsPerKip;
        p[Soil::RemoldedStrengthOrBlowCount] = p[Soil::RemoldedStrengthOrBlowCount] / PoundsPerKip;
        p[Soil::PlasticityIndex] = p[Soil::UserUnitSkinFriction] / PoundsPerKip;
        p[Soil::ConeResistance] = p[Soil::UserUnitEndBearing] / PoundsPerKip;
    }
    // A zero limit in the file means the user sets no limit.
    if (p[Soil::MaxSideFriction] < StressTolerance) {
        s.NoSideFrictionLimit[i] = true;
        p[Soil::MaxSideFriction] = NoLimit;
    }
    if (p[Soil::MaxEndBearing] < StressTolerance) {
        s.NoEndBearingLimit[i] = true;
        p[Soil::MaxEndBearing] = NoLimit;
    }
    return true;
}

bool ReadProject(ProjectInput& s, RecordReader& in)
{
    if (!in.ReadTitle("R1 (project title)", s.ProjectTitle) ||
        !in.ReadTitle("R2 (designer)", s.DesignerName) ||
        !in.ReadTitle("R3 (job number)", s.JobNumber))
        return false;

    if (!in.Read("R4", {s.Units, s.PrintEvery, s.SoilPointCount, s.ClosedEnded}))
        return false;
    if (s.Units != 1 && s.Units != 2)
        return in.Refuse("R4", "the unit system " + std::to_string(s.Units) + " is neither 1 (English) nor 2 (SI)");
    if (!CheckCount(in, "R4", "the soil point count", s.SoilPointCount, 2, MaxSoilPoints) ||
        !CheckCode(in, "R4", "the closed-end code", s.ClosedEnded, 0, 1))
        return false;
    if (s.PrintEvery < 1)
        s.PrintEvery = 1; // the program stores "every row" as 0 or 1
    // Any interval beyond the rows the engine holds prints the first and the
    // last row alike; held there, no count of printed rows can overflow.
    if (s.PrintEvery > RowSlots)
        s.PrintEvery = RowSlots;

    if (!in.Read("R5", {s.Perimeter, s.TipArea, s.OuterDiameter, s.InnerDiameter, s.ElasticModulus,
                        s.PileLength, s.StickupLength}))
        return false;
    s.TipAreaAsRead = s.TipArea;
    s.OuterDiameterAsRead = s.OuterDiameter;
    s.InnerDiameterAsRead = s.InnerDiameter;
    if (s.Units == 1)
        s.TipArea = s.TipArea / SquareInchesPerSquareFoot;
    if (s.Perimeter > 1.0e-10f) {
        s.InnerDiameter = 0.0;
        s.OuterDiameter = s.Perimeter / PiTo4Places;
    }
    if (!(s.OuterDiameter > 0.0))
        return in.Refuse("R5", "the pile diameter must be greater than 0");

    if (!in.Read("R6", {s.EndSectionLength, s.EndSectionInnerDiameter}))
        return false;
    if (s.EndSectionLength < 1.0e-5f) {
        s.EndSectionInnerDiameter = s.InnerDiameter;
        s.EndSectionLength = s.PileLength - 1.0e-7f;
    }

    if (!in.Read("R7", {s.ZeroFrictionLength, s.IncrementLength, s.PileType, s.TaperAngle,
                        s.LoadTransferMethod, s.OffshoreEdition, s.ReducedTzFactors}))
        return false;
    if (!(s.IncrementLength > 0.0))
        return in.Refuse("R7", "the increment of pile length must be greater than 0");
    if (!CheckCount(in, "R7", "the load-transfer method", s.LoadTransferMethod, 1, 9) ||
        !CheckCode(in, "R7", "the pile type", s.PileType, 1, 7) ||
        !CheckCode(in, "R7", "the offshore edition code", s.OffshoreEdition, 0, 1) ||
        !CheckCode(in, "R7", "the t-z factor code", s.ReducedTzFactors, 0, 1))
        return false;

    int* flags = &s.MethodSelected[1];
    if (!in.Read("R8", {flags[0], flags[1], flags[2], flags[3], flags[4], flags[5], flags[6], flags[7], flags[8]}))
        return false;
    for (int method = 1; method <= 9; ++method)
        if (!CheckCode(in, "R8", Numbered("the selection flag of method", method), s.MethodSelected[method], 0, 1))
            return false;

    if (!in.Read("R9", {s.SoilProfileBottom, s.SectionArea}))
        return false;

    for (int i = 0; i < s.SoilPointCount; ++i)
        if (!ReadSoilPoint(s, in, i))
            return false;

    if (!in.Read("R11", {s.ExtraTZDepths}) || !CheckCode(in, "R11", "the extra t-z depths code", s.ExtraTZDepths, 0, 1))
        return false;
    if (s.ExtraTZDepths == 1) {
        if (!in.Read("R12 (t-z depth count)", {s.TzDepthCount}))
            return false;
        if (!CheckEntryCount(in, "R12", "the t-z depth count", s.TzDepthCount, MaxTzDepths))
            return false;
        for (int i = 0; i < s.TzDepthCount; ++i)
            if (!in.Read("R12, " + Numbered("t-z depth", i + 1), {s.TzDepth[i]}))
                return false;
    }

    if (!in.Read("R13", {s.LoadDirection, s.TensionReduction}) ||
        !CheckCode(in, "R13", "the load direction", s.LoadDirection, 0, 1))
        return false;
    if (!in.Read("R14", {s.DrainedClay, s.PlugCondition}) ||
        !CheckCode(in, "R14", "the drained clay code", s.DrainedClay, 0, 1) ||
        !CheckCode(in, "R14", "the plug condition", s.PlugCondition, 0, 2))
        return false;
    if (!in.Read("R15", {s.SectionRowCount, s.SectionAreaMode}) ||
        !CheckCode(in, "R15", "the section area mode", s.SectionAreaMode, 0, 2))
        return false;
    if (!CheckEntryCount(in, "R15", "the section row count", s.SectionRowCount, MaxSectionRows))
        return false;
    for (int i = 0; i < s.SectionRowCount; ++i)
        if (!in.Read("R15, " + Numbered("section row", i + 1), {s.DistanceFromHead[i], s.CrossSectionArea[i]}))
            return false;

    return in.Read("R16", {s.CriticalDepthMode, s.CriticalDepth}) &&
           CheckCode(in, "R16", "the critical depth mode", s.CriticalDepthMode, 0, 2);
}

} // namespace

bool LoadInputFile(const std::string& path, std::string& text, std::string& reason)
{
    if (path.empty()) {
        reason = "has no name";
        return false;
    }
    // O_NONBLOCK: a FIFO in the path must not hang the run at open.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (fd.get() < 0) {
        reason = "cannot be opened: " + ErrnoText(errno);
        return false;
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) {
        reason = "cannot be opened: " + ErrnoText(errno);
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        reason = "is not a regular file";
        return false;
    }
    if (info.st_size > MaxInputFileSize) {
        reason = "is too large for an input file";
        return false;
    }
    text.clear();
    std::vector<char> buffer(64 * 1024);
    for (;;) {
        const ssize_t got = ::read(fd.get(), buffer.data(), buffer.size());
        if (got < 0) {
            if (errno == EINTR)
                continue;
            reason = "cannot be read: " + ErrnoText(errno);
            return false;
        }
        if (got == 0)
            break;
        if (text.size() + static_cast<std::size_t>(got) > static_cast<std::size_t>(MaxInputFileSize)) {
            reason = "is too large for an input file";
            return false;
        }
        text.append(buffer.data(), static_cast<std::size_t>(got));
    }
    return true;
}

std::optional<InputProblem> ReadProjectFile(ProjectInput& input, ListReader& reader)
{
    RecordReader in(reader);
    ReadProject(input, in);
    return in.problem;
}

std::optional<InputProblem> ReadCptPointFile(ProjectInput& input, ListReader& reader)
{
    RecordReader in(reader);
    if (!in.Read("line 1 (unit system and point count)", {input.CptUnits, input.CptPointCount}))
        return in.problem;
    if (!CheckEntryCount(in, "line 1", "the CPT point count", input.CptPointCount, MaxCptPoints))
        return in.problem;
    CptPoints& points = input.CptProfile;
    for (int i = 0; i < input.CptPointCount; ++i) {
        if (!in.Read(Numbered("CPT point", i + 1), {points.depth[i], points.cone_resistance[i]}))
            break;
    }
    points.ascending = std::is_sorted(points.depth.begin(), points.depth.begin() + input.CptPointCount);
    return in.problem;
}

} // namespace korva::engine
