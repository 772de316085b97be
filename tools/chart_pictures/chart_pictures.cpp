// korva-chart-pictures OUTDIR: draws the three design-chart pictures of the
// clay adhesion choice from the analysis's own adhesion tables and writes
// them as JPEG files into OUTDIR (the build runs it; the program stores the
// pictures in its resources). Picture A, B or C shows adhesion graph 1, 2 or
// 3: the adhesion factor against the undrained shear strength in ksf, one
// curve per penetration ratio, each curve evaluated by the analysis's own
// routine at the table's strengths.
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>

#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "atomic_file.h"
#include "design_chart_pictures.h"
#include "fhwa_charts.h"
#include "jpeg_picture.h"
#include "number_format.h"

namespace {

using namespace korva;
using app::ChartPixelX;
using app::ChartPixelY;

constexpr double kKpaPerKsf = 47.88;
const QColor kCurveColours[] = {QColor(0, 0, 0), QColor(0, 70, 200), QColor(200, 30, 30)};

QString Text(double value) { return QString::fromStdString(components::FormatGeneral(value, 6)); }

QFont Font(int pixels, bool bold = false)
{
    QFont font("DejaVu Sans");
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QString CurveLabel(const engine::ChartFamily& graph, std::size_t curve)
{
    const QString ratio = Text(graph.ratios[curve]);
    if (curve == 0)
        return "Penetration ratio up to " + ratio;
    if (curve + 1 == graph.ratios.size())
        return "Penetration ratio " + ratio + " and more";
    return "Penetration ratio " + ratio;
}

void DrawAxes(QPainter& p)
{
    const QRectF plot(QPointF(app::kChartPlotLeft, app::kChartPlotTop),
                      QPointF(app::kChartPlotRight, app::kChartPlotBottom));
    p.setFont(Font(13));
    // Strength in ksf along the bottom, every 0.5.
    for (int i = 0; i <= 10; ++i) {
        const double su = 0.5 * i;
        const double x = ChartPixelX(su);
        p.setPen(QPen(QColor(215, 215, 215), 1));
        p.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        p.setPen(Qt::black);
        p.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + 5));
        p.drawText(QRectF(x - 30, plot.bottom() + 7, 60, 18), Qt::AlignHCenter | Qt::AlignTop, Text(su));
    }
    // The same strength in kPa along the top, for projects in SI units.
    for (int kpa = 0; kpa <= 200; kpa += 50) {
        const double x = ChartPixelX(kpa / kKpaPerKsf);
        p.drawLine(QPointF(x, plot.top() - 5), QPointF(x, plot.top()));
        p.drawText(QRectF(x - 30, plot.top() - 24, 60, 18), Qt::AlignHCenter | Qt::AlignBottom, Text(kpa));
    }
    // Adhesion factor up the left, every 0.1 with a label every 0.2.
    for (int i = 0; i <= 12; ++i) {
        const double a = 0.1 * i;
        const double y = ChartPixelY(a);
        p.setPen(QPen(QColor(i % 2 ? 235 : 210, i % 2 ? 235 : 210, i % 2 ? 235 : 210), 1));
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        p.setPen(Qt::black);
        p.drawLine(QPointF(plot.left() - 5, y), QPointF(plot.left(), y));
        if (i % 2 == 0)
            p.drawText(QRectF(plot.left() - 50, y - 9, 42, 18), Qt::AlignRight | Qt::AlignVCenter, Text(a));
    }
    p.setPen(QPen(Qt::black, 1.5));
    p.drawRect(plot);

    p.setFont(Font(14));
    p.drawText(QRectF(plot.left(), plot.bottom() + 28, plot.width(), 22), Qt::AlignHCenter,
               "Undrained Shear Strength Su (ksf)");
    p.drawText(QRectF(plot.right() - 120, plot.top() - 44, 120, 18), Qt::AlignRight, "Su (kPa)");
    p.save();
    p.translate(22, (plot.top() + plot.bottom()) / 2);
    p.rotate(-90);
    p.drawText(QRectF(-120, -10, 240, 22), Qt::AlignHCenter, "Adhesion Factor");
    p.restore();
}

