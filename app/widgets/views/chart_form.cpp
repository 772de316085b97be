#include "views/chart_form.h"

#include <mutex>
#include <span>

#include <QFile>
#include <QLabel>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "jpeg_picture.h"
#include "ui_services.h"

// The pictures' resource lives in a static library: its initialiser must be
// named once, outside any namespace, for the linker to keep it.
static void InitDesignChartResources()
{
    Q_INIT_RESOURCE(design_charts);
}

namespace korva::app_widgets {

QImage LoadDesignChart(const app::TDesignChartPicture& picture)
{
    static std::once_flag resources;
    std::call_once(resources, InitDesignChartResources);
    QFile file(picture.Resource);
    if (!file.open(QIODevice::ReadOnly))
        throw app::EPictureError(std::string("The picture ") + picture.Resource + " is missing.");
    const QByteArray bytes = file.readAll();
    const app::TRgbPicture rgb = app::DecodeJpeg(
        std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                      static_cast<std::size_t>(bytes.size())));
    return QImage(rgb.Pixels.data(), rgb.Width, rgb.Height, rgb.Width * 3, QImage::Format_RGB888).copy();
}

TChartForm::TChartForm(QWidget* parent) : QDialog(parent)
{
    setWindowTitle("ChartForm");
    setObjectName("ChartForm");
    resize(1078, 494);
    auto* layout = new QVBoxLayout(this);
    const char* const names[] = {"ChartA", "ChartB", "ChartC"};
    for (std::size_t i = 0; i < charts_.size(); ++i) {
        charts_[i] = new QLabel(this);
        charts_[i]->setObjectName(names[i]);
        charts_[i]->setAlignment(Qt::AlignCenter);
        charts_[i]->hide();
        layout->addWidget(charts_[i], 1);
    }
    close_ = new QPushButton("Close", this);
    layout->addWidget(close_, 0, Qt::AlignHCenter);
    connect(close_, &QPushButton::clicked, this, &QDialog::close);
}

bool TChartForm::ShowChart(int adhesionChoice)
{
    if (adhesionChoice < 1 || adhesionChoice > 3)
        return false;
    const auto index = static_cast<std::size_t>(adhesionChoice - 1);
    if (!decoded_[index]) {
        try {
            charts_[index]->setPixmap(QPixmap::fromImage(LoadDesignChart(app::kDesignChartPictures[index])));
            decoded_[index] = true;
        } catch (const app::EPictureError& e) {
            widgets::Ui().Messages->Information("The design chart cannot be shown.\r" + e.Message());
            return false;
        }
    }
    for (QLabel* chart : charts_)
        chart->hide();
    charts_[index]->show();
    setWindowModality(Qt::ApplicationModal);
    show();
    raise();
    activateWindow();
    return true;
}

TChartForm& TChartForm::Of(QWidget* anchor)
{
    QWidget* owner = anchor ? anchor->window() : nullptr;
    // The soil properties window is itself a dialog of the main window.
    if (owner && owner->parentWidget())
        owner = owner->parentWidget()->window();
    if (!owner) {
        static QPointer<TChartForm> alone;
        if (!alone)
            alone = new TChartForm;
        return *alone;
    }
    if (auto* form = owner->findChild<TChartForm*>(QString(), Qt::FindDirectChildrenOnly))
        return *form;
    return *new TChartForm(owner);
}

} // namespace korva::app_widgets
