// The main window: construction, menus, tool bar, the menus' updates and
// the Help menu. The document life cycle, the child windows and the run
// have files of their own.
#include "main_window/main_form.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QTimer>
#include <QToolBar>

#include "document_rules.h"
#include "file_text.h"
#include "main_window/about_box.h"
#include "methods_rules.h"
#include "result_plots.h"
#include "run_sequence.h"
#include "table_form.h"
#include "ui_services.h"
#include "views/result_views.h"

namespace korva::app_widgets {

namespace {

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

// A tool-button picture of one or two letters, for the buttons the style
// has no picture for.
QIcon LetterIcon(const QString& letters, const QColor& colour)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(colour.darker(140));
    painter.setBrush(colour);
    painter.drawRoundedRect(QRectF(2.5, 2.5, 27, 27), 5, 5);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(letters.size() > 1 ? 13 : 17);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 0, 32, 32), Qt::AlignCenter, letters);
    return QIcon(pixmap);
}

// The child kinds of the Data and Options menus with their captions and
// tool-button hints (empty: no tool button).
struct TChildEntry {
    TChildKind Kind;
    const char* Caption;
    const char* Hint;
    const char* Letters;
};

constexpr TChildEntry kDataEntries[] = {
    {TChildKind::Title, "&Title", "Title", "T"},
    {TChildKind::Methods, "Computational &Method", "Computational Method", "M"},
    {TChildKind::Material, "&Pile Material", "Pile Material", "PM"},
    {TChildKind::CircularSection, "&Circular-Section Pile", "Circular Section", "CS"},
    {TChildKind::NoncircularSection, "&Noncircular-Section Pile", "Non-Circular", "NC"},
    {TChildKind::SoilLayers, "Soi&l Layers", "Soil layer Data", "SL"},
    {TChildKind::CptData, "CPT Data File (optional for cone-based method)", "", ""},
};

struct TPlotEntry {
    const char* Caption;
    bool SeparatorBefore;
};

constexpr TPlotEntry kPlotEntries[app::kResultPlotCount] = {
    {"Unit Skin Friction vs Depth", false},
    {"Accumulated &Skin Friction vs Depth", false},
    {"&Tip Resistance vs Depth", false},
    {"Total &Capacity vs Depth", false},
    {"Load &Distribution", true},
    {"Combined &Plot", false},
    {"&Axial Load vs Settlement", false},
    {"Internally-Generated t-z Curves", false},
    {"Extra t-z curves at User Specified Depths", false},
    {"Internally-Generated Q-w Curve", false},
};

// The four result tool buttons: hint, letters, plot.
struct TPlotButton {
    const char* Hint;
    const char* Letters;
    int Plot; // app::TResultPlot
};

constexpr TPlotButton kPlotButtons[4] = {
    {"Total Capacity", "TC", app::rpTotalCapacity},
    {"Combined Plot", "CP", app::rpCombined},
    {"t-z Curves", "tz", app::rpTzCurves},
    {"Load vs. Settlement", "LS", app::rpAxialLoad},
};

std::size_t Index(TChildKind kind)
{
    return static_cast<std::size_t>(kind);
}

