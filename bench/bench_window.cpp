// An edit as the user makes it in the main window: a span typed into its field and the field left
// with Tab, the run, the result list and the figure brought up to date, and what changed painted
// again, as the window does before the user sees the new numbers.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <memory>

#include "benchsetup.h"
#include "ui/mainwindow.h"
#include "ui/messages.h"

namespace {

// One application for the process, offscreen unless a display is asked for, with a data folder
// of its own: the start-up run writes its result file beside its batch file.
QApplication& Application() {
    static int argc = 1;
    static char name[] = "kelvor_bench";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Never destroyed: at exit Qt's own globals may already be gone.
    static QApplication* const app = new QApplication(argc, argv);
    static QTemporaryDir data;
    static const bool prepared = [] {
        QStandardPaths::setTestModeEnabled(true);
        const QDir source(QStringLiteral(KELVOR_SOURCE_DATA_DIR));
        for (const QString& file : source.entryList(QDir::Files)) {
            QFile::copy(source.filePath(file), data.filePath(file));
        }
        qputenv("KELVOR_DATA_DIR", data.path().toLocal8Bit());
        // A message box would wait for a click that never comes.
        kelvor::SetMessageHook([](const QString&, kelvor::MessageIcon, QWidget*) {});
        return true;
    }();
    (void)prepared;
    return *app;
}

void BM_WindowEdit(benchmark::State& state) {
    QApplication& app = Application();
    auto window = std::make_unique<kelvor::MainWindow>();
    window->resize(1024, 740);
    window->show();
    window->StartUp();
    window->activateWindow();
    app.processEvents();
    auto* span = window->findChild<QLineEdit*>(QStringLiteral("il1"));
    auto* next = window->findChild<QLineEdit*>(QStringLiteral("il2"));
    if (span == nullptr || next == nullptr) {
        state.SkipWithError("no span fields il1/il2 in the window");
        return;
    }
    const QString typed[] = {QStringLiteral("3100"), QStringLiteral("2900")};
    int k = 0;
    for (auto _ : state) {
        span->setFocus(Qt::TabFocusReason);
        span->setText(typed[k++ & 1]);
        next->setFocus(Qt::TabFocusReason);  // leaving the field runs the calculation
        app.processEvents();                 // the leave, then the paint of what changed
    }
    if (window->project().L1 != 2900.0f && window->project().L1 != 3100.0f) {
        state.SkipWithError("the typed span did not reach the project");
    }
    kelvor::bench::Target(state, kelvor::bench::kFrame / 4);
}
BENCHMARK(BM_WindowEdit)->Unit(benchmark::kMillisecond);

}  // namespace
