#pragma once
// Reads back what a test needs of an .xlsx workbook: the sheets in order
// with their kind, the cells of a worksheet (shared strings resolved,
// numbers as numbers), its internal hyperlinks, and the series and axes of
// the chart on a chart sheet. Unpacks the zip container with zlib and reads
// the package's XML by plain text search (the writer's own layout).
#include <zlib.h>

#include <charconv>
#include <cstdint>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace korva::test {

class ZipArchive {
public:
    explicit ZipArchive(std::string bytes) : bytes_(std::move(bytes))
    {
        // The end-of-central-directory record, searched from the end.
        std::size_t end = std::string::npos;
        for (std::size_t i = bytes_.size() >= 22 ? bytes_.size() - 22 : 0; i + 1 > 0; --i)
            if (U32(i) == 0x06054b50u) {
                end = i;
                break;
            }
        if (end == std::string::npos)
            throw std::runtime_error("not a zip archive");
        const std::size_t count = U16(end + 10);
        std::size_t at = U32(end + 16);
        for (std::size_t n = 0; n < count; ++n) {
            if (U32(at) != 0x02014b50u)
                throw std::runtime_error("bad central directory");
            Entry e;
            e.method = U16(at + 10);
            e.compressed = U32(at + 20);
            e.size = U32(at + 24);
            const std::size_t nameLength = U16(at + 28);
            const std::size_t extra = U16(at + 30);
            const std::size_t comment = U16(at + 32);
            e.local = U32(at + 42);
            entries_[bytes_.substr(at + 46, nameLength)] = e;
            at += 46 + nameLength + extra + comment;
        }
    }

    static ZipArchive FromFile(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return ZipArchive(bytes.str());
    }

    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const auto& [name, entry] : entries_)
            names.push_back(name);
        return names;
    }

    // The entry's content; nullopt when the archive has no such entry.
    std::optional<std::string> Read(const std::string& name) const
    {
        const auto found = entries_.find(name);
        if (found == entries_.end())
            return std::nullopt;
        const Entry& e = found->second;
        const std::size_t data = e.local + 30 + U16(e.local + 26) + U16(e.local + 28);
        if (e.method == 0)
            return bytes_.substr(data, e.size);
        std::string out(e.size, '\0');
        z_stream z{};
        if (inflateInit2(&z, -MAX_WBITS) != Z_OK)
            throw std::runtime_error("inflate");
        z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes_.data() + data));
        z.avail_in = static_cast<uInt>(e.compressed);
        z.next_out = reinterpret_cast<Bytef*>(out.data());
        z.avail_out = static_cast<uInt>(out.size());
        const int result = inflate(&z, Z_FINISH);
        inflateEnd(&z);
        if (result != Z_STREAM_END)
            throw std::runtime_error("corrupt entry " + name);
        return out;
    }

private:
    struct Entry {
        std::size_t method = 0, compressed = 0, size = 0, local = 0;
    };
    std::size_t U16(std::size_t at) const
    {
        return static_cast<unsigned char>(bytes_.at(at)) | static_cast<unsigned char>(bytes_.at(at + 1)) << 8;
    }
    std::size_t U32(std::size_t at) const { return U16(at) | U16(at + 2) << 16; }

    std::string bytes_;
    std::map<std::string, Entry> entries_;
};

// The value of attribute `name` in the tag text, or "".
inline std::string XmlAttribute(const std::string& tag, const std::string& name)
{
    const std::size_t at = tag.find(" " + name + "=\"");
    if (at == std::string::npos)
        return "";
    const std::size_t start = at + name.size() + 3;
    return tag.substr(start, tag.find('"', start) - start);
}

inline std::string XmlUnescape(std::string text)
{
    const std::pair<const char*, const char*> entities[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}};
    for (const auto& [entity, character] : entities)
        for (std::size_t at; (at = text.find(entity)) != std::string::npos;)
            text.replace(at, std::string(entity).size(), character);
    return text;
}

// Every element <name ...>...</name> or <name .../> of the text, whole.
inline std::vector<std::string> XmlElements(const std::string& xml, const std::string& name)
{
    std::vector<std::string> found;
    for (std::size_t at = 0; (at = xml.find("<" + name, at)) != std::string::npos;) {
        const char next = xml[at + name.size() + 1];
        if (next != ' ' && next != '>' && next != '/') {
            ++at;
            continue;
        }
        const std::size_t tagEnd = xml.find('>', at);
        std::size_t end = tagEnd + 1;
        if (xml[tagEnd - 1] != '/')
            end = xml.find("</" + name + ">", tagEnd) + name.size() + 3;
        found.push_back(xml.substr(at, end - at));
        at = end;
    }
    return found;
}

// The text content of the first element <name> in the text ("" when none).
inline std::string XmlText(const std::string& xml, const std::string& name)
{
    const std::vector<std::string> elements = XmlElements(xml, name);
    if (elements.empty() || elements[0].back() != '>' || elements[0].find("</") == std::string::npos)
        return "";
    const std::string& e = elements[0];
    const std::size_t start = e.find('>') + 1;
    return XmlUnescape(e.substr(start, e.rfind("</") - start));
}

struct XlsxCell {
    std::string text; // a string cell's text, or a number's text as stored
    bool number = false;
    double value = 0;
};

struct XlsxSeries {
    std::string name, x, y; // x and y: the range formulas
};

struct XlsxChart {
    std::string type; // the chart element, e.g. "scatterChart"
    std::string style; // scatterStyle
    std::vector<XlsxSeries> series;
    std::string xTitle, yTitle;
    bool yReversed = false, xGridlines = false, yGridlines = false;
};

