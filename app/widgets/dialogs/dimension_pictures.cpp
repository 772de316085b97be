#include "dimension_pictures.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace korva::app_widgets {

namespace {

// A drawing in its own units (Width x Height), scaled into the widget with
// its proportions kept and centred; text keeps the widget's font.
class TSketch {
public:
    // `margin` leaves room for the names left of x = 0.
    TSketch(QPainter& painter, const QRect& area, double width, double height, double margin = 0)
        : p(painter), margin_(margin)
    {
        width += margin;
        scale_ = std::min(area.width() / width, area.height() / height);
        origin_ = QPointF(area.x() + (area.width() - width * scale_) / 2, area.y() + (area.height() - height * scale_) / 2);
    }

    QPointF At(double x, double y) const { return origin_ + QPointF((x + margin_) * scale_, y * scale_); }
    QRectF Box(double x, double y, double w, double h) const { return QRectF(At(x, y), At(x + w, y + h)); }
    double Scale() const { return scale_; }

    // A dimension line with an arrowhead at each end and its name beside it.
    void Dimension(double x1, double y1, double x2, double y2, const QString& name, Qt::Alignment side)
    {
        const QPointF a = At(x1, y1), b = At(x2, y2);
        p.save();
        p.setPen(QPen(kDimensionColour, 1));
        p.drawLine(a, b);
        Arrowhead(a, b);
        Arrowhead(b, a);
        const QPointF mid = (a + b) / 2;
        const QFontMetricsF metrics(p.font());
        const double w = metrics.horizontalAdvance(name) + 4;
        const double h = metrics.height();
        QRectF label(mid.x() - w / 2, mid.y() - h / 2, w, h);
        if (side & Qt::AlignTop)
            label.moveBottom(mid.y() - 1);
        if (side & Qt::AlignBottom)
            label.moveTop(mid.y() + 1);
        if (side & Qt::AlignLeft)
            label.moveRight(mid.x() - 2);
        if (side & Qt::AlignRight)
            label.moveLeft(mid.x() + 2);
        p.drawText(label, Qt::AlignCenter, name);
        p.restore();
    }

    // A short extension line marking where a dimension starts.
    void Witness(double x1, double y1, double x2, double y2)
    {
        p.save();
        p.setPen(QPen(kDimensionColour, 1, Qt::DotLine));
        p.drawLine(At(x1, y1), At(x2, y2));
        p.restore();
    }

    // The ground surface with hatching below it, from x1 to x2.
    void Ground(double x1, double x2, double y)
    {
        p.save();
        p.setPen(QPen(Qt::black, 1.5));
        p.drawLine(At(x1, y), At(x2, y));
        p.setPen(QPen(QColor(110, 85, 50), 1));
        for (double x = x1 + 3; x < x2; x += 6)
            p.drawLine(At(x, y), At(x - 4, y + 4));
        p.restore();
    }

    // A pile in elevation from depth `top` to `bottom` with its bore shown
    // when `wall` is less than half the width.
    void PileElevation(double x, double width, double top, double bottom, double wall)
    {
        p.save();
        p.setPen(QPen(Qt::black, 1.2));
        p.setBrush(kSteel);
        p.drawRect(Box(x, top, width, bottom - top));
        if (wall * 2 < width) {
            p.setPen(QPen(Qt::black, 1, Qt::DashLine));
            p.drawLine(At(x + wall, top), At(x + wall, bottom));
            p.drawLine(At(x + width - wall, top), At(x + width - wall, bottom));
        }
        p.restore();
    }

    QPainter& p;

    static inline const QColor kSteel{200, 205, 215};
    static inline const QColor kDimensionColour{0, 70, 160};

private:
    void Arrowhead(const QPointF& tip, const QPointF& from)
    {
        const QPointF d = tip - from;
        const double length = std::hypot(d.x(), d.y());
        if (length < 1e-9)
            return;
        const QPointF u = d / length;
        const QPointF n(-u.y(), u.x());
        const double size = 5;
        QPolygonF head;
        head << tip << tip - u * size + n * size / 2.5 << tip - u * size - n * size / 2.5;
        p.save();
        p.setBrush(p.pen().color());
        p.drawPolygon(head);
        p.restore();
    }

