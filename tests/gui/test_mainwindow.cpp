// The first window: start-up from the shipped tables, the result list, messages through the hook.
#include <QTreeWidget>
#include <QtTest>

#include "ui/mainwindow.h"
#include "ui/messages.h"

using namespace kelvor;

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        qputenv("KELVOR_DATA_DIR", KELVOR_SOURCE_DATA_DIR);
        SetMessageHook([this](const QString& text, MessageIcon icon, QWidget*) {
            messages_ << text;
            QCOMPARE(icon, MessageIcon::Exclamation);
        });
    }

    void init() { messages_.clear(); }

    void showsTheDefaultProjectsResultList() {
        MainWindow w;
        w.StartUp();
        QVERIFY(messages_.isEmpty());
        QCOMPARE(w.windowTitle(), QStringLiteral("Kelvor: New File"));
        QCOMPARE(w.project().Fyp, 355.0f);
        auto* list = w.findChild<QTreeWidget*>(QStringLiteral("ListView1"));
        QVERIFY(list);
        QCOMPARE(list->columnCount(), 3);
        QCOMPARE(list->headerItem()->text(0), QStringLiteral("Control"));
        QCOMPARE(list->headerItem()->text(1), QStringLiteral("Interaction Ratio"));
        QCOMPARE(list->headerItem()->text(2), QStringLiteral("Reference "));
        QCOMPARE(list->topLevelItemCount(), static_cast<int>(w.project().Result.rows.size()));
        QVERIFY(list->topLevelItemCount() > 0);
        QVERIFY(list->topLevelItem(0)->text(0).startsWith(QStringLiteral("(Rule/Buckling")));
    }

    void spacingMessagesGoThroughTheHookInOrder() {
        MainWindow w;
        w.StartUp();
        w.project().s1 = 3100;
        w.Recalculate();
        QCOMPARE(messages_, (QStringList{QStringLiteral(" s1 <= L1  "),
                                         QStringLiteral(" s1 <= L2  ")}));
    }

    void bothBlocksInModeThreeMatchTheModel() {
        MainWindow w;
        w.StartUp();
        w.project().AnalysisMode = 3;
        w.Recalculate();
        auto* list = w.findChild<QTreeWidget*>(QStringLiteral("ListView1"));
        QVERIFY(list);
        QCOMPARE(list->topLevelItemCount(), static_cast<int>(w.project().Result.rows.size()));
    }

private:
    QStringList messages_;
};

QTEST_MAIN(MainWindowTest)
#include "test_mainwindow.moc"