void DrawCurves(QPainter& p, int graphNumber)
{
    const engine::ChartFamily& graph = engine::AdhesionGraph(graphNumber);
    p.setRenderHint(QPainter::Antialiasing, true);
    for (std::size_t c = 0; c < graph.ratios.size(); ++c) {
        QPainterPath path;
        std::vector<double> strengths(graph.x.begin(), graph.x.end());
        strengths.push_back(app::kChartMaxStrength); // the last value holds beyond the table
        for (std::size_t i = 0; i < strengths.size(); ++i) {
            const double a = engine::FhwaAdhesionFactor(graphNumber, strengths[i], graph.ratios[c]);
            const QPointF point(ChartPixelX(strengths[i]), ChartPixelY(a));
            if (i == 0)
                path.moveTo(point);
            else
                path.lineTo(point);
        }
        p.setPen(QPen(kCurveColours[c % 3], 3));
        p.drawPath(path);
    }
    p.setRenderHint(QPainter::Antialiasing, false);

    // Legend and notes to the right of the plot.
    const double left = app::kChartPlotRight + 30;
    double y = app::kChartPlotTop + 10;
    p.setFont(Font(13));
    for (std::size_t c = 0; c < graph.ratios.size(); ++c, y += 26) {
        p.setPen(QPen(kCurveColours[c % 3], 3));
        p.drawLine(QPointF(left, y + 9), QPointF(left + 30, y + 9));
        p.setPen(Qt::black);
        p.drawText(QRectF(left + 38, y, 220, 20), Qt::AlignLeft | Qt::AlignVCenter, CurveLabel(graph, c));
    }
    p.setFont(Font(12));
    p.drawText(QRectF(left, y + 14, app::kChartPictureWidth - left - 10, 150), Qt::AlignLeft | Qt::TextWordWrap,
               "Penetration ratio: penetration into the clay over the pile diameter. Between two curves the "
               "factor is linear in the ratio.\n\nSI projects: Su in kPa / 47.88 gives Su in ksf.");
}

QImage DrawPicture(const app::TDesignChartPicture& picture)
{
    QImage image(app::kChartPictureWidth, app::kChartPictureHeight, QImage::Format_RGB888);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setPen(Qt::black);
    p.setFont(Font(20, true));
    p.drawText(QRectF(0, 8, app::kChartPictureWidth, 28), Qt::AlignHCenter, picture.Title);
    p.setFont(Font(13));
    p.drawText(QRectF(0, 36, app::kChartPictureWidth, 20), Qt::AlignHCenter,
               "Adhesion factor of driven piles in clay (FHWA method)");
    DrawAxes(p);
    DrawCurves(p, picture.Graph);
    p.end();
    return image;
}

app::TRgbPicture Pixels(const QImage& image)
{
    app::TRgbPicture rgb{image.width(), image.height(), {}};
    const std::size_t row = static_cast<std::size_t>(image.width()) * 3;
    rgb.Pixels.resize(row * static_cast<std::size_t>(image.height()));
    for (int y = 0; y < image.height(); ++y) {
        const uchar* line = image.constScanLine(y);
        std::copy(line, line + row, rgb.Pixels.begin() + static_cast<std::ptrdiff_t>(row * static_cast<std::size_t>(y)));
    }
    return rgb;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: korva-chart-pictures OUTDIR\n");
        return 2;
    }
    // The pictures are drawn without a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const std::filesystem::path folder = argv[1];
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    for (const auto& picture : app::kDesignChartPictures) {
        // A failed build leaves no cut picture that a later build would
        // take for a finished one.
        try {
            const auto bytes = app::EncodeJpeg(Pixels(DrawPicture(picture)), 90);
            components::ReplaceFile((folder / picture.FileName).string(),
                             std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
        } catch (const std::exception& e) {
            std::fprintf(stderr, "korva-chart-pictures: %s\n", e.what());
            return 1;
        }
    }
    return 0;
}
