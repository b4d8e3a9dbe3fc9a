#include "ui/mainwindow.h"

#include <QGroupBox>
#include <QVBoxLayout>

#include "core/calculate.h"
#include "core/session.h"
#include "qt/qtenvironment.h"
#include "ui/messages.h"
#include "ui/resultlistview.h"

namespace kelvor {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("kelvor"));
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    auto* frame = new QGroupBox(QStringLiteral("Result"), central);
    frame->setObjectName(QStringLiteral("frresult"));
    auto* frameLayout = new QVBoxLayout(frame);
    results_ = new ResultListView(frame);
    frameLayout->addWidget(results_);
    layout->addWidget(frame);
    setCentralWidget(central);
    resize(1000, 600);
}

void MainWindow::StartUp() {
    const std::vector<std::string> messages =
        kelvor::StartUp(project_, tables_, QtStartupEnvironment());
    for (const std::string& m : messages) {
        ShowMessage(this, QString::fromStdString(m), MessageIcon::Exclamation);
    }
    setWindowTitle(QStringLiteral("Kelvor: ") + QString::fromStdString(project_.ProjectFile));
    Recalculate();
}

void MainWindow::Recalculate() {
    Calculate(project_, tables_);
    for (const SpacingMessage& m : project_.SpacingMessages) {
        QWidget* field = findChild<QWidget*>(QString::fromStdString(m.field));
        ShowMessage(this, QString::fromStdString(m.text), MessageIcon::Exclamation, field);
    }
    ShowResults();
}

void MainWindow::ShowResults() { results_->Show(project_.Result); }

}  // namespace kelvor