bool FileExists(const std::string& path)
{
    return QFileInfo::exists(Q(path));
}

} // namespace

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent)
{
    app::TProjectEvents events;
    events.CloseChildWindows = [this] { CloseChildWindows(); };
    events.RefreshUnitDialogs = [this] { RefreshUnitDialogs(); };
    events.ShowInformation = [](const std::string& text) { widgets::Ui().Messages->Information(text); };
    session_ = std::make_unique<app::TProjectSession>(std::move(events));

    for (std::size_t i = 0; i < kChildKindCount; ++i)
        children_[i].Factory = ChildFactory(static_cast<TChildKind>(i));
    engineLibraryPath_ = app::EngineLibraryPath();

    resize(867, 712);
    // The program's icon on its windows and child windows (the one of the
    // About box), not the toolkit's logo that a window without one shows.
    QApplication::setWindowIcon(QApplication::style()->standardIcon(QStyle::SP_ComputerIcon));
    setAcceptDrops(true);
    mdiArea_ = new QMdiArea(this);
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setBackground(Qt::white);
    setCentralWidget(mdiArea_);
    connect(mdiArea_, &QMdiArea::subWindowActivated, this, &TMainForm::OnSubWindowActivated);
    // The project's tables open their editing windows in this area.
    widgets::InstallTableForms(Tables().D.Registry(), mdiArea_);

    aboutBox_ = new TAboutBox(this);
    resultViews_ = std::make_unique<TResultViews>(*this);

    CreateActions();
    CreateMenus();
    CreateToolBar();

    // The word processor until the settings are read.
    wordProcessorPath_ = widgets::Ui().Settings->Read("Word Processor").value_or("");
    if (wordProcessorPath_.empty())
        wordProcessorPath_ = app::kDefaultWordProcessor;
    SetCaption();
    UpdatePileShapeControls();
    CheckSpeedButtons();
}

TMainForm::~TMainForm()
{
    // The MDI area reports a last activation while it is destroyed, after
    // this window's own members are gone.
    disconnect(mdiArea_, nullptr, this, nullptr);
}

