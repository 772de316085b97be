#include "plot_renderer.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <string>

#include <QBrush>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPen>
#include <QPolygon>

namespace korva::widgets {

using namespace components;

namespace {

constexpr int kNormal = 400;
constexpr int kBold = 700;

QRect ToQRect(const TPixelRect& r)
{
    return QRect(QPoint(r.Left, r.Top), QPoint(r.Right - 1, r.Bottom - 1));
}

QColor ToQColor(std::uint32_t rgb)
{
    return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

QString ToQString(const std::string& text)
{
    return QString::fromStdString(text);
}

// A rectangle outlined in the pen and filled with the brush, covering Left
// up to Right - 1 and Top up to Bottom - 1 (the window system's rectangle).
void DrawBox(QPainter& painter, const TPixelRect& r)
{
    if (r.Right - r.Left < 1 || r.Bottom - r.Top < 1)
        return;
    painter.drawRect(QRect(r.Left, r.Top, r.Right - r.Left - 1, r.Bottom - r.Top - 1));
}

TTextSize Measure(const QFontMetrics& metrics, const QString& text)
{
    return {metrics.horizontalAdvance(text), metrics.height()};
}

// Text whose cell has its top-left corner at `at`, reading along the
// painter's x axis.
void DrawTextAt(QPainter& painter, TPixelPoint at, const QString& text)
{
    painter.drawText(QPoint(at.X, at.Y + painter.fontMetrics().ascent()), text);
}

// Text reading upward from `at` (the cell's top on its left side).
void DrawUpwardTextAt(QPainter& painter, TPixelPoint at, const QString& text)
{
    painter.save();
    painter.translate(at.X, at.Y);
    painter.rotate(-90);
    painter.drawText(QPoint(0, painter.fontMetrics().ascent()), text);
    painter.restore();
}

// True when the painter draws aliased into pixels moved by whole pixels at
// most: a widget is drawn moved to its place in its window, while a scaled
// screen would scale a picture put on it.
bool DrawsAlignedPixels(const QPainter& painter)
{
    const QTransform toDevice = painter.deviceTransform();
    return painter.paintEngine() && painter.paintEngine()->type() == QPaintEngine::Raster &&
           !painter.testRenderHint(QPainter::Antialiasing) && toDevice.type() <= QTransform::TxTranslate &&
           toDevice.dx() == std::round(toDevice.dx()) && toDevice.dy() == std::round(toDevice.dy());
}

// ---------------------------------------------------------------------------
// The picture tiles of the layer column. Their drawings are ours; their
// sizes follow the screen and the printer.

struct TileSizes {
    int ScreenWidth, ScreenHeight, PrintWidth, PrintHeight;
};

std::optional<TileSizes> TileSize(int code)
{
    switch (code) {
    case 1:
    case 7: return TileSizes{80, 80, 96, 96};
    case 8:
    case 9:
    case 10: return TileSizes{30, 42, 96, 69};
    case 11:
    case 12: return TileSizes{80, 80, 96, 192};
    default: return std::nullopt;
    }
}

// Draws the motif of a tile in a unit square scaled to the tile.
void DrawTileMotif(QPainter& p, int code, int width, int height)
{
    const auto at = [&](double fx, double fy) { return QPointF(fx * width, fy * height); };
    const double dot = std::max(1.0, width / 40.0);
    const auto dots = [&](std::initializer_list<std::pair<double, double>> points) {
        p.setBrush(Qt::black);
        for (const auto& [x, y] : points)
            p.drawEllipse(at(x, y), dot, dot);
        p.setBrush(Qt::NoBrush);
    };
    const auto dashes = [&](double length) {
        for (int row = 0; row < 4; ++row)
            for (int col = 0; col < 2; ++col) {
                const double x = col * 0.5 + (row % 2) * 0.25 + 0.05;
                const double y = row * 0.25 + 0.125;
                p.drawLine(at(x, y), at(x + length, y));
            }
    };
    switch (code) {
    case 1: dashes(0.3); break;                                        // clay: staggered dashes
    case 7: dots({{0.1, 0.15}, {0.45, 0.1}, {0.8, 0.3}, {0.25, 0.5}, {0.6, 0.55}, {0.9, 0.75},
                  {0.15, 0.85}, {0.5, 0.9}, {0.35, 0.3}, {0.7, 0.85}});
        break;                                                         // sand: dots
    case 8:
        p.drawEllipse(at(0.2, 0.15), width * 0.15, height * 0.1);
        p.drawEllipse(at(0.7, 0.6), width * 0.18, height * 0.12);
        break;                                                         // gravel
    case 9:
        p.drawLine(at(0.2, 0.2), at(0.5, 0.2));
        p.drawLine(at(0.35, 0.05), at(0.35, 0.35));
        p.drawLine(at(0.5, 0.7), at(0.8, 0.7));
        p.drawLine(at(0.65, 0.55), at(0.65, 0.85));
        break;                                                         // crosses
    case 10:
        p.drawLine(at(0.1, 0.3), at(0.4, 0.1));
        p.drawLine(at(0.55, 0.85), at(0.85, 0.65));
        break;                                                         // strokes
    case 11:
        dashes(0.2);
        dots({{0.3, 0.25}, {0.8, 0.5}, {0.3, 0.75}, {0.8, 0.0}});
        break;                                                         // silty sand
    case 12:
        dashes(0.2);
        p.drawEllipse(at(0.7, 0.25), width * 0.06, height * 0.05);
        p.drawEllipse(at(0.2, 0.75), width * 0.06, height * 0.05);
        break;                                                         // clayey gravel
    default: break;
    }
}

const QImage* LayerTile(int code, bool printing)
{
    static std::map<std::pair<int, bool>, QImage> tiles;
    const auto size = TileSize(code);
    if (!size)
        return nullptr;
    auto& tile = tiles[{code, printing}];
    if (tile.isNull()) {
        const int width = printing ? size->PrintWidth : size->ScreenWidth;
        const int height = printing ? size->PrintHeight : size->ScreenHeight;
        tile = QImage(width, height, QImage::Format_RGB32);
        tile.fill(Qt::white);
        QPainter p(&tile);
        p.setPen(QPen(Qt::black, std::max(1, width / 48)));
        DrawTileMotif(p, code, width, height);
    }
    return &tile;
}

QBrush LayerBrush(int code, bool printing)
{
    switch (code) {
    case 2: return QBrush(Qt::black, Qt::FDiagPattern);
    case 3: return QBrush(Qt::black, Qt::CrossPattern);
    case 4: return QBrush(Qt::black, Qt::DiagCrossPattern);
    case 5: return QBrush(Qt::black, Qt::HorPattern);
    case 6: return QBrush(Qt::black, Qt::VerPattern);
    default: break;
    }
    if (const QImage* tile = LayerTile(code, printing))
        return QBrush(*tile);
    return Qt::NoBrush;
}

// ---------------------------------------------------------------------------

class Renderer {
public:
    Renderer(QPainter& painter, const TGraphPlot& plot, const TPlotView& view)
        : p_(painter), plot_(plot), view_(view), layout_(view.Layout),
          baseFont_(BaseFontHeight(view.Layout.PixelsY)),
          penWidth_(std::max(1, CurvePenWidth(view.Layout.PixelsX, plot.WidthLine))),
          markers_(view.Layout.PixelsX, view.Layout.PixelsY)
    {
    }

    TPlotPaint Paint()
    {
        TPlotPaint result;
        p_.save();
        p_.setRenderHint(QPainter::Antialiasing, false);
        p_.fillRect(ToQRect(layout_.Client), Qt::white);
        if (!IsPaintable(layout_)) {
            p_.restore();
            return result;
        }
        result.Painted = true;

        const std::vector<TPlotArea> areas = PlotAreas(plot_, layout_, view_.CurrentRange);
        DrawTitles();
        for (const TPlotArea& area : areas) {
            TAreaPaint& painted = result.Areas.emplace_back();
            painted.Rect = area.Rect;
            painted.Range = area.Range;
            if (!HasArea(area.Rect))
                continue;
            painted.Ticks = ComputeTicks(area.Range, area.Rect, layout_.FontHeight, area.LabelSpacing);
            if (painted.Ticks)
                DrawGrid(area, *painted.Ticks, painted);
        }
        for (std::size_t k = 0; k < areas.size(); ++k)
            if (HasArea(areas[k].Rect))
                result.Areas[k].Curves = DrawCurves(areas[k]);
        if (view_.WithLegendBox)
            DrawLegendBox();
        if (plot_.ShowLayers)
            DrawLayers();
        DrawFrames(areas);
        p_.restore();
        return result;
    }

private:
    void SetFont(int weight, int factor) { p_.setFont(RotatedFont(baseFont_, weight, factor)); }

    void SetPen(const QColor& colour, int width, Qt::PenStyle style = Qt::SolidLine)
    {
        QPen pen(colour, width, style, Qt::RoundCap, Qt::RoundJoin);
        p_.setPen(pen);
    }

    void DrawTitles()
    {
        SetFont(kBold, plot_.SizeFont);
        p_.setPen(Qt::black);
        const QFontMetrics metrics = p_.fontMetrics();
        const int units = plot_.Units();
        if (!plot_.GraphTitle.empty()) {
            const QString title = ToQString(plot_.GraphTitle);
            DrawTextAt(p_, GraphTitlePosition(layout_, plot_, Measure(metrics, title)), title);
        }
        if (!plot_.ShowThree) {
            const QString x = ToQString(AxisTitle(plot_.XCaption, plot_.XUnits, units));
            DrawTextAt(p_, XTitlePosition(layout_, plot_, Measure(metrics, x)), x);
            const QString y = ToQString(AxisTitle(plot_.YCaption, plot_.YUnits, units));
            DrawUpwardTextAt(p_, YTitlePosition(layout_, Measure(metrics, y)), y);
            return;
        }
        const std::string* captions[3][4] = {
            {&plot_.XCaption, &plot_.XUnits, &plot_.YCaption, &plot_.YUnits},
            {&plot_.XCaption2, &plot_.XUnits2, &plot_.YCaption2, &plot_.YUnits2},
            {&plot_.XCaption3, &plot_.XUnits3, &plot_.YCaption3, &plot_.YUnits3},
        };
        for (int k = 0; k < 3; ++k) {
            const QString x = ToQString(AxisTitle(*captions[k][0], *captions[k][1], units));
            DrawTextAt(p_, PanelXTitlePosition(layout_, plot_, k, Measure(metrics, x)), x);
            const QString y = ToQString(AxisTitle(*captions[k][2], *captions[k][3], units));
            DrawUpwardTextAt(p_, PanelYTitlePosition(layout_, k, Measure(metrics, y), view_.ToBitmap), y);
        }
    }

    void DrawGrid(const TPlotArea& area, const TTickSet& ticks, TAreaPaint& painted)
    {
        const TPixelRect& r = area.Rect;
        const bool down = plot_.XOnTop;
        const int tickX = layout_.PixelsY / 16;
        const int tickY = layout_.PixelsX / 16;
        const QPen solid(Qt::black, 1, Qt::SolidLine);
        const QPen dotted(Qt::black, 1, Qt::DotLine);
        if (ticks.LastX > ticks.FirstX) {
            for (int k = ticks.FirstX; k <= ticks.LastX; ++k) {
                const int px = ValueToPixel(area.Range, r, down, k * ticks.TickStep.X, area.Range.YMin).X;
                if (px < r.Left || px > r.Right)
                    continue;
                if (k % 5 == 0) {
                    p_.setPen(dotted);
                    p_.drawLine(px, r.Top, px, r.Bottom);
                }
                p_.setPen(solid);
                if (down)
                    p_.drawLine(px, r.Top, px, r.Top + tickX);
                else
                    p_.drawLine(px, r.Bottom, px, r.Bottom - tickX);
            }
        }
        if (ticks.LastY > ticks.FirstY) {
            for (int k = ticks.FirstY; k <= ticks.LastY; ++k) {
                const int py = ValueToPixel(area.Range, r, down, area.Range.XMin, k * ticks.TickStep.Y).Y;
                if (py < r.Top || py > r.Bottom)
                    continue;
                if (k % 5 == 0) {
                    p_.setPen(dotted);
                    p_.drawLine(r.Left, py, r.Right, py);
                }
                p_.setPen(solid);
                p_.drawLine(r.Left, py, r.Left + tickY, py);
            }
        }
        // The labels, each centred on its own tick.
        SetFont(kNormal, plot_.SizeFont);
        p_.setPen(solid);
        painted.Labels = TickLabels(area, ticks, layout_, down, TickLabelMeasure(plot_, layout_.PixelsY, p_.device()));
        for (const TTickLabel& label : painted.Labels) {
            const QString text = ToQString(label.Text);
            if (label.Axis == TPlotAxis::X) {
                DrawTextAt(p_, label.At, text);
                painted.XLabels.push_back(label.Value);
            } else {
                DrawUpwardTextAt(p_, label.At, text);
                painted.YLabels.push_back(label.Value);
            }
        }
    }

    // A marker in the painter's pen, a closed polyline around the pixel.
    void DrawMarker(QPainter& painter, int shape, TPixelPoint at)
    {
        const std::vector<TPixelPoint>& offsets = markers_.Offsets(shape);
        marker_.resize(static_cast<qsizetype>(offsets.size()));
        for (std::size_t i = 0; i < offsets.size(); ++i)
            marker_[static_cast<qsizetype>(i)] = QPoint(at.X + offsets[i].X, at.Y + offsets[i].Y);
        painter.drawPolyline(marker_);
    }

    // The markers of a curve. On a picture of pixels (the window, a bitmap)
    // the marker is drawn once into a stamp that is then put at every
    // point: aliased drawing moved by whole pixels covers the same pixels,
    // so the plot is the same as with each marker drawn, in a fraction of
    // the time (a curve of 500 points has 500 markers). Elsewhere (paper)
    // each marker is drawn.
    void DrawMarkers(int shape, const std::vector<TPixelPoint>& centres)
    {
        if (!DrawsAlignedPixels(p_) || centres.size() < 2) {
            for (const TPixelPoint& at : centres)
                DrawMarker(p_, shape, at);
            return;
        }
        // As far as the vertices reach, and half the pen and a pixel beyond.
        int reach = 0;
        for (const TPixelPoint& offset : markers_.Offsets(shape))
            reach = std::max({reach, std::abs(offset.X), std::abs(offset.Y)});
        reach += p_.pen().width() / 2 + 1;
        QImage stamp(2 * reach + 1, 2 * reach + 1, QImage::Format_ARGB32_Premultiplied);
        stamp.fill(Qt::transparent);
        {
            QPainter painter(&stamp);
            painter.setRenderHint(QPainter::Antialiasing, false);
            painter.setPen(p_.pen());
            DrawMarker(painter, shape, {reach, reach});
        }
        for (const TPixelPoint& at : centres)
            p_.drawImage(QPoint(at.X - reach, at.Y - reach), stamp);
    }

    std::vector<TCurveStyle> DrawCurves(const TPlotArea& area)
    {
        const std::vector<TCurveStyle> curves = DrawnCurves(*area.Lines);
        p_.save();
        p_.setClipRect(QRect(QPoint(area.Rect.Left, area.Rect.Top), QPoint(area.Rect.Right, area.Rect.Bottom)));
        for (const TCurveStyle& curve : curves) {
            const QColor colour = ToQColor(PlotColor(curve.ColorIndex));
            SetPen(colour, penWidth_);
            p_.setBrush(colour);
            const TCurvePath path =
                CurvePath(*area.Lines->Items(curve.LineIndex), area.Range, area.Rect, plot_.XOnTop, plot_.Markers);
            for (const auto& run : path.Runs) {
                if (run.size() < 2)
                    continue;
                QPolygon polyline;
                for (const TPixelPoint& point : run)
                    polyline << QPoint(point.X, point.Y);
                p_.drawPolyline(polyline);
            }
            p_.setBrush(Qt::NoBrush);
            DrawMarkers(MarkerShape(curve.LineIndex), path.Markers);
        }
        p_.restore();
        return curves;
    }

    void DrawLegendBox()
    {
        const std::vector<TVisibleLegendEntry> entries = VisibleLegendEntries(plot_, view_);
        SetFont(kNormal, plot_.SizeFont);
        const QFontMetrics metrics = p_.fontMetrics();
        int widest = 0;
        for (const auto& entry : entries)
            widest = std::max(widest, metrics.horizontalAdvance(ToQString(*entry.Text)));
        const TLegendBox box =
            LegendBoxGeometry(layout_, view_.LegendLeft, view_.LegendTop, view_.WindowWidth, view_.WindowHeight,
                              static_cast<int>(entries.size()), widest, metrics.height());
        SetPen(Qt::black, penWidth_);
        p_.setBrush(Qt::white);
        DrawBox(p_, box.Frame);
        p_.setBrush(Qt::NoBrush);
        for (std::size_t i = 0; i < entries.size(); ++i) {
            SetPen(Qt::black, penWidth_);
            // The marker of the entry's own line, as its curve shows it.
            DrawMarker(p_, MarkerShape(entries[i].LineIndex), box.Items[i].Marker);
            p_.setPen(ToQColor(PlotColor(entries[i].Position)));
            DrawTextAt(p_, box.Items[i].Text, ToQString(*entries[i].Text));
        }
    }

    void DrawLayers()
    {
        const TPixelRect& column = layout_.LayerColumn;
        if (!HasArea(column))
            return;
        p_.save();
        p_.setClipRect(ToQRect(column));
        const bool printing = view_.WithLegendBox && !view_.ToBitmap;
        SetFont(kNormal, 10);
        const QFontMetrics metrics = p_.fontMetrics();
        for (const TLayerBand& band : LayerBands(plot_, layout_, view_.CurrentRange[0])) {
            SetPen(Qt::black, penWidth_);
            p_.setBrush(band.Wall ? QBrush(QColor(128, 128, 128)) : LayerBrush(band.Pattern, printing));
            p_.setBrushOrigin(0, 0);
            DrawBox(p_, band.Rect);
            if (band.Name.empty())
                continue;
            const QString name = ToQString(band.Name);
            const TTextSize size = Measure(metrics, name);
            const TPixelPoint at{(column.Left + column.Right - size.Width) / 2,
                                 (band.NameTop + band.NameBottom - size.Height) / 2};
            p_.fillRect(QRect(at.X, at.Y, size.Width, size.Height), Qt::white);
            p_.setPen(Qt::black);
            DrawTextAt(p_, at, name);
        }
        p_.restore();
    }

    void DrawFrames(const std::vector<TPlotArea>& areas)
    {
        p_.setPen(QPen(Qt::black, 1, Qt::SolidLine));
        p_.setBrush(Qt::NoBrush);
        for (const TPlotArea& area : areas)
            if (HasArea(area.Rect))
                p_.drawRect(QRect(area.Rect.Left, area.Rect.Top, area.Rect.Right - area.Rect.Left,
                                  area.Rect.Bottom - area.Rect.Top));
    }

    QPainter& p_;
    const TGraphPlot& plot_;
    const TPlotView& view_;
    const TPlotLayout& layout_;
    const int baseFont_;
    const int penWidth_;
    const TMarkerShapes markers_;
    QPolygon marker_; // the marker being drawn, its storage kept from one to the next
};

} // namespace

QFont RotatedFont(int baseHeight, int weight, int factor)
{
    QFont font(QStringLiteral("Times New Roman"));
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(std::max(1, ScaledFontHeight(baseHeight, factor)));
    font.setWeight(weight >= kBold ? QFont::Bold : QFont::Normal);
    return font;
}

TLabelMeasure TickLabelMeasure(const TGraphPlot& plot, int pixelsY, QPaintDevice* device)
{
    auto metrics = std::make_shared<QFontMetrics>(RotatedFont(BaseFontHeight(pixelsY), kNormal, plot.SizeFont), device);
    return [metrics](const std::string& text) { return Measure(*metrics, ToQString(text)); };
}

TPlotLayout FittedLayout(const TGraphPlot& plot, const std::array<TPlotRange, 3>& ranges, QPaintDevice* device,
                         const std::function<TPlotLayout(const TLabelRoom&)>& lay)
{
    return FitTickLabels(lay, plot, ranges, TickLabelMeasure(plot, lay({}).PixelsY, device));
}

TPlotPaint PaintPlot(QPainter& painter, const TGraphPlot& plot, const TPlotView& view)
{
    return Renderer(painter, plot, view).Paint();
}

} // namespace korva::widgets