    double margin_;
    double scale_ = 1;
    QPointF origin_;
};

void DrawRing(TSketch& s, bool markInner)
{
    QPainter& p = s.p;
    p.save();
    QPainterPath ring;
    ring.addEllipse(s.Box(10, 10, 80, 80));
    ring.addEllipse(s.Box(22, 22, 56, 56));
    p.setPen(QPen(Qt::black, 1.2));
    p.setBrush(TSketch::kSteel);
    p.drawPath(ring);
    p.restore();
    if (markInner)
        s.Dimension(22, 50, 78, 50, "ID", Qt::AlignTop);
    else
        s.Dimension(10, 50, 90, 50, "OD", Qt::AlignTop);
}

void DrawHSection(TSketch& s, bool steelOnly)
{
    QPainter& p = s.p;
    // Flanges 80 wide and 10 thick, web 8 thick, depth 80.
    QPainterPath h;
    h.addRect(s.Box(10, 10, 80, 10));
    h.addRect(s.Box(10, 80, 80, 10));
    h.addRect(s.Box(46, 20, 8, 60));
    h.setFillRule(Qt::WindingFill);
    p.save();
    if (!steelOnly) {
        p.setPen(QPen(Qt::black, 1, Qt::DashLine));
        p.setBrush(QColor(235, 225, 200)); // the soil held between the flanges
        p.drawRect(s.Box(10, 10, 80, 80));
    }
    p.setPen(QPen(Qt::black, 1.2));
    p.setBrush(TSketch::kSteel);
    p.drawPath(h.simplified());
    p.restore();
    s.Dimension(10, 96, 90, 96, "L1", Qt::AlignBottom);
    s.Dimension(96, 10, 96, 90, "L2", Qt::AlignRight);
    if (steelOnly) {
        s.Dimension(4, 10, 4, 20, "W1", Qt::AlignLeft);
        s.Dimension(46, 50, 54, 50, "W2", Qt::AlignTop | Qt::AlignRight);
    }
}

void DrawRectangle(TSketch& s)
{
    QPainter& p = s.p;
    p.save();
    p.setPen(QPen(Qt::black, 1.2));
    p.setBrush(QColor(210, 210, 200)); // concrete
    p.drawRect(s.Box(15, 15, 70, 70));
    p.restore();
    s.Dimension(15, 94, 85, 94, "L1", Qt::AlignBottom);
    s.Dimension(94, 15, 94, 85, "L2", Qt::AlignRight);
}

// The elevations share one layout: ground at 40, head at 10, toe at 190.
constexpr double kGround = 40;
constexpr double kHead = 10;
constexpr double kToe = 190;
constexpr double kPileX = 40;
constexpr double kPileWidth = 30;

void DrawElevation(TSketch& s, TDimensionKind kind)
{
    s.Ground(0, 100, kGround);
    const double right = kPileX + kPileWidth;
    s.PileElevation(kPileX, kPileWidth, kHead, kToe, 4);
    // The lower end section: a thicker wall over the last 40 units.
    const double endTop = kToe - 40;
    const bool endSection = kind == TDimensionKind::PileOverview || kind == TDimensionKind::EndSectionLength ||
                            kind == TDimensionKind::EndSectionInnerDiameter;
    if (endSection) {
        s.p.save();
        s.p.setPen(Qt::NoPen);
        s.p.setBrush(QColor(150, 160, 175));
        s.p.drawRect(s.Box(kPileX + 4, endTop, 4, kToe - endTop));
        s.p.drawRect(s.Box(right - 8, endTop, 4, kToe - endTop));
        s.p.restore();
    }
    switch (kind) {
    case TDimensionKind::PileOverview:
        s.Dimension(right + 10, kHead, right + 10, kGround, "PSL", Qt::AlignRight);
        s.Dimension(right + 10, kGround, right + 10, kGround + 30, "ZFL", Qt::AlignRight);
        s.Dimension(kPileX - 12, kHead, kPileX - 12, kToe, "TL", Qt::AlignLeft);
        s.Dimension(right + 10, endTop, right + 10, kToe, "ESL", Qt::AlignRight);
        break;
    case TDimensionKind::TotalLength:
        s.Witness(kPileX, kHead, kPileX - 16, kHead);
        s.Witness(kPileX, kToe, kPileX - 16, kToe);
        s.Dimension(kPileX - 12, kHead, kPileX - 12, kToe, "TL", Qt::AlignLeft);
        break;
    case TDimensionKind::EndSectionLength:
        s.Witness(right, endTop, right + 14, endTop);
        s.Dimension(right + 10, endTop, right + 10, kToe, "ESL", Qt::AlignRight);
        break;
    case TDimensionKind::EndSectionInnerDiameter:
        s.Witness(kPileX + 8, kToe, kPileX + 8, kToe + 8);
        s.Witness(right - 8, kToe, right - 8, kToe + 8);
        s.Dimension(kPileX + 8, kToe + 6, right - 8, kToe + 6, "EID", Qt::AlignBottom);
        break;
    case TDimensionKind::ZeroFrictionLength:
        s.p.save();
        s.p.setPen(Qt::NoPen);
        s.p.setBrush(QColor(255, 220, 120, 160)); // the length that carries no friction
        s.p.drawRect(s.Box(kPileX - 4, kGround, kPileWidth + 8, 40));
        s.p.restore();
        s.Dimension(right + 10, kGround, right + 10, kGround + 40, "ZFL", Qt::AlignRight);
        break;
    case TDimensionKind::StickupLength:
        s.Witness(right, kHead, right + 14, kHead);
        s.Dimension(right + 10, kHead, right + 10, kGround, "PSL", Qt::AlignRight);
        break;
    default:
        break;
    }
}

bool IsSection(TDimensionKind kind)
{
    switch (kind) {
    case TDimensionKind::OuterDiameter:
    case TDimensionKind::InnerDiameter:
    case TDimensionKind::HSectionBox:
    case TDimensionKind::HSectionSteel:
    case TDimensionKind::RectangularSection:
        return true;
    default:
        return false;
    }
}

QString NameOf(TDimensionKind kind)
{
    switch (kind) {
    case TDimensionKind::OuterDiameter:
        return "OD";
    case TDimensionKind::InnerDiameter:
        return "ID";
    case TDimensionKind::TotalLength:
        return "TL";
    case TDimensionKind::EndSectionLength:
        return "ESL";
    case TDimensionKind::EndSectionInnerDiameter:
        return "EID";
    case TDimensionKind::ZeroFrictionLength:
        return "ZFL";
    case TDimensionKind::StickupLength:
        return "PSL";
    default:
        return {};
    }
}

} // namespace

