#include "ui/batchwindow.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

#include "core/project.h"
#include "files/atomicfile.h"
#include "profiles/catalogue.h"
#include "ui/messages.h"
#include "ui/projecthost.h"

namespace kelvor {

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

QLabel* PathLabel(const char* name) {
    auto* label = new QLabel;
    label->setObjectName(QString::fromLatin1(name));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setFrameShape(QFrame::StyledPanel);
    label->setMinimumWidth(420);
    return label;
}

}  // namespace

BatchWindow::BatchWindow(ProjectHost& host, QWidget* owner) : QDialog(owner), host_(host) {
    setObjectName(QStringLiteral("database"));
    setWindowTitle(QStringLiteral("Database"));
    setModal(false);

    auto* menu = new QMenuBar(this);
    QAction* open = menu->addAction(QStringLiteral("&Open Database File"));
    open->setObjectName(QStringLiteral("mnfileopen"));
    connect(open, &QAction::triggered, this, &BatchWindow::ChooseFile);
    save_ = menu->addAction(QStringLiteral("&Save Result to File"));
    save_->setObjectName(QStringLiteral("mnufilesave"));
    save_->setEnabled(false);
    connect(save_, &QAction::triggered, this, &BatchWindow::SaveResults);

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menu);
    // The caption has always read so; users and their manuals know it by this text.
    layout->addWidget(new QLabel(QStringLiteral("Show results for Stiffener:")));
    list_ = new QComboBox;
    list_->setObjectName(QStringLiteral("cbodatabase"));
    list_->addItem(QString());
    list_->setEnabled(false);
    list_->setMaxVisibleItems(25);
    connect(list_, &QComboBox::currentIndexChanged, this, &BatchWindow::Choose);
    layout->addWidget(list_);

    auto* files = new QGridLayout;
    files->addWidget(new QLabel(QStringLiteral("Input file:")), 0, 0);
    inputLabel_ = PathLabel("databasefile");
    files->addWidget(inputLabel_, 0, 1);
    files->addWidget(new QLabel(QStringLiteral("Output file:")), 1, 0);
    outputLabel_ = PathLabel("outputfile");
    files->addWidget(outputLabel_, 1, 1);
    files->setColumnStretch(1, 1);
    layout->addLayout(files);

    auto* back = new QPushButton(QStringLiteral("Back to Program"));
    back->setObjectName(QStringLiteral("Command1"));
    back->setAutoDefault(false);
    connect(back, &QPushButton::clicked, this, &QWidget::close);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(back);
    layout->addLayout(buttons);

    adjustSize();
    if (owner != nullptr) {
        const QRect o = owner->frameGeometry();
        move(o.x() + (o.width() - width()) / 2, o.y() + (o.height() - height()) / 2);
    }
}

void BatchWindow::ChooseFile() {
    const QString path =
        AskForFile(this, {QStringLiteral("Open Database File"), Q(host_.project().DataFolder),
                          QStringLiteral("Batch files (*.kvi)"), QStringLiteral("kvi")});
    if (!path.isEmpty()) {
        OpenFile(path);
    }
}

bool BatchWindow::OpenFile(const QString& path) {
    Project& p = host_.project();
    BatchReadResult read = ReadBatchFile(path.toStdString(), host_.tables(), p.DecimalMode);
    if (!read.ok) {
        // A file that can't be used says why: silence would leave the user guessing.
        ShowMessage(this, Q(read.message), MessageIcon::Exclamation);
        return false;
    }
    table_ = std::move(read.table);
    input_ = path;
    p.WorkFolder = QFileInfo(path).absolutePath().toStdString() + "/";

    const auto& entries = table_.entries;
    {
        const QSignalBlocker block(list_);
        list_->clear();
        for (const BatchEntry& e : entries) {
            list_->addItem(Q(e.text));
        }
    }
    list_->setEnabled(!entries.empty());
    save_->setEnabled(true);
    inputLabel_->setText(path);
    outputLabel_->clear();

    // The list shows the panel that was loaded, not the heading above it.
    const auto panel = std::find_if(entries.begin(), entries.end(),
                                    [](const BatchEntry& e) { return !e.comment; });
    const int first = panel == entries.end() ? 0 : static_cast<int>(panel - entries.begin());
    {
        const QSignalBlocker block(list_);
        list_->setCurrentIndex(entries.empty() ? -1 : first);
    }
    if (panel != entries.end()) {
        LoadPanel(first);
    }
    return true;
}

void BatchWindow::Choose(int index) {
    if (index < 0 || index >= static_cast<int>(table_.entries.size()) ||
        table_.entries[index].comment) {
        return;
    }
    LoadPanel(index);
}

