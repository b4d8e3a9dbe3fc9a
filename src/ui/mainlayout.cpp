// The frames and controls of the main window, and the controls a calculation run rewrites.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/numformat.h"
#include "report/sketches.h"
#include "ui/elidedlabel.h"
#include "ui/inputfields.h"
#include "ui/mainwindow.h"
#include "ui/panelfigureview.h"
#include "ui/resultdetail.h"
#include "ui/resultlistview.h"
#include "ui/resultpages.h"
#include "ui/windowlinks.h"

namespace kelvor {

namespace {

struct Choice {
    const char* name;
    const char* caption;
    int value;
};

const Choice kLoadingConditions[] = {
    {"opt_cond_a", "Cond. A (static)", 0},
    {"opt_cond_b", "Cond. B (comb.)", 1},
    {"opt_cond_c", "Cond. C (other)", 2},
};

const Choice kAnalysisModes[] = {
    {"optbuckling1", "Buckling ", 1},
    {"optbuckling2", "Scantling / Yield ", 2},
    {"optBuckling3", "Buckling / Scantling /  Yield", 3},
};

// The end-attachment pages: the kind of structure, then its two options.
struct CFactorPage {
    const char* tab;  // short enough for three tabs in the narrow column
    const char* structure;
    Choice options[2];
};

const CFactorPage kCFactorPages[] = {
    {"Watertight Bhd",
     "Watertight Bulkhead",
     {{"OptC00", "Stiffener: ends attached", 0}, {"OptC01", "Stiffener: no end attachment", 1}}},
    {"Tank Bhd",
     "Tank Bulkhead",
     {{"OptC10", "Stiffener: clip attachment", 0},
      {"OptC11", "Stiffener: supported at both ends by girder", 1}}},
    {"Upper Structure",
     "Upper Structure",
     {{"OptC20", "Clear of tanks", 0}, {"OptC21", "In way of tanks", 1}}},
};

QGroupBox* Frame(const char* name, const char* caption, QWidget* parent) {
    // "&&" in a frame caption is a literal "&", as Qt reads it too.
    auto* frame = new QGroupBox(QString::fromUtf8(caption), parent);
    frame->setObjectName(QLatin1String(name));
    return frame;
}

QRadioButton* Radio(const Choice& choice, QWidget* parent) {
    auto* radio = new QRadioButton(QString::fromUtf8(choice.caption), parent);
    radio->setObjectName(QLatin1String(choice.name));
    return radio;
}

// A label shows "&" literally unless it has a buddy; the c-factor references are written for a
// control that reads "&&" as one "&".
QString LabelText(const std::string& text) {
    return QString::fromStdString(text).replace(QStringLiteral("&&"), QStringLiteral("&"));
}

}  // namespace

void MainWindow::BuildControls() {
    auto* central = new QWidget(this);
    auto* grid = new QGridLayout(central);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setSpacing(6);
    grid->addWidget(BuildGeneralColumn(), 0, 0);
    grid->addWidget(BuildGeometryFrame(), 0, 1);
    grid->addWidget(BuildFigureFrame(), 0, 2);
    grid->addWidget(BuildCFactorTabs(), 1, 0);

    QGroupBox* result = Frame("Result", "Result", central);
    auto* resultLayout = new QVBoxLayout(result);
    resultLayout->setContentsMargins(4, 4, 4, 4);
    results_ = new ResultListView(result);
    // The list (or the chart page beside it) takes whatever height the window gains; the pane
    // under it holds a few lines.
    resultPages_ = new ResultPages(results_, project_, result);
    resultLayout->addWidget(resultPages_, 1);
    auto* detail = new ResultDetail(result);
    resultLayout->addWidget(detail);
    connect(results_, &ResultListView::detailChanged, detail,
            [this, detail] { detail->ShowItem(results_->DetailItem()); });
    grid->addWidget(result, 1, 1, 1, 2);

    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(1, 1);
    setCentralWidget(central);
    // Nested frames with the default margins do not fit a 1024 x 768 screen.
    for (QGroupBox* frame : central->findChildren<QGroupBox*>()) {
        frame->layout()->setContentsMargins(5, 4, 5, 4);
        if (auto* frameGrid = qobject_cast<QGridLayout*>(frame->layout())) {
            frameGrid->setHorizontalSpacing(4);
        }
    }

    // Tab goes through the fields frame by frame in the order of the table, the pressure button
    // after p.
    QWidget* previous = nullptr;
    for (const MainField& f : MainFields()) {
        QWidget* field = findChild<QLineEdit*>(QLatin1String(f.name));
        if (previous) {
            setTabOrder(previous, field);
        }
        previous = field;
        if (f.value == &Project::p) {
            QWidget* button = findChild<QPushButton*>(QStringLiteral("Command1"));
            setTabOrder(previous, button);
            previous = button;
        }
    }
}

void MainWindow::BuildFields(QGroupBox* frame, const char* name) {
    auto* grid = qobject_cast<QGridLayout*>(frame->layout());
    for (const MainField& f : MainFields()) {
        if (qstrcmp(f.frame, name) == 0) {
            fields_->CreateField(f, grid, frame);
        }
    }
}

QWidget* MainWindow::BuildGeneralColumn() {
    QGroupBox* general = Frame("fr1", "General Input", this);
    auto* grid = new QGridLayout(general);
    grid->setVerticalSpacing(3);
    BuildFields(general, "fr1");

    QGroupBox* loading = Frame("fr10", "Loading condition / Safety Format", general);
    auto* loadingGrid = new QGridLayout(loading);
    loadingGrid->setVerticalSpacing(2);
    int row = 0;
    for (const Choice& c : kLoadingConditions) {
        QRadioButton* radio = Radio(c, loading);
        loadingGrid->addWidget(radio, row++, 0, 1, 6);
        connect(radio, &QRadioButton::clicked, this, [this, c] {
            fields_->CommitEdits();
            SetLoadingCondition(project_, c.value);
            Recalculate();
            RefreshInputFields();
        });
    }
    BuildFields(loading, "fr10");
    grid->addWidget(loading, 2, 0, 1, 6);

    QGroupBox* material = Frame("fr11", "Material / MPa", general);
    auto* materialGrid = new QGridLayout(material);
    materialGrid->setVerticalSpacing(3);
    for (const MaterialList& list : MaterialLists()) {
        materialGrid->addWidget(new QLabel(QString::fromUtf8(list.caption), material), list.row, 0);
        auto* combo = new QComboBox(material);
        combo->setObjectName(QLatin1String(list.name));
        materialGrid->addWidget(combo, list.row, 1, 1, 5);
        fields_->Watch(combo);
        connect(combo, &QComboBox::activated, this, [this, list](int index) {
            fields_->CommitEdits();
            project_.*list.index = index;
            const bool typed = index == tables_.MaterialLastRow();
            if (!typed) {
                if (list.index == &Project::PlateMaterialIndex) {
                    LoadPlateMaterial(project_, tables_, index);
                } else {
                    LoadStiffenerMaterial(project_, tables_, index);
                }
            }
            fields_->Field(list.typedYield)->setEnabled(typed);
            fields_->Field(list.typedTensile)->setEnabled(typed);
            Recalculate();
        });
    }
    BuildFields(material, "fr11");
    grid->addWidget(material, 3, 0, 1, 6);
    return general;
}

QWidget* MainWindow::BuildGeometryFrame() {
    QGroupBox* frame = Frame("fr2", "Geometry && Stresses", this);
    auto* layout = new QVBoxLayout(frame);
    QGroupBox* geometry = Frame("fr21", "Geometry (mm)", frame);
    auto* geometryGrid = new QGridLayout(geometry);
    geometryGrid->setVerticalSpacing(3);
    BuildFields(geometry, "fr21");
    geometryGrid->setColumnStretch(5, 1);
    layout->addWidget(geometry);

    QGroupBox* stresses = Frame("fr22", "Stresses (MPa)", frame);
    auto* stressGrid = new QGridLayout(stresses);
    stressGrid->setVerticalSpacing(3);
    // Placed first so that the note of p goes after it.
    auto* sign = new QPushButton(QStringLiteral("+/-"), stresses);
    sign->setObjectName(QStringLiteral("Command1"));
    sign->setToolTip(QStringLiteral("Reverse the sign of p"));
    sign->setFixedWidth(sign->fontMetrics().horizontalAdvance(QStringLiteral("+/-")) + 16);
    stressGrid->addWidget(sign, 3, 3);
    connect(sign, &QPushButton::clicked, this, [this] {
        fields_->CommitEdits();
        project_.p = -project_.p;
        fields_->ShowValue("ip1", "##0.000");
        Recalculate();
    });
    BuildFields(stresses, "fr22");
    stressGrid->setColumnStretch(5, 1);
    layout->addWidget(stresses);
    layout->addStretch(1);
    return frame;
}

QWidget* MainWindow::BuildFigureFrame() {
    QGroupBox* frame = Frame("fr31", "Figure", this);
    auto* layout = new QGridLayout(frame);
    figure_ = new PanelFigureView(project_, frame);
    layout->addWidget(figure_, 0, 0, 1, 2);

    struct ProfileButton {
        const char* name;
        const char* captionName;
        const char* caption;
        SketchButton** button;
        QLabel** designation;
        // The default profile's name: it always shows whole, a longer one is cut rather than
        // widening the window.
        const char* sample;
    };
    const ProfileButton buttons[] = {
        {"cmdpicStiff", "stiffprof", "Stiffener profile:", &stiffButton_, &stiffCaption_,
         "L 200x90x9.0x14.0"},
        {"cmdpicGird", "girdprof", "Girder profile:", &girderButton_, &girderCaption_,
         "T 800x200x10.0x20.0"},
    };
    int column = 0;
    for (const ProfileButton& b : buttons) {
        layout->addWidget(new QLabel(QString::fromUtf8(b.caption), frame), 1, column);
        const bool stiffener = column == 0;
        *b.button = new SketchButton(
            [this, stiffener] {
                return stiffener ? StiffenerSketch(project_.StiffProfileType)
                                 : GirderSketch(project_.GirderProfileType);
            },
            frame);
        (*b.button)->setObjectName(QLatin1String(b.name));
        (*b.button)->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        layout->addWidget(*b.button, 2, column);
        *b.designation = new ElidedLabel(QString::fromUtf8(b.sample), frame);
        (*b.designation)->setObjectName(QLatin1String(b.captionName));
        (*b.designation)->setAlignment(Qt::AlignHCenter);
        layout->addWidget(*b.designation, 3, column);
        ++column;
    }
    connect(stiffButton_, &QPushButton::clicked, this, [this] {
        fields_->CommitEdits();
        ShowProfileDialog(*this, this, StiffenerDialog(project_.StiffProfileType));
    });
    connect(girderButton_, &QPushButton::clicked, this, [this] {
        fields_->CommitEdits();
        const QString dialog = GirderDialog(project_.GirderProfileType);
        if (!dialog.isEmpty()) {
            ShowProfileDialog(*this, this, dialog);
        }
    });
    layout->setRowStretch(0, 1);
    layout->addWidget(BuildAnalysisFrame(frame), 4, 0, 1, 2);
    return frame;
}

QWidget* MainWindow::BuildAnalysisFrame(QWidget* parent) {
    QGroupBox* analysis = Frame("fr23", "Buckling/Yield/Scantling", parent);
    auto* grid = new QGridLayout(analysis);
    grid->setVerticalSpacing(2);
    int row = 0;
    for (const Choice& c : kAnalysisModes) {
        QRadioButton* radio = Radio(c, analysis);
        grid->addWidget(radio, row++, 0);
        connect(radio, &QRadioButton::clicked, this, [this, c] {
            fields_->CommitEdits();
            project_.AnalysisMode = c.value;
            Recalculate();
            RefreshInputFields();
        });
    }
    // Under the options: the deformation check is only shown in buckling mode.
    deformation_ = new QCheckBox(QStringLiteral("- Include deformation"), analysis);
    deformation_->setObjectName(QStringLiteral("def_chbox"));
    grid->addWidget(deformation_, row, 0);
    connect(deformation_, &QCheckBox::clicked, this, [this](bool checked) {
        fields_->CommitEdits();
        project_.IncludeDeformation = checked;
        Recalculate();
    });
    return analysis;
}

QWidget* MainWindow::BuildCFactorTabs() {
    cfactorTabs_ = new QTabWidget(this);
    cfactorTabs_->setObjectName(QStringLiteral("SSTabCfactor"));
    int tab = 0;
    for (const CFactorPage& page : kCFactorPages) {
        auto* widget = new QWidget(cfactorTabs_);
        const QString pageName = QStringLiteral("cpage%1").arg(tab);
        widget->setObjectName(pageName);
        auto* grid = new QGridLayout(widget);
        grid->setVerticalSpacing(2);
        for (const Choice& c : page.options) {
            QRadioButton* radio = Radio(c, widget);
            grid->addWidget(radio, c.value, 0, 1, 6);
            connect(radio, &QRadioButton::clicked, this, [this, c] {
                fields_->CommitEdits();
                project_.CFactorOption = c.value;
                Recalculate();
            });
        }
        for (const MainField& f : MainFields()) {
            if (pageName == QLatin1String(f.frame)) {
                fields_->CreateField(f, grid, widget);
            }
        }
        auto* text = new QLabel(widget);
        text->setObjectName(QStringLiteral("ctext%1").arg(tab));
        grid->addWidget(text, 5, 0, 1, 6);
        grid->setRowStretch(6, 1);
        grid->setColumnStretch(5, 1);
        cfactorTabs_->addTab(widget, QString::fromUtf8(page.tab));
        cfactorTabs_->setTabToolTip(tab, QString::fromUtf8(page.structure));
        ++tab;
    }
    cfactorTabs_->setUsesScrollButtons(false);
    cfactorTabs_->setElideMode(Qt::ElideRight);
    // The run itself selects the page of the record, which is then no change.
    connect(cfactorTabs_, &QTabWidget::currentChanged, this, [this](int index) {
        if (index < 0 || index == project_.CFactorTab) {
            return;
        }
        fields_->CommitEdits();
        project_.CFactorTab = index;
        Recalculate();
    });
    return cfactorTabs_;
}

void MainWindow::FillMaterialLists() {
    for (const MaterialList& list : MaterialLists()) {
        auto* combo = findChild<QComboBox*>(QLatin1String(list.name));
        combo->clear();
        for (const MaterialRow& row : tables_.Materials) {
            combo->addItem(QString::fromStdString(row.MatName));
        }
    }
}

// What a run rewrites besides the result list: the material fields (the material rows are loaded
// by every run), the c-factor page, the deformation box, the figure and the profiles.
void MainWindow::ShowRunControls() {
    for (const char* name : {"ifyp", "ifup", "ifys", "ifus"}) {
        fields_->ShowValue(name, "#000");
    }
    ShowCFactorControls();
    deformation_->setVisible(project_.Result.deformationBoxVisible);
    deformation_->setChecked(project_.IncludeDeformation);
    for (auto [label, text] : {std::pair{stiffCaption_, &project_.StiffDesignation},
                               std::pair{girderCaption_, &project_.GirderDesignation}}) {
        label->setText(QString::fromStdString(*text));
        label->setToolTip(label->text());
    }
    stiffButton_->Refresh();
    girderButton_->Refresh();
    MarkProfilesInUse();
    figure_->update();
    resultPages_->Refresh();
}

void MainWindow::ShowCFactorControls() {
    const int tab = project_.CFactorTab;
    if (tab < 0 || tab >= cfactorTabs_->count()) {
        return;
    }
    cfactorTabs_->setCurrentIndex(tab);
    const auto& options = kCFactorPages[tab].options;
    if (project_.CFactorOption == 0 || project_.CFactorOption == 1) {
        findChild<QRadioButton*>(QLatin1String(options[project_.CFactorOption].name))
            ->setChecked(true);
    }
    auto* text = findChild<QLabel*>(QStringLiteral("ctext%1").arg(tab));
    text->setText(LabelText(project_.CFactorText));
    if (tab == 0) {
        fields_->ShowValue("iunit_length", "#0");
    }
}

void MainWindow::RefreshInputFields() {
    fields_->RefreshTexts();
    for (const Choice& c : kLoadingConditions) {
        if (c.value == project_.LoadingCondition) {
            findChild<QRadioButton*>(QLatin1String(c.name))->setChecked(true);
        }
    }
    for (const MaterialList& list : MaterialLists()) {
        auto* combo = findChild<QComboBox*>(QLatin1String(list.name));
        combo->setCurrentIndex(project_.*list.index);
        const bool typed = project_.*list.index == tables_.MaterialLastRow();
        fields_->Field(list.typedYield)->setEnabled(typed);
        fields_->Field(list.typedTensile)->setEnabled(typed);
    }
    const int mode = project_.AnalysisMode == 4 ? 2 : project_.AnalysisMode;
    for (const Choice& c : kAnalysisModes) {
        if (c.value == mode) {
            findChild<QRadioButton*>(QLatin1String(c.name))->setChecked(true);
        }
    }
    ShowCFactorControls();
}

void MainWindow::ApplyFirstSize() {
    // The size and place the window had when it was last closed, where there is one.
    const QByteArray kept = QSettings(QSettings::UserScope, QStringLiteral("kelvo"))
                                .value(QStringLiteral("Window/Geometry"))
                                .toByteArray();
    if (!kept.isEmpty() && restoreGeometry(kept)) {
        return;
    }
    if (isMaximized() || isMinimized()) {
        return;
    }
    const QScreen* s = screen();
    const double density = s ? s->logicalDotsPerInchX() / 96.0 : 1.0;
    QSize size(static_cast<int>(1024 * density + 0.5),
               static_cast<int>(0.95 * 768 * density + 0.5));
    // Never larger than the screen, or the window's lower edge and its result list are lost.
    if (s) {
        size = size.boundedTo(s->availableSize());
    }
    resize(size);
}

}  // namespace kelvor
