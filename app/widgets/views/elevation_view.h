#pragma once
// TDlgSideView, "Elevation View": the pile and the soil profile in
// elevation (ground line with hatching, one line and label per layer, the
// tapered pile), the depth under the pointer in the caption, and a Print
// button that prints a simplified profile in landscape. Every activation
// rebuilds the drawing from the open project, so edits made elsewhere show.
// The numbers come from elevation_geometry.h; this window only draws them.
#include <QWidget>

#include "elevation_geometry.h"

class QLabel;
class QPainter;
class QPushButton;

namespace korva::app {
class TProjectSession;
}

namespace korva::app_widgets {

class TMainForm;

// What a print of the profile did.
struct TProfilePrint {
    bool Printed = false; // false when the print dialog was cancelled
    int Pages = 0;
    app::TProfilePage Page; // the layout on the printer's page
};

class TElevationCanvas;

class TDlgSideView : public QWidget {
    Q_OBJECT
public:
    explicit TDlgSideView(app::TProjectSession& session, QWidget* parent = nullptr);
    // The view of the main window's project.
    explicit TDlgSideView(TMainForm& main);

    // Activation: the drawing rebuilt from the current project.
    void Reload();
    // "Print": the print dialog, then one landscape page.
    TProfilePrint Print();

    const app::TElevationProfile& Profile() const { return profile_; }
    // The mapping and the drawing for the canvas's present size.
    app::TElevationMapping Mapping() const;
    app::TElevationScene Scene() const;
    QWidget* Canvas() const;

protected:
    bool event(QEvent* event) override;

private:
    friend class TElevationCanvas;
    void PointerAt(int yPixel);

    app::TProjectSession* session_;
    app::TElevationProfile profile_;
    QLabel* label1_;
    QPushButton* button1_;
    TElevationCanvas* canvas_;
};

} // namespace korva::app_widgets