void TMainForm::CreateActions()
{
    const auto make = [this](const char* caption, const char* hint = "") {
        QAction* action = new QAction(QString::fromUtf8(caption), this);
        if (*hint) {
            action->setToolTip(QString::fromUtf8(hint));
            action->setStatusTip(QString::fromUtf8(hint));
        }
        return action;
    };
    QStyle* style = QApplication::style();
    TActions& a = actions_;

    a.FileNew = make("&New", "New File");
    a.FileNew->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    a.FileNew->setIcon(style->standardIcon(QStyle::SP_FileIcon));
    connect(a.FileNew, &QAction::triggered, this, [this] { FileNewClick(); });
    a.FileOpen = make("&Open...", "Open File");
    a.FileOpen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    a.FileOpen->setIcon(style->standardIcon(QStyle::SP_DialogOpenButton));
    connect(a.FileOpen, &QAction::triggered, this, [this] { FileOpenClick(); });
    a.FileSave = make("&Save", "Save File");
    a.FileSave->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    a.FileSave->setIcon(style->standardIcon(QStyle::SP_DialogSaveButton));
    connect(a.FileSave, &QAction::triggered, this, [this] { FileSaveClick(); });
    a.FileSaveAs = make("Save &As...");
    connect(a.FileSaveAs, &QAction::triggered, this, [this] { FileSaveAsClick(); });
    for (int i = 0; i < app::TRecentFiles::kCapacity; ++i) {
        a.RecentFiles[static_cast<std::size_t>(i)] = make("");
        a.RecentFiles[static_cast<std::size_t>(i)]->setVisible(false);
        connect(a.RecentFiles[static_cast<std::size_t>(i)], &QAction::triggered, this, [this, i] { OpenRecentFile(i); });
    }
    a.Exit = make("E&xit");
    connect(a.Exit, &QAction::triggered, this, &QWidget::close);

    const QColor dataColour(0x2f, 0x6f, 0xa8);
    for (const TChildEntry& entry : kDataEntries) {
        QAction* action = make(entry.Caption, entry.Hint);
        if (*entry.Letters)
            action->setIcon(LetterIcon(entry.Letters, dataColour));
        const TChildKind kind = entry.Kind;
        connect(action, &QAction::triggered, this, [this, kind] { ShowChild(kind); });
        a.Children[Index(kind)] = action;
    }
    a.CircularSectionButton = a.Children[Index(TChildKind::CircularSection)];
    a.NoncircularSectionButton = a.Children[Index(TChildKind::NoncircularSection)];

    unitsGroup_ = new QActionGroup(this);
    a.EnglishUnits = make("&English Units (kips, ft, in)");
    a.SiUnits = make("&S.I. Units (kN, m, mm)");
    for (QAction* units : {a.EnglishUnits, a.SiUnits}) {
        units->setCheckable(true);
        unitsGroup_->addAction(units);
    }
    connect(a.EnglishUnits, &QAction::triggered, this, [this] { SetUnitsClick(1); });
    connect(a.SiUnits, &QAction::triggered, this, [this] { SetUnitsClick(2); });
    QAction* tzPrint = make("Print t-z Curves at Additional Depths ");
    tzPrint->setCheckable(true);
    // The entry opens the dialog; its check mark only shows the choice.
    connect(tzPrint, &QAction::triggered, this, [this, tzPrint] {
        tzPrint->setChecked(Project().ExtraTZDepths == 1);
        ShowChild(TChildKind::TzPrint);
    });
    a.Children[Index(TChildKind::TzPrint)] = tzPrint;
    QAction* options = make("Control &Options");
    connect(options, &QAction::triggered, this, [this] { ShowChild(TChildKind::Options); });
    a.Children[Index(TChildKind::Options)] = options;

    const QColor runColour(0x2e, 0x8b, 0x57);
    a.Run = make("&Run Analysis", "Run Data File");
    a.Run->setIcon(style->standardIcon(QStyle::SP_MediaPlay));
    connect(a.Run, &QAction::triggered, this, [this] { CompRunClick(); });
    a.EditInputText = make("Edit &Input Text");
    connect(a.EditInputText, &QAction::triggered, this, [this] { OpenInWordProcessor(Project().FileName); });
    a.EditRunNotes = make("Edit &Processor-Run Notes");
    connect(a.EditRunNotes, &QAction::triggered, this,
            [this] { OpenInWordProcessor(app::ChangeFileExt(Project().FileName, ".kv7r")); });
    a.EditOutputText = make("Edit &Output Text", "View Output");
    a.ViewOutputButton = make("Edit &Output Text", "View Output");
    a.ViewOutputButton->setIcon(style->standardIcon(QStyle::SP_FileDialogContentsView));
    for (QAction* output : {a.EditOutputText, a.ViewOutputButton})
        connect(output, &QAction::triggered, this,
                [this] { OpenInWordProcessor(app::ChangeFileExt(Project().FileName, ".kv7o")); });
    QAction* elevation = make("&View Soil Layer Coordinates", "View Soil Profile");
    elevation->setIcon(LetterIcon("EV", runColour));
    connect(elevation, &QAction::triggered, this, [this] { ShowChild(TChildKind::ElevationView); });
    a.Children[Index(TChildKind::ElevationView)] = elevation;
    a.EditWaveEquationFile = make("Edit GRLWeap Data File");
    connect(a.EditWaveEquationFile, &QAction::triggered, this,
            [this] { OpenInWordProcessor(app::ChangeFileExt(Project().FileName, ".gwi")); });

    for (int i = 0; i < app::kResultPlotCount; ++i) {
        a.Plots[static_cast<std::size_t>(i)] = make(kPlotEntries[i].Caption);
        connect(a.Plots[static_cast<std::size_t>(i)], &QAction::triggered, this, [this, i] {
            if (Results.ShowPlot)
                Results.ShowPlot(i + 1);
        });
    }
    a.ExportPlots = make("Export Plots to Excel");
    connect(a.ExportPlots, &QAction::triggered, this, [this] {
        if (Results.ExportPlots)
            Results.ExportPlots();
    });
    const QColor plotColour(0xa8, 0x5a, 0x2f);
    for (std::size_t i = 0; i < a.PlotButtons.size(); ++i) {
        a.PlotButtons[i] = make(kPlotButtons[i].Hint, kPlotButtons[i].Hint);
        a.PlotButtons[i]->setIcon(LetterIcon(kPlotButtons[i].Letters, plotColour));
        const int plot = kPlotButtons[i].Plot;
        connect(a.PlotButtons[i], &QAction::triggered, this, [this, plot] {
            if (DeactivateActiveChild() && Results.ShowPlot)
                Results.ShowPlot(plot);
        });
    }

    a.Cascade = make("&Cascade");
    connect(a.Cascade, &QAction::triggered, mdiArea_, &QMdiArea::cascadeSubWindows);
    a.ArrangeIcons = make("&Arrange Icons");
    connect(a.ArrangeIcons, &QAction::triggered, this, [this] { ArrangeIcons(); });

    a.HelpContents = make("&Contents");
    connect(a.HelpContents, &QAction::triggered, this, [this] { HelpContentsClick(); });
    a.UsersManual = make("User's Manual");
    connect(a.UsersManual, &QAction::triggered, this, [this] { UsersManualClick(); });
    a.TechnicalManual = make("Technical Manual");
    connect(a.TechnicalManual, &QAction::triggered, this, [this] { TechnicalManualClick(); });
    a.About = make("&About...");
    connect(a.About, &QAction::triggered, this, [this] { AboutClick(); });
    a.CheckForUpdates = make("Check for Updates");
    connect(a.CheckForUpdates, &QAction::triggered, this, [this] { CheckForUpdatesClick(); });
}

