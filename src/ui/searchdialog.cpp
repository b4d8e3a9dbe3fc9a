#include "ui/searchdialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

#include "core/tables.h"
#include "engine/searchtext.h"
#include "profiles/catalogue.h"
#include "ui/messages.h"
#include "ui/projecthost.h"
#include "ui/searchchart.h"

namespace kelvor {

namespace {

// A cell that sorts by its number rather than its text; -1 sorts text cells as text.
class SortItem : public QTableWidgetItem {
public:
    SortItem(const QString& text, double key) : QTableWidgetItem(text), key_(key) {}
    bool operator<(const QTableWidgetItem& other) const override {
        const auto* o = dynamic_cast<const SortItem*>(&other);
        if (o && !std::isnan(key_) && !std::isnan(o->key_)) {
            return key_ < o->key_;
        }
        return QTableWidgetItem::operator<(other);
    }

private:
    double key_;
};

// The columns that sort by number: rank, t, mass, utilisation.
bool NumericColumn(int column) {
    return column == 0 || column == 1 || column == 6 || column == 7;
}

struct SpinSpec {
    const char* name;
    QDoubleSpinBox* SearchDialog::*member;
    double low, high, value, step;
    int decimals;
    const char* suffix;
};

QDoubleSpinBox* MakeSpin(QWidget* parent, const char* name, double low, double high,
                         double value, double step, int decimals, const char* suffix) {
    auto* spin = new QDoubleSpinBox(parent);
    spin->setObjectName(QLatin1String(name));
    spin->setRange(low, high);
    spin->setDecimals(decimals);
    spin->setSingleStep(step);
    spin->setValue(value);
    spin->setSuffix(QString::fromUtf8(suffix));
    return spin;
}

template <typename T>
T* Named(T* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

}  // namespace

SearchDialog::SearchDialog(ProjectHost& host, ProjectChange apply, QWidget* owner)
    : QDialog(owner), host_(host), apply_(std::move(apply)) {
    setObjectName(QStringLiteral("searchdialog"));
    setWindowTitle(tr("Design search"));
    setModal(false);

    auto* settings = new QHBoxLayout;
    settings->addWidget(BuildRanges());
    settings->addWidget(BuildJudgement());

    run_ = Named(new QPushButton(tr("&Run"), this), "searchrun");
    cancelButton_ = Named(new QPushButton(tr("&Cancel"), this), "searchcancel");
    cancelButton_->setEnabled(false);
    progress_ = Named(new QProgressBar(this), "searchprogress");
    progress_->setRange(0, 1000);
    progress_->setValue(0);
    status_ = Named(new QLabel(this), "searchstatus");
    auto* runRow = new QHBoxLayout;
    runRow->addWidget(run_);
    runRow->addWidget(cancelButton_);
    runRow->addWidget(progress_, 1);

    table_ = Named(new QTableWidget(0, kSearchColumns + 1, this), "searchresults");
    QStringList heads{tr("rank")};
    for (const char* name : SearchColumnNames()) {
        heads << QString::fromUtf8(name);
    }
    table_->setHorizontalHeaderLabels(heads);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSortingEnabled(true);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    chart_ = new SearchChart(this);
    auto* split = Named(new QSplitter(Qt::Horizontal, this), "searchsplit");
    split->addWidget(table_);
    split->addWidget(chart_);
    // The table wide enough for every column of a built-up girder's name at the first size; the
    // chart takes what the window gains beyond it.
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 1);
    split->setSizes({880, 400});

    applyButton_ = Named(new QPushButton(tr("&Apply to project"), this), "searchapply");
    applyButton_->setEnabled(false);
    auto* close = Named(new QPushButton(tr("C&lose"), this), "searchclose");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(status_, 1);
    buttons->addWidget(applyButton_);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(settings);
    layout->addLayout(runRow);
    layout->addWidget(split, 1);
    layout->addLayout(buttons);

