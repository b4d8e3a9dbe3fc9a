#include "ui/sweepwindow.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTableWidget>
#include <cmath>

#include "core/numparse.h"
#include "engine/capacity.h"
#include "engine/whatifcharts.h"
#include "files/atomicfile.h"
#include "qt/chartexport.h"
#include "ui/chartview.h"
#include "ui/filemenu.h"
#include "ui/messages.h"
#include "ui/projecthost.h"

namespace kelvor {

namespace {

constexpr int kDefaultSteps = 50;

template <typename W>
W* Named(W* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QString Number(double v) {
    return QString::number(v, 'g', 6);
}

}  // namespace

SweepWindow::SweepWindow(ProjectHost& host, QWidget* owner) : QDialog(owner), host_(host) {
    setObjectName(QStringLiteral("sweep"));
    setWindowTitle(QStringLiteral("Sweep"));
    setSizeGripEnabled(true);
    auto* grid = new QGridLayout(this);

    input_ = Named(new QComboBox(this), "cmbinput");
    for (const SweepInput& in : SweepInputs()) {
        input_->addItem(QString::fromUtf8(in.name) + QStringLiteral("  ") +
                        QString::fromStdString(InputWords(in)));
    }
    mode_ = Named(new QComboBox(this), "cmbmode");
    for (int mode = 1; mode <= 3; ++mode) {
        mode_->addItem(QString::fromUtf8(ModeName(mode)), mode);
    }
    const int mode = host_.project().AnalysisMode;
    mode_->setCurrentIndex(mode == 1 || mode == 3 ? mode - 1 : 1);
    min_ = Named(new QLineEdit(this), "txtmin");
    max_ = Named(new QLineEdit(this), "txtmax");
    for (QLineEdit* end : {min_, max_}) {
        end->setMinimumWidth(end->fontMetrics().horizontalAdvance(QStringLiteral("-0.000000")));
    }
    steps_ = Named(new QSpinBox(this), "spnsteps");
    steps_->setRange(1, kMaxSweepSteps);
    steps_->setValue(kDefaultSteps);
    auto* run = Named(new QPushButton(QStringLiteral("&Run"), this), "cmdrun");
    run->setDefault(true);

    int column = 0;
    for (auto [caption, widget] : {std::pair{"Input:", static_cast<QWidget*>(input_)},
                                   std::pair{"from", static_cast<QWidget*>(min_)},
                                   std::pair{"to", static_cast<QWidget*>(max_)},
                                   std::pair{"steps", static_cast<QWidget*>(steps_)},
                                   std::pair{"Mode:", static_cast<QWidget*>(mode_)}}) {
        grid->addWidget(new QLabel(QString::fromUtf8(caption), this), 0, column++);
        grid->addWidget(widget, 0, column++);
    }
    grid->addWidget(run, 0, column++);
    grid->setColumnStretch(1, 2);

    capacity_ = Named(new QLabel(this), "lblcapacity");
    capacity_->setWordWrap(true);
    capacity_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(capacity_, 1, 0, 1, column);

    auto* split = Named(new QSplitter(Qt::Vertical, this), "splsweep");
    chart_ = Named(new ChartView(split), "sweepchart");
    table_ = Named(new QTableWidget(split), "tblsweep");
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->setVisible(false);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 1);
    grid->addWidget(split, 2, 0, 1, column);
    grid->setRowStretch(2, 1);

    auto* exports = new QHBoxLayout;
    exports->addStretch(1);
    const struct {
        const char* name;
        const char* caption;
        const char* ending;  // nullptr: the numbers as CSV
    } kExports[] = {{"cmdcsv", "Export &CSV...", nullptr},
                    {"cmdpng", "Export P&NG...", "png"},
                    {"cmdsvg", "Export &SVG...", "svg"},
                    {"cmdpdf", "Export &PDF...", "pdf"}};
    for (const auto& e : kExports) {
        auto* button = Named(new QPushButton(QString::fromUtf8(e.caption), this), e.name);
        exports->addWidget(button);
        const char* ending = e.ending;
        connect(button, &QPushButton::clicked, this,
                [this, ending] { ending ? ExportChart(ending) : ExportCsv(); });
    }
    grid->addLayout(exports, 3, 0, 1, column);

