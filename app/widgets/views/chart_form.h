#pragma once
// TChartForm ("ChartForm"): the window of the three design-chart pictures of
// the clay adhesion choice, ChartA, ChartB and ChartC, and a "Close" button.
// The soil properties window shows one picture at a time, modally. The
// pictures are JPEG files of the program's resources (design_chart_pictures.h),
// decoded by libjpeg when first shown; one that cannot be decoded gives a
// message and the window stays closed.
#include <array>
#include <optional>
#include <string>

#include <QDialog>
#include <QImage>

#include "design_chart_pictures.h"

class QLabel;
class QPushButton;

namespace korva::app_widgets {

// The decoded picture of a design chart from the program's resources; raises
// app::EPictureError when the resource is missing or cannot be decoded.
QImage LoadDesignChart(const app::TDesignChartPicture& picture);

class TChartForm : public QDialog {
    Q_OBJECT
public:
    explicit TChartForm(QWidget* parent = nullptr);

    // Hides the three pictures, makes the one of the adhesion choice (1 A,
    // 2 B, 3 C) visible and shows the window modally (it returns at once).
    // False, after the message, when the picture cannot be shown.
    bool ShowChart(int adhesionChoice);

    // The picture labels ChartA, ChartB, ChartC (index 0-2).
    QLabel* Chart(int index) const { return charts_.at(static_cast<std::size_t>(index)); }
    QPushButton* CloseButton() const { return close_; }

    // The window of the main window that `anchor` belongs to, made on first use.
    static TChartForm& Of(QWidget* anchor);

private:
    std::array<QLabel*, 3> charts_{};
    std::array<bool, 3> decoded_{};
    QPushButton* close_;
};

} // namespace korva::app_widgets