    connect(run_, &QPushButton::clicked, this, [this] { Run(); });
    connect(cancelButton_, &QPushButton::clicked, this, &SearchDialog::Cancel);
    connect(applyButton_, &QPushButton::clicked, this, &SearchDialog::ApplySelected);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    connect(table_, &QTableWidget::itemSelectionChanged, this, [this] {
        applyButton_->setEnabled(SelectedBest() >= 0 && !Running());
        chart_->Mark(SelectedBest());
    });
    connect(table_, &QTableWidget::cellDoubleClicked, this, &SearchDialog::ApplySelected);
    UpdateCount();
    resize(1280, 700);
}

SearchDialog::~SearchDialog() {
    StopWorker();
}

QWidget* SearchDialog::BuildRanges() {
    auto* box = Named(new QGroupBox(tr("What is tried"), this), "searchranges");
    auto* form = new QFormLayout(box);
    const SpinSpec thickness[] = {
        {"searchtmin", &SearchDialog::tMin_, 0.1, 200, 6, 1, 1, " mm"},
        {"searchtmax", &SearchDialog::tMax_, 0.1, 200, 40, 1, 1, " mm"},
        {"searchtstep", &SearchDialog::tStep_, 0.1, 50, 1, 0.5, 1, " mm"},
        {"searchsmin", &SearchDialog::sMin_, 10, 10000, 500, 50, 0, " mm"},
        {"searchsmax", &SearchDialog::sMax_, 10, 10000, 800, 50, 0, " mm"},
        {"searchsstep", &SearchDialog::sStep_, 1, 1000, 50, 10, 0, " mm"},
    };
    QHBoxLayout* rows[2] = {new QHBoxLayout, new QHBoxLayout};
    for (std::size_t k = 0; k < std::size(thickness); ++k) {
        const SpinSpec& s = thickness[k];
        this->*s.member = MakeSpin(box, s.name, s.low, s.high, s.value, s.step, s.decimals, s.suffix);
        rows[k / 3]->addWidget(this->*s.member);
        connect(this->*s.member, &QDoubleSpinBox::valueChanged, this, &SearchDialog::UpdateCount);
    }
    form->addRow(tr("Plate thickness t from, to, step"), rows[0]);

    auto* tables = new QHBoxLayout;
    const std::pair<QCheckBox* SearchDialog::*, std::pair<const char*, QString>> checks[] = {
        {&SearchDialog::bulb_, {"searchbulb", tr("Bulb flats")}},
        {&SearchDialog::flat_, {"searchflat", tr("Flat bars")}},
        {&SearchDialog::angle_, {"searchangle", tr("Angles")}},
        {&SearchDialog::tee_, {"searchtee", tr("Tees")}},
        {&SearchDialog::own_, {"searchown", tr("The project's own")}},
    };
    for (const auto& [member, label] : checks) {
        QCheckBox* check = Named(new QCheckBox(label.second, box), label.first);
        this->*member = check;
        check->setChecked(member != &SearchDialog::own_);
        tables->addWidget(check);
        connect(check, &QCheckBox::toggled, this, &SearchDialog::UpdateCount);
    }
    form->addRow(tr("Stiffeners"), tables);

    girders_ = Named(new QComboBox(box), "searchgirders");
    girders_->addItems({tr("The project's girder"), tr("Every row of the T table")});
    connect(girders_, &QComboBox::currentIndexChanged, this, &SearchDialog::UpdateCount);
    form->addRow(tr("Girder"), girders_);

    spacing_ = Named(new QCheckBox(tr("from, to, step"), box), "searchspacing");
    rows[1]->insertWidget(0, spacing_);
    connect(spacing_, &QCheckBox::toggled, this, &SearchDialog::UpdateCount);
    form->addRow(tr("Spacing s1 = s2"), rows[1]);

    grades_ = Named(new QCheckBox(tr("Every grade of the material table, plate and stiffener alike"),
                                  box),
                    "searchgrades");
    connect(grades_, &QCheckBox::toggled, this, &SearchDialog::UpdateCount);
    form->addRow(tr("Steel grade"), grades_);
    return box;
}

QWidget* SearchDialog::BuildJudgement() {
    auto* box = Named(new QGroupBox(tr("What passes"), this), "searchjudgement");
    auto* form = new QFormLayout(box);
    mode_ = Named(new QComboBox(box), "searchmode");
    mode_->addItems({tr("Buckling"), tr("Scantling/Yield"), tr("Buckling/Scantling/Yield")});
    form->addRow(tr("Checks"), mode_);
    limit_ = MakeSpin(box, "searchlimit", 0.1, 2, 1, 0.05, 2, "");
    form->addRow(tr("Highest factor"), limit_);
    top_ = Named(new QSpinBox(box), "searchtop");
    top_->setRange(1, 1000);
    top_->setValue(10);
    form->addRow(tr("Panels listed"), top_);
    count_ = Named(new QLabel(box), "searchcount");
    form->addRow(count_);
    return box;
}

SearchSpace SearchDialog::Space() const {
    SearchSpace s;
    s.thickness = {tMin_->value(), tMax_->value(), tStep_->value()};
    s.stiffenerTables = (bulb_->isChecked() ? kSearchBulb : 0u) |
                        (flat_->isChecked() ? kSearchFlat : 0u) |
                        (angle_->isChecked() ? kSearchAngle : 0u) |
                        (tee_->isChecked() ? kSearchTee : 0u);
    s.projectStiffener = own_->isChecked();
    s.girdersFromTable = girders_->currentIndex() == 1;
    if (spacing_->isChecked()) {
        s.spacing = SearchRange{sMin_->value(), sMax_->value(), sStep_->value()};
    }
    s.allGrades = grades_->isChecked();
    return s;
}

SearchOptions SearchDialog::Options() const {
    SearchOptions o;
    o.mode = mode_->currentIndex() + 1;
    o.limit = limit_->value();
    o.top = top_->value();
    return o;
}

void SearchDialog::UpdateCount() {
    for (QDoubleSpinBox* s : {sMin_, sMax_, sStep_}) {
        if (s) {
            s->setEnabled(spacing_ && spacing_->isChecked());
        }
    }
    if (!count_) {
        return;  // still being built
    }
    const SearchSpace space = Space();
    const std::string fault = CheckSearchSpace(space, Options());
    count_->setText(fault.empty() ? tr("%L1 candidates").arg(static_cast<qulonglong>(CandidateCount(
                                        host_.project(), host_.tables(), space)))
                                  : QString::fromStdString(fault));
}

bool SearchDialog::Run() {
    if (Running()) {
        return false;
    }
    space_ = Space();
    options_ = Options();
    const std::string fault = CheckSearchSpace(space_, options_);
    if (!fault.empty()) {
        ShowMessage(this, QString::fromStdString(fault), MessageIcon::Exclamation);
        return false;
    }
    snapshot_ = host_.project();
    tables_ = host_.tables();
    cancel_ = false;
    result_ = {};
    table_->setRowCount(0);
    chart_->Clear();
    progress_->setValue(0);
    status_->setText(tr("Searching..."));
    run_->setEnabled(false);
    cancelButton_->setEnabled(true);
    applyButton_->setEnabled(false);
    // The answer comes back to this thread by queued calls.
    worker_ = QThread::create([this] {
        SearchResult r = Search(
            snapshot_, tables_, space_, options_,
            [this](std::uint64_t done, std::uint64_t total) {
                QMetaObject::invokeMethod(
                    this, [this, done, total] { ShowProgress(done, total); }, Qt::QueuedConnection);
            },
            &cancel_);
        QMetaObject::invokeMethod(
            this, [this, r] { Finish(r); }, Qt::QueuedConnection);
    });
    worker_->setObjectName(QStringLiteral("searchworker"));
    worker_->start();
    return true;
}

void SearchDialog::Cancel() {
    cancel_ = true;
}

void SearchDialog::ShowProgress(std::uint64_t done, std::uint64_t total) {
    progress_->setValue(total ? static_cast<int>(1000 * done / total) : 0);
}

void SearchDialog::Finish(SearchResult result) {
    StopWorker();
    result_ = std::move(result);
    ShowProgress(result_.evaluated, result_.total);
    run_->setEnabled(true);
    cancelButton_->setEnabled(false);
    chart_->SetResult(result_, options_.limit);
    FillTable();
    QString text = tr("%L1 of %L2 candidates pass").arg(result_.passing).arg(result_.total);
    if (result_.cancelled) {
        text = tr("Cancelled after %L1 of %L2 candidates; %L3 pass")
                   .arg(result_.evaluated)
                   .arg(result_.total)
                   .arg(result_.passing);
    }
    if (result_.best.empty() && result_.closest) {
        text += tr("; none passes, the closest: %1")
                    .arg(QString::fromStdString(
                        CandidateInWords(*result_.closest, DecimalSeparatorOf(snapshot_))));
    }
    status_->setText(text);
    emit finished();
}

void SearchDialog::FillTable() {
    table_->setSortingEnabled(false);
    table_->clearContents();
    table_->setRowCount(static_cast<int>(result_.best.size()));
    const char sep = DecimalSeparatorOf(snapshot_);
    for (int row = 0; row < table_->rowCount(); ++row) {
        const CandidateResult& r = result_.best[static_cast<std::size_t>(row)];
        const auto cells = SearchCells(r, sep);
        const double keys[] = {static_cast<double>(row + 1), r.candidate.t, r.mass, r.highest};
        for (int column = 0; column <= kSearchColumns; ++column) {
            const QString text = column == 0 ? QString::number(row + 1)
                                             : QString::fromStdString(cells[column - 1]);
            const int key = column == 0 ? 0 : column == 1 ? 1 : column == 6 ? 2 : 3;
            auto* item = new SortItem(text, NumericColumn(column) ? keys[key] : std::nan(""));
            item->setData(Qt::UserRole, row);
            if (NumericColumn(column)) {
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            }
            table_->setItem(row, column, item);
        }
    }
    table_->setSortingEnabled(true);
    table_->sortByColumn(0, Qt::AscendingOrder);
    if (table_->rowCount() > 0) {
        table_->selectRow(0);
    }
}

int SearchDialog::SelectedBest() const {
    const QList<QTableWidgetItem*> items = table_->selectedItems();
    return items.isEmpty() ? -1 : items.front()->data(Qt::UserRole).toInt();
}

void SearchDialog::ApplySelected() {
    const int best = SelectedBest();
    if (best < 0 || Running()) {
        return;
    }
    const CandidateResult& r = result_.best[static_cast<std::size_t>(best)];
    const Tables& tables = host_.tables();
    const Candidate c = r.candidate;
    apply_(tr("Design search: t = %1 mm, %2")
               .arg(QString::fromStdString(SearchCells(r, DecimalSeparatorOf(snapshot_))[0]),
                    QString::fromStdString(r.stiffener)),
           [&tables, c](Project& p) { ApplyCandidate(p, tables, c); });
}

void SearchDialog::StopWorker() {
    if (worker_) {
        cancel_ = true;
        worker_->wait();
        delete worker_;
        worker_ = nullptr;
    }
}

void SearchDialog::closeEvent(QCloseEvent* event) {
    // A search goes on for nobody once its window is closed.
    if (Running()) {
        cancel_ = true;
    }
    QDialog::closeEvent(event);
}

SearchDialog* ShowSearchDialog(ProjectHost& host, QWidget* owner, const ProjectChange& apply) {
    auto* dialog = owner->findChild<SearchDialog*>(QStringLiteral("searchdialog"));
    if (!dialog) {
        dialog = new SearchDialog(host, apply, owner);
    }
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    return dialog;
}

}  // namespace kelvor