class XlsxBook {
public:
    explicit XlsxBook(const std::string& path) : zip_(ZipArchive::FromFile(path))
    {
        const std::string rels = Entry("xl/_rels/workbook.xml.rels");
        std::map<std::string, std::string> targets;
        for (const std::string& r : XmlElements(rels, "Relationship"))
            targets[XmlAttribute(r, "Id")] = "xl/" + XmlAttribute(r, "Target");
        for (const std::string& s : XmlElements(Entry("xl/workbook.xml"), "sheet")) {
            names_.push_back(XmlAttribute(s, "name"));
            paths_[names_.back()] = targets[XmlAttribute(s, "r:id")];
        }
        if (const auto strings = zip_.Read("xl/sharedStrings.xml"))
            for (const std::string& si : XmlElements(*strings, "si"))
                strings_.push_back(XmlText(si, "t"));
    }

    const std::vector<std::string>& SheetNames() const { return names_; }
    bool IsChartSheet(const std::string& sheet) const
    {
        return Path(sheet).find("/chartsheets/") != std::string::npos;
    }

    std::map<std::string, XlsxCell> Cells(const std::string& sheet) const
    {
        std::map<std::string, XlsxCell> cells;
        for (const std::string& c : XmlElements(Entry(Path(sheet)), "c")) {
            XlsxCell cell;
            const std::string v = XmlText(c, "v");
            const std::string type = XmlAttribute(c.substr(0, c.find('>')), "t");
            if (type == "s")
                cell.text = strings_.at(std::stoul(v));
            else if (type == "str" || type == "inlineStr")
                cell.text = type == "str" ? v : XmlText(c, "t");
            else {
                cell.text = v;
                cell.number = true;
                cell.value = Number(v);
            }
            cells[XmlAttribute(c, "r")] = cell;
        }
        return cells;
    }

    // Internal hyperlinks of a worksheet: cell -> location ("Page_1!A1").
    std::map<std::string, std::string> Links(const std::string& sheet) const
    {
        std::map<std::string, std::string> links;
        for (const std::string& h : XmlElements(Entry(Path(sheet)), "hyperlink"))
            links[XmlAttribute(h, "ref")] = XmlAttribute(h, "location");
        return links;
    }

    // Column widths of a worksheet by 1-based column number.
    std::map<int, double> Widths(const std::string& sheet) const
    {
        std::map<int, double> widths;
        for (const std::string& c : XmlElements(Entry(Path(sheet)), "col"))
            widths[std::stoi(XmlAttribute(c, "min"))] = Number(XmlAttribute(c, "width"));
        return widths;
    }

    XlsxChart Chart(const std::string& chartSheet) const
    {
        const std::string sheetPath = Path(chartSheet);
        const std::string drawing = Resolve(sheetPath, Target(RelsOf(sheetPath)));
        const std::string chartPath = Resolve(drawing, Target(RelsOf(drawing)));
        const std::string xml = Entry(chartPath);
        XlsxChart chart;
        for (const char* type : {"scatterChart", "lineChart", "barChart"})
            if (!XmlElements(xml, "c:" + std::string(type)).empty())
                chart.type = type;
        chart.style = XmlAttribute(XmlElements(xml, "c:scatterStyle").at(0), "val");
        for (const std::string& s : XmlElements(xml, "c:ser"))
            chart.series.push_back({XmlText(XmlElements(s, "c:tx").at(0), "c:v"),
                                    XmlText(XmlElements(s, "c:xVal").at(0), "c:f"),
                                    XmlText(XmlElements(s, "c:yVal").at(0), "c:f")});
        const std::vector<std::string> axes = XmlElements(xml, "c:valAx");
        if (axes.size() == 2) {
            chart.xTitle = XmlText(axes[0], "a:t");
            chart.yTitle = XmlText(axes[1], "a:t");
            chart.xGridlines = !XmlElements(axes[0], "c:majorGridlines").empty();
            chart.yGridlines = !XmlElements(axes[1], "c:majorGridlines").empty();
            chart.yReversed = XmlAttribute(XmlElements(axes[1], "c:orientation").at(0), "val") == "maxMin";
        }
        return chart;
    }

private:
    // Numbers of the XML, never in the C locale's form.
    static double Number(const std::string& text)
    {
        double value = 0;
        std::from_chars(text.data(), text.data() + text.size(), value);
        return value;
    }
    std::string Entry(const std::string& name) const
    {
        const auto content = zip_.Read(name);
        if (!content)
            throw std::runtime_error("no entry " + name);
        return *content;
    }
    std::string Path(const std::string& sheet) const
    {
        const auto found = paths_.find(sheet);
        if (found == paths_.end())
            throw std::runtime_error("no sheet " + sheet);
        return found->second;
    }
    std::string RelsOf(const std::string& part) const
    {
        const std::size_t slash = part.rfind('/');
        return Entry(part.substr(0, slash) + "/_rels/" + part.substr(slash + 1) + ".rels");
    }
    static std::string Target(const std::string& rels)
    {
        return XmlAttribute(XmlElements(rels, "Relationship").at(0), "Target");
    }
    // A relative target ("../charts/chart1.xml") from the folder of a part.
    static std::string Resolve(const std::string& part, std::string target)
    {
        std::string folder = part.substr(0, part.rfind('/'));
        while (target.rfind("../", 0) == 0) {
            folder = folder.substr(0, folder.rfind('/'));
            target = target.substr(3);
        }
        return folder + "/" + target;
    }

    ZipArchive zip_;
    std::vector<std::string> names_;
    std::map<std::string, std::string> paths_;
    std::vector<std::string> strings_;
};

} // namespace korva::test