void TMainForm::CreateMenus()
{
    TActions& a = actions_;
    QMenuBar* bar = menuBar();
    // Opening these menus commits the active child's edits; a child that
    // refuses keeps the focus, and the menu closes again.
    const auto commitOnOpen = [this](QMenu* menu) {
        connect(menu, &QMenu::aboutToShow, this, [this, menu] {
            if (!DeactivateActiveChild())
                QTimer::singleShot(0, menu, &QMenu::close);
        });
    };

    menus_.File = bar->addMenu("&File");
    commitOnOpen(menus_.File);
    connect(menus_.File, &QMenu::aboutToShow, this, [this] { FileMenuClick(); });
    menus_.File->addActions({a.FileNew, a.FileOpen, a.FileSave, a.FileSaveAs});
    menus_.File->addSeparator();
    for (QAction* recent : a.RecentFiles)
        menus_.File->addAction(recent);
    a.RecentSeparator = menus_.File->addSeparator();
    menus_.File->addAction(a.Exit);

    menus_.Data = bar->addMenu("Da&ta");
    commitOnOpen(menus_.Data);
    for (const TChildEntry& entry : kDataEntries)
        menus_.Data->addAction(a.Children[Index(entry.Kind)]);

    menus_.Options = bar->addMenu("Options");
    commitOnOpen(menus_.Options);
    connect(menus_.Options, &QMenu::aboutToShow, this, [this] { OptionsMenuClick(); });
    menus_.Units = menus_.Options->addMenu("&Units");
    connect(menus_.Units, &QMenu::aboutToShow, this, [this] { UnitsMenuClick(); });
    menus_.Units->addActions({a.EnglishUnits, a.SiUnits});
    menus_.Options->addAction(a.Children[Index(TChildKind::TzPrint)]);
    menus_.Options->addAction(a.Children[Index(TChildKind::Options)]);

    menus_.Computation = bar->addMenu("&Computation");
    commitOnOpen(menus_.Computation);
    connect(menus_.Computation, &QMenu::aboutToShow, this, [this] { ComputationMenuClick(); });
    menus_.Computation->addActions({a.Run, a.EditInputText, a.EditRunNotes, a.EditOutputText,
                                    a.Children[Index(TChildKind::ElevationView)], a.EditWaveEquationFile});

    menus_.Graphics = bar->addMenu("&Graphics");
    connect(menus_.Graphics, &QMenu::aboutToShow, this, [this] { GraphicsMenuClick(); });
    for (int i = 0; i < app::kResultPlotCount; ++i) {
        if (kPlotEntries[i].SeparatorBefore)
            menus_.Graphics->addSeparator();
        menus_.Graphics->addAction(a.Plots[static_cast<std::size_t>(i)]);
    }
    menus_.Graphics->addSeparator();
    menus_.Graphics->addAction(a.ExportPlots);

    menus_.Window = bar->addMenu("&Window");
    connect(menus_.Window, &QMenu::aboutToShow, this, [this] { WindowMenuClick(); });
    menus_.Window->addActions({a.Cascade, a.ArrangeIcons});
    windowSeparator_ = menus_.Window->addSeparator();

    menus_.Help = bar->addMenu("&Help");
    commitOnOpen(menus_.Help);
    menus_.Help->addActions({a.HelpContents, a.UsersManual, a.TechnicalManual, a.About, a.CheckForUpdates});
    GraphicsMenuClick();
}