void BatchWindow::LoadPanel(int index) {
    if (!saved_) {
        saved_ = host_.project();
    }
    RunBatchRecord(host_.project(), host_.tables(), table_, index);
    host_.RefreshInputFields();
    host_.Recalculate();
}

QString BatchWindow::ChooseOutput() {
    const QString path = AskForFile(
        this, {QStringLiteral("Save Result to File"), Q(BatchOutputPath(input_.toStdString())),
               QStringLiteral("Batch results (*.kvo)"), QStringLiteral("kvo"), true});
    if (path.isEmpty()) {
        return {};
    }
    // The results would replace the panels they came from.
    if (QFileInfo(path) == QFileInfo(input_)) {
        ShowMessage(this, QStringLiteral("the output file must not be the input file - ") + path,
                    MessageIcon::Exclamation);
        return {};
    }
    if (QFileInfo(path).isFile() && !AskToReplace(this, path)) {
        return {};
    }
    return path;
}

bool BatchWindow::SaveResults() {
    if (input_.isEmpty()) {
        return false;
    }
    const QString output = ChooseOutput();
    if (output.isEmpty()) {
        return false;
    }
    // The run works on a record of its own: the project in the main window stays as it is.
    Project p = host_.project();
    const char separator = DecimalSeparatorOf(p);
    const auto& entries = table_.entries;
    const int count = static_cast<int>(entries.size());

    // The run writes every panel into the one record in turn: nothing else may touch it
    // meanwhile, but the windows keep repainting and the run can be cancelled.
    QProgressDialog progress(QStringLiteral("Running the panels of ") +
                                 QFileInfo(input_).fileName() + QStringLiteral(" ..."),
                             QStringLiteral("Cancel"), 0, count, this);
    progress.setObjectName(QStringLiteral("batchprogress"));
    progress.setWindowTitle(QStringLiteral("Database"));
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(300);
    progress.setAutoClose(false);
    progress.setAutoReset(false);

    std::string content = BatchHeaderLine() + "\r\n";
    BatchRunSummary run;
    bool cancelled = false;
    QElapsedTimer clock;
    clock.start();
    for (int k = 0; k < count && !cancelled; ++k) {
        const BatchEntry& e = entries[k];
        if (e.comment) {
            content += e.text + "\r\n";
        } else {
            RunBatchRecord(p, host_.tables(), table_, k);
            AppendBatchResultLine(content, p, e, separator);
            content += "\r\n";
            ++run.panels;
            if (p.CalcFailure && run.failed++ == 0) {
                run.first = {k, e.line, p.CalcFailure->Text()};
            }
        }
        if (clock.elapsed() >= 40) {
            progress.setValue(k + 1);
            QCoreApplication::processEvents();
            cancelled = progress.wasCanceled();
            clock.restart();
        }
    }
    progress.close();

    if (cancelled) {
        return false;
    }
    if (!SaveAtomically(output.toStdString(), content)) {
        ShowMessage(this, QStringLiteral("can't save file - ") + output, MessageIcon::Exclamation);
        return false;
    }
    run.ok = true;
    outputLabel_->setText(output);
    // A failed panel is easily missed among thousands of lines: the run says how many and where
    // the first one stands in the input.
    ShowMessage(this, BatchSummaryText(run, output),
                run.failed > 0 ? MessageIcon::Exclamation : MessageIcon::Information);
    return true;
}

QString BatchSummaryText(const BatchRunSummary& run, const QString& output) {
    QString text = QStringLiteral("%1 panel%2 calculated into %3.")
                       .arg(run.panels)
                       .arg(run.panels == 1 ? "" : "s")
                       .arg(output);
    if (run.failed == 0) {
        return text + QStringLiteral("\nNone failed.");
    }
    const QString failed =
        QStringLiteral("\n%1 failed (ERROR in their result columns); the first at line %2: %3");
    return text + failed.arg(run.failed).arg(run.first.line).arg(Q(run.first.text));
}

void BatchWindow::hideEvent(QHideEvent* e) {
    RestoreProject();
    QDialog::hideEvent(e);
}

void BatchWindow::RestoreProject() {
    if (!saved_) {
        return;
    }
    // The folder the file dialogs start in follows the batch file the user went to.
    const std::string folder = host_.project().WorkFolder;
    host_.project() = std::move(*saved_);
    host_.project().WorkFolder = folder;
    saved_.reset();
    host_.RefreshInputFields();
    host_.Recalculate();
}

}  // namespace kelvor
