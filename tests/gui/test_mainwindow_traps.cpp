// Focus and activation with real windows in between: a message box that takes the focus while a
// field is being left, and the window's activation, which recalculates only when the user comes
// back from another window of the program.
#include <QDialog>
#include <QMessageBox>

#include "core/project.h"
#include "mainwindowharness.h"

using namespace kelvor;
using namespace kelvortest;

namespace {

// What a modal message box does to the focus: its own active window for a while, then the main
// window is active again.
void ShowAndCloseABox(QWidget* owner) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Kelvor"), QStringLiteral("..."),
                    QMessageBox::Ok, owner);
    box.show();
    box.activateWindow();
    (void)QTest::qWaitForWindowActive(&box);
    Settle();
    box.close();
    owner->activateWindow();
    (void)QTest::qWaitForWindowActive(owner);
}

// Activates another window, then the main window again.
void VisitWindow(QWidget& main, QWidget& other) {
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    Settle();
    other.hide();
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    Settle();
}

}  // namespace

class MainWindowTrapsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { harness_.SetUp(); }
    void init() { harness_.Reset(); }

    void aRefusedValueIsReportedOnceWhileTheBoxHasTheFocus() {
        auto w = harness_.Start();
        harness_.onMessage = [&w] { ShowAndCloseABox(w.get()); };
        Type(*w, "it", QStringLiteral("0.05"));
        Settle();
        QCOMPARE(harness_.Texts(), QStringList{" 0.1 <= t "});
        QCOMPARE(FocusName(), QStringLiteral("it"));
    }

    void theBoxClosingDoesNotRecalculate() {
        auto w = harness_.Start();
        harness_.onMessage = [&w] { ShowAndCloseABox(w.get()); };
        Type(*w, "is1", QStringLiteral("2600"));
        for (int i = 0; i < 5; ++i) {
            Settle();
        }
        QCOMPARE(harness_.Texts(), QStringList{" s1 <= L2  "});
    }

    void comingBackFromAProgramWindowRecalculates_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<bool>("recalculates");
        QTest::newRow("profile dialog") << "stiffl" << true;
        QTest::newRow("girder dialog") << "girdtg" << true;
        QTest::newRow("batch window") << "database" << true;
        QTest::newRow("any other window") << "somewindow" << false;
    }
    void comingBackFromAProgramWindowRecalculates() {
        QFETCH(QString, window);
        QFETCH(bool, recalculates);
        auto w = harness_.Start();
        QDialog other(w.get());
        other.setObjectName(window);
        // A change the window has not calculated yet, as a dialog makes it.
        w->project().s1 = 2600;
        harness_.onMessage = [&w] { ShowAndCloseABox(w.get()); };
        VisitWindow(*w, other);
        for (int i = 0; i < 5; ++i) {
            Settle();
        }
        QCOMPARE(harness_.Texts(), recalculates ? QStringList{" s1 <= L2  "} : QStringList{});
    }

    void comingBackFromAMessageBoxDoesNot() {
        auto w = harness_.Start();
        w->project().s1 = 2600;
        QMessageBox box(QMessageBox::Information, QStringLiteral("Kelvor"), QStringLiteral("x"),
                        QMessageBox::Ok, w.get());
        VisitWindow(*w, box);
        QVERIFY(harness_.said.empty());
    }

private:
    Harness harness_;
};

QTEST_MAIN(MainWindowTrapsTest)
#include "test_mainwindow_traps.moc"