void TMainForm::CreateToolBar()
{
    TActions& a = actions_;
    QToolBar* tools = addToolBar("Tools");
    tools->setObjectName("Tools");
    tools->setMovable(false);
    tools->setIconSize(QSize(24, 24));
    tools->addActions({a.FileNew, a.FileOpen, a.FileSave});
    tools->addSeparator();
    for (TChildKind kind : {TChildKind::Title, TChildKind::Methods, TChildKind::Material, TChildKind::CircularSection,
                            TChildKind::NoncircularSection, TChildKind::SoilLayers})
        tools->addAction(a.Children[Index(kind)]);
    tools->addSeparator();
    tools->addActions({a.Run, a.ViewOutputButton, a.Children[Index(TChildKind::ElevationView)]});
    tools->addSeparator();
    for (QAction* button : a.PlotButtons)
        tools->addAction(button);
}

void TMainForm::SetCaption()
{
    // A maximized child shows as " - [child]" after the caption; the MDI
    // area takes a new caption as the one to put back when it is restored.
    setWindowTitle(Q(app::MainCaption(Project().FileName)));
}

void TMainForm::FileMenuClick()
{
    const std::string folder = app::CurrentFolder();
    const int count = recentFiles_.Count();
    for (int i = 0; i < app::TRecentFiles::kCapacity; ++i) {
        QAction* entry = actions_.RecentFiles[static_cast<std::size_t>(i)];
        entry->setVisible(i < count);
        if (i < count) // "&" would mark an access key
            entry->setText(Q(app::TRecentFiles::MenuCaption(i, recentFiles_[i], folder)).replace("&", "&&"));
    }
    actions_.RecentSeparator->setVisible(count > 0);
}

void TMainForm::UnitsMenuClick()
{
    (Project().Units == 1 ? actions_.EnglishUnits : actions_.SiUnits)->setChecked(true);
}

void TMainForm::OptionsMenuClick()
{
    actions_.Children[Index(TChildKind::TzPrint)]->setChecked(Project().ExtraTZDepths == 1);
}

void TMainForm::ComputationMenuClick()
{
    const std::string& project = Project().FileName;
    actions_.EditInputText->setEnabled(FileExists(project));
    actions_.EditRunNotes->setEnabled(FileExists(app::ChangeFileExt(project, ".kv7r")));
    actions_.EditOutputText->setEnabled(FileExists(app::ChangeFileExt(project, ".kv7o")));
    actions_.EditWaveEquationFile->setEnabled(FileExists(app::ChangeFileExt(project, ".gwi")));
}

void TMainForm::GraphicsMenuClick()
{
    const app::TGraphicsMenuState state = app::GraphicsMenuState(plotLoaded_, Project());
    for (int number = 1; number <= app::kResultPlotCount; ++number)
        actions_.Plots[static_cast<std::size_t>(number - 1)]->setEnabled(state.PlotEnabled(number) &&
                                                                         Results.ShowPlot);
    actions_.ExportPlots->setEnabled(state.Export && Results.ExportPlots);
}

void TMainForm::WindowMenuClick()
{
    const QList<QAction*> actions = menus_.Window->actions();
    for (qsizetype i = actions.indexOf(windowSeparator_) + 1; i < actions.size(); ++i) {
        menus_.Window->removeAction(actions[i]);
        actions[i]->deleteLater();
    }
    const QList<QMdiSubWindow*> windows = mdiArea_->subWindowList();
    windowSeparator_->setVisible(!windows.isEmpty());
    for (QMdiSubWindow* window : windows) {
        QAction* entry = menus_.Window->addAction(window->windowTitle());
        QPointer<QMdiSubWindow> target = window;
        connect(entry, &QAction::triggered, this, [this, target] {
            if (target)
                mdiArea_->setActiveSubWindow(target);
        });
    }
}