    connect(input_, &QComboBox::activated, this, [this] {
        ProposeRange();
        Run();
    });
    connect(mode_, &QComboBox::activated, this, [this] { Run(); });
    connect(run, &QPushButton::clicked, this, [this] { Run(); });
    input_->setCurrentIndex(static_cast<int>(FindSweepInput("p") - SweepInputs().data()));
    ProposeRange();
    resize(900, 720);
}

const SweepInput& SweepWindow::Input() const {
    return SweepInputs()[static_cast<std::size_t>(std::max(0, input_->currentIndex()))];
}

void SweepWindow::ProposeRange() {
    const Project& p = host_.project();
    const SweepInput& input = Input();
    const double v = InputValue(p, input);
    const InputRange allowed = AllowedRange(p, input);
    // A span or thickness from half to one and a half of its value; a load from none to three
    // times its value, or to ten of its first steps when it is zero.
    double low = v / 2, high = 1.5 * v;
    if (input.worse == Worse::AwayFromZero) {
        const double far = v != 0 ? 3 * v : 10 * input.fromZero;
        low = std::min(0.0, far);
        high = std::max(0.0, far);
    }
    low = std::clamp(low, allowed.low, allowed.high);
    high = std::clamp(high, allowed.low, allowed.high);
    if (!(low < high) && std::isfinite(allowed.high)) {
        low = allowed.low;
        high = allowed.high;
    }
    min_->setText(Number(low));
    max_->setText(Number(high));
}

bool SweepWindow::Run() {
    SweepRequest request;
    request.input = &Input();
    request.mode = mode_->currentData().toInt();
    request.steps = steps_->value();
    std::string problem;
    try {
        request.min = ParseNumberStrict(min_->text().toStdString());
        request.max = ParseNumberStrict(max_->text().toStdString());
        problem = CheckSweepRequest(host_.project(), request);
    } catch (const TypeMismatch&) {
        problem = "the range must run between two numbers";
    }
    if (!problem.empty()) {
        ShowMessage(this, QString::fromStdString(problem), MessageIcon::Exclamation);
        return false;
    }
    const Project& p = host_.project();
    sweep_ = RunSweep(p, host_.tables(), request);
    const Capacity capacity = FindCapacity(p, host_.tables(), *request.input, request.mode);
    capacity_->setText(QString::fromStdString(capacity.Sentence()) + QLatin1Char('.'));
    chart_->SetChart(SweepChart(sweep_, &capacity));
    FillTable();
    return true;
}

void SweepWindow::FillTable() {
    QStringList headings;
    const char* unit = InputUnit(*sweep_.request.input);
    headings << QString::fromUtf8(sweep_.request.input->name) +
                    (*unit ? QStringLiteral(" (%1)").arg(QString::fromUtf8(unit)) : QString());
    for (Check check : sweep_.checks) {
        headings << QString::fromUtf8(CheckName(check));
    }
    headings << QStringLiteral("Passes") << QStringLiteral("Governs") << QStringLiteral("Failure");
    table_->clear();
    table_->setColumnCount(static_cast<int>(headings.size()));
    table_->setHorizontalHeaderLabels(headings);
    table_->setRowCount(static_cast<int>(sweep_.points.size()));
    const auto cell = [this](int row, int column, const QString& text, Qt::GlobalColor colour) {
        auto* item = new QTableWidgetItem(text);
        item->setForeground(colour);
        table_->setItem(row, column, item);
    };
    for (int row = 0; row < static_cast<int>(sweep_.points.size()); ++row) {
        const SweepPoint& point = sweep_.points[static_cast<std::size_t>(row)];
        int column = 0;
        cell(row, column++, Number(point.x), Qt::black);
        for (Check check : sweep_.checks) {
            const auto k = static_cast<std::size_t>(check);
            const QString text = point.state[k] == RowState::Unchecked ? QStringLiteral("-")
                                 : std::isfinite(point.value[k])
                                     ? QString::number(point.value[k], 'f', 3)
                                     : QString();
            cell(row, column++, text,
                 point.state[k] == RowState::Fails ? Qt::darkRed : Qt::darkGreen);
        }
        cell(row, column++, point.passes ? QStringLiteral("yes") : QStringLiteral("no"),
             point.passes ? Qt::darkGreen : Qt::darkRed);
        cell(row, column++,
             point.governing >= 0 ? QString::fromUtf8(CheckName(static_cast<Check>(point.governing)))
                                  : QString(),
             Qt::black);
        cell(row, column++, QString::fromStdString(point.failure), Qt::darkRed);
    }
    table_->resizeColumnsToContents();
}

QString SweepWindow::ChooseFile(const char* ending) {
    if (sweep_.points.empty()) {
        ShowMessage(this, QStringLiteral("Run a sweep first"), MessageIcon::Exclamation);
        return {};
    }
    return ChooseProjectFile(this, FileDialogKind::SaveAs,
                             QString::fromStdString(host_.project().WorkFolder),
                             QStringLiteral("*.") + QLatin1String(ending));
}

bool SweepWindow::ExportCsv() {
    const QString path = ChooseFile("csv");
    if (path.isEmpty()) {
        return false;
    }
    if (!SaveAtomically(path.toStdString(), SweepCsv(sweep_))) {
        ShowMessage(this, QStringLiteral("can't save file - ") + path, MessageIcon::Exclamation);
        return false;
    }
    return true;
}

bool SweepWindow::ExportChart(const char* ending) {
    const QString path = ChooseFile(ending);
    if (path.isEmpty()) {
        return false;
    }
    std::string message;
    if (!kelvor::ExportChart(chart_->Chart(), path.toStdString(), message)) {
        ShowMessage(this, QString::fromStdString(message), MessageIcon::Exclamation);
        return false;
    }
    return true;
}

void ShowSweepWindow(ProjectHost& host, QWidget* owner) {
    auto* window =
        owner->findChild<SweepWindow*>(QStringLiteral("sweep"), Qt::FindDirectChildrenOnly);
    if (window == nullptr) {
        window = new SweepWindow(host, owner);
    }
    window->show();
    window->raise();
    window->activateWindow();
    // The record may have changed since the window was last open.
    window->Run();
}

QAction* AddSweepEntry(QMainWindow& window) {
    auto* tools = window.findChild<QMenu*>(QStringLiteral("mnutools"));
    if (tools == nullptr) {
        tools = new QMenu(QStringLiteral("&Tools"), &window);
        tools->setObjectName(QStringLiteral("mnutools"));
        auto* help = window.findChild<QMenu*>(QStringLiteral("mnuhelp"));
        if (help) {
            window.menuBar()->insertMenu(help->menuAction(), tools);
        } else {
            window.menuBar()->addMenu(tools);
        }
    }
    QAction* sweep = tools->addAction(QStringLiteral("&Sweep..."));
    sweep->setObjectName(QStringLiteral("mnusweep"));
    return sweep;
}

}  // namespace kelvor
