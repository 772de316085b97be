#pragma once
// The small drawings of the pile property dialogs: a pile in elevation or a
// section with one dimension marked. Clicking a drawing that stands for an
// entry field moves the focus to that field (the dialog connects clicked()).
#include <QWidget>

namespace korva::app_widgets {

enum class TDimensionKind {
    PileOverview,            // the pile in elevation with its lengths named
    OuterDiameter,           // a ring section, OD across the outside
    InnerDiameter,           // a ring section, ID across the bore
    TotalLength,             // TL from the head to the toe
    EndSectionLength,        // ESL of the lower end section
    EndSectionInnerDiameter, // EID of the lower end section
    ZeroFrictionLength,      // ZFL from the ground down
    StickupLength,           // PSL of the head above the ground
    HSectionBox,             // H-section in its box: L1, L2
    HSectionSteel,           // H-section's steel only: L1, L2, W1, W2
    RectangularSection,      // a solid rectangle: L1, L2
};

class TDimensionPicture : public QWidget {
    Q_OBJECT
public:
    explicit TDimensionPicture(TDimensionKind kind, QWidget* parent = nullptr);
    TDimensionKind Kind() const { return kind_; }
    QSize sizeHint() const override;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    TDimensionKind kind_;
};

} // namespace korva::app_widgets