void TMainForm::ArrangeIcons()
{
    // The minimized children in a row along the bottom of the area.
    int x = 0;
    const int bottom = mdiArea_->viewport()->height();
    for (QMdiSubWindow* window : mdiArea_->subWindowList())
        if (window->isMinimized()) {
            window->move(x, bottom - window->height());
            x += window->width();
        }
}

void TMainForm::ShowCPTProfile()
{
    resultViews_->ShowCPTProfile();
}

void TMainForm::CheckSpeedButtons()
{
    const bool loaded = plotLoaded_ && PlotFileExists() && Results.ShowPlot;
    for (QAction* button : actions_.PlotButtons)
        button->setEnabled(loaded);
}

void TMainForm::UpdatePileShapeControls()
{
    const bool circular = Project().CircularSection == 1;
    const TChildKind other = circular ? TChildKind::NoncircularSection : TChildKind::CircularSection;
    if (Child(other))
        FreeChild(other);
    for (const TChildEntry& entry : kDataEntries) {
        bool enabled = children_[Index(entry.Kind)].Factory != nullptr;
        if (entry.Kind == TChildKind::CircularSection)
            enabled = enabled && circular;
        if (entry.Kind == TChildKind::NoncircularSection)
            enabled = enabled && !circular;
        actions_.Children[Index(entry.Kind)]->setEnabled(enabled);
    }
    for (TChildKind kind : {TChildKind::Options, TChildKind::TzPrint, TChildKind::ElevationView})
        actions_.Children[Index(kind)]->setEnabled(children_[Index(kind)].Factory != nullptr);
}

void TMainForm::VisibleOffshoreColumns()
{
    Tables().ShowOffshoreColumns(Project().OffshoreEdition == 1);
    app::ShowUserUnitColumns(Tables(), Project().LoadTransferMethod == app::pmUserSpecified);
    for (components::TGridTable* table : {&Tables().tblDataSand, &Tables().tblDataClay, &Tables().D})
        table->ReopenTable();
}

void TMainForm::SetUnitsClick(int units)
{
    if (!DeactivateActiveChild()) {
        UnitsMenuClick();
        return;
    }
    const int before = Project().Units;
    Project().SetUnits(units);
    // A switch converts every value: it is an edit like any other.
    if (Project().Units != before)
        SetModified(true);
}

void TMainForm::OpenInWordProcessor(const std::string& file)
{
    if (!DeactivateActiveChild())
        return;
    StartWordProcessorOn(file);
}

void TMainForm::StartWordProcessorOn(const std::string& file)
{
    if (!widgets::Ui().Desktop->StartProgram(wordProcessorPath_, {file}))
        widgets::Ui().Messages->Information("An error occurred in running the Word Processor");
}

void TMainForm::OpenProgramFile(const char* name)
{
    const std::string path = app::ProgramFolder() + "/" + name;
    if (!FileExists(path)) {
        widgets::Ui().Messages->Information("Cannot find the file \"" + path + "\".");
        return;
    }
    widgets::Ui().Desktop->OpenDocument(path);
}

void TMainForm::HelpContentsClick()
{
    OpenProgramFile(app::kHelpContentsFile);
}

void TMainForm::UsersManualClick()
{
    OpenProgramFile(app::kUsersManualFile);
}

void TMainForm::TechnicalManualClick()
{
    OpenProgramFile(app::kTechnicalManualFile);
}

void TMainForm::AboutClick()
{
    aboutBox_->open();
}

void TMainForm::CheckForUpdatesClick()
{
    widgets::Ui().Desktop->OpenDocument(app::UpdateQueryAddress());
}

} // namespace korva::app_widgets
