#pragma once
// TDlgInputMotion ("Data of Cone Penetration Test"): the user's CPT text
// file (its name, header lines, data lines and columns per line, kept with
// the project), the stress factor Ua of this window, and the three graphics
// buttons: Qc against depth (the project's CPT profile in its window), and
// the SPT blow count or the undrained shear strength converted from Qc, each
// in a window of its own. Every button reads the file into a buffer; a read
// that succeeds becomes the project's CPT profile (cpt_text_file.h), one
// that fails changes nothing. "Edit File" opens the file in the word
// processor.
#include <memory>

#include "cpt_text_file.h"
#include "dialogs/input_dialog.h"
#include "graph_plot.h"

class QLineEdit;
class QPushButton;

namespace korva::widgets {
class TDataEdit;
}

namespace korva::app_widgets {

// The window of the converted SPT and Su views: one plot per main window,
// shown in the main window's multiple-document area.
class TCptConvertedView;

class TDlgInputMotion : public TInputDialog {
    Q_OBJECT
public:
    explicit TDlgInputMotion(TMainForm& main);

    // The buttons, as the user presses them.
    void BtnBrowseClick();
    void Button1Click();   // "Edit File"
    void Image1Click();     // Qc against depth
    void SpeedButton1Click(); // converted SPT
    void SpeedButton2Click(); // converted Su

    // Controls, for the tests and the probe.
    QLineEdit* EdtWord() const { return edtWord_; }
    QPushButton* EditFileButton() const { return button1_; }
    widgets::TDataEdit* DataLines() const { return dataEdit1_; }
    widgets::TDataEdit* HeaderLines() const { return dataEdit4_; }
    widgets::TDataEdit* Columns() const { return dataEdit5_; }
    widgets::TDataEdit* StressFactor() const { return dataEdit6_; }
    // The plot of the converted views (made on first use).
    components::TGraphPlot& ConvertedPlot();

protected:
    void LoadFromProject() override;
    void StoreToProject() override;

private:
    // Reads the file by the fields into the project's profile; false, after
    // the message, when the file is missing or the read failed.
    bool ReadProfile();
    void ShowConverted(app::TCptView view);
    int Rounded(widgets::TDataEdit* field, int fallback) const;

    QLineEdit* edtWord_;
    QPushButton* button1_;
    widgets::TDataEdit* dataEdit1_;
    widgets::TDataEdit* dataEdit4_;
    widgets::TDataEdit* dataEdit5_;
    widgets::TDataEdit* dataEdit6_;
};

} // namespace korva::app_widgets