TDimensionPicture::TDimensionPicture(TDimensionKind kind, QWidget* parent) : QWidget(parent), kind_(kind)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    const QString name = NameOf(kind);
    if (!name.isEmpty()) {
        setCursor(Qt::PointingHandCursor);
        setToolTip(name);
        setAccessibleName(name);
    }
}

QSize TDimensionPicture::sizeHint() const
{
    if (IsSection(kind_))
        return QSize(120, 105);
    return kind_ == TDimensionKind::PileOverview ? QSize(130, 230) : QSize(90, 170);
}

void TDimensionPicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font = painter.font();
    font.setPointSizeF(std::max(7.0, font.pointSizeF() - 1));
    painter.setFont(font);
    const QRect area = rect().adjusted(2, 2, -2, -2);
    if (IsSection(kind_)) {
        TSketch sketch(painter, area, 115, 108, 20);
        switch (kind_) {
        case TDimensionKind::OuterDiameter:
            DrawRing(sketch, false);
            break;
        case TDimensionKind::InnerDiameter:
            DrawRing(sketch, true);
            break;
        case TDimensionKind::HSectionBox:
            DrawHSection(sketch, false);
            break;
        case TDimensionKind::HSectionSteel:
            DrawHSection(sketch, true);
            break;
        default:
            DrawRectangle(sketch);
            break;
        }
    } else {
        TSketch sketch(painter, area, 110, 212);
        DrawElevation(sketch, kind_);
    }
    if (!isEnabled())
        painter.fillRect(rect(), QColor(255, 255, 255, 150)); // a disabled field's picture looks faded
}

void TDimensionPicture::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && isEnabled())
        emit clicked();
    QWidget::mousePressEvent(event);
}

} // namespace korva::app_widgets
