// The main window's options, lists, tabs, the pressure button and the result list that follows
// them.
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTreeWidget>

#include "core/project.h"
#include "core/resultlist.h"
#include "mainwindowharness.h"

using namespace kelvor;
using namespace kelvortest;

namespace {

QTreeWidgetItem* RowStartingWith(QWidget& w, const QString& start) {
    auto* list = w.findChild<QTreeWidget*>(QStringLiteral("ListView1"));
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        if (list->topLevelItem(i)->text(0).startsWith(start)) {
            return list->topLevelItem(i);
        }
    }
    return nullptr;
}

void Click(QWidget& w, const char* name) {
    auto* button = w.findChild<QAbstractButton*>(QLatin1String(name));
    QVERIFY2(button, name);
    // Near the left end: a radio button or check box answers only over its mark and text.
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
    Settle();
}

// Every item of the list as its row in the record says: texts, spanning, boldness and colours.
// The items are kept from run to run, so what one run set must not stay for the next.
void ExpectListShowsTheRecord(QWidget& w, const Project& p) {
    auto* list = w.findChild<QTreeWidget*>(QStringLiteral("ListView1"));
    QCOMPARE(list->topLevelItemCount(), static_cast<int>(p.Result.rows.size()));
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const ResultListRow& row = p.Result.rows[static_cast<std::size_t>(i)];
        const QTreeWidgetItem* item = list->topLevelItem(i);
        QCOMPARE(item->text(0), QString::fromStdString(row.text));
        QCOMPARE(item->text(1), QString::fromStdString(row.value));
        QCOMPARE(item->text(2), QString::fromStdString(row.reference));
        QCOMPARE(item->isFirstColumnSpanned(), row.value.empty() && row.reference.empty());
        QCOMPARE(item->font(0).bold(), row.bold);
        QCOMPARE(item->foreground(0).color().rgb() & 0xffffff, row.colour);
        if (!row.value.empty()) {
            QCOMPARE(item->font(1).bold(), row.valueBold || row.bold);
            QCOMPARE(item->foreground(1).color().rgb() & 0xffffff, row.valueColour);
        }
    }
}

}  // namespace

class MainWindowOptionsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { harness_.SetUp(); }
    void init() { harness_.Reset(); }

    void loadingConditionsSetTheSafetyValues() {
        auto w = harness_.Start();
        Click(*w, "opt_cond_b");
        QCOMPARE(w->project().LoadingCondition, 1);
        QCOMPARE(Edit(*w, "ifs")->text(), QStringLiteral("1.11"));
        QCOMPARE(Edit(*w, "iufa")->text(), QStringLiteral("0.80"));
        Type(*w, "ifs", QStringLiteral("1.3"));
        Click(*w, "opt_cond_c");  // keeps what stands
        QCOMPARE(Edit(*w, "ifs")->text(), QStringLiteral("1.30"));
        QCOMPARE(w->project().LoadingCondition, 2);
        Click(*w, "opt_cond_a");
        QCOMPARE(Edit(*w, "ifs")->text(), QStringLiteral("1.43"));
        QCOMPARE(Edit(*w, "iufa")->text(), QStringLiteral("0.60"));
    }

    // Clicking an option straight from a field leaves the field first, as Tab would: the typed
    // value is neither lost to the option's refresh nor applied after the option.
    void aClickLeavesTheFieldBeforeItsOwnCommand() {
        auto w = harness_.Start();
        QLineEdit* it = Edit(*w, "it");
        it->setFocus(Qt::MouseFocusReason);
        Settle();
        QTest::keyClicks(it, QStringLiteral("25"));
        Click(*w, "opt_cond_c");
        QCOMPARE(w->project().t, 25.0f);
        QCOMPARE(it->text(), QStringLiteral("25.0"));

        QLineEdit* p = Edit(*w, "ip1");
        p->setFocus(Qt::MouseFocusReason);
        Settle();
        QTest::keyClicks(p, QStringLiteral("0.05"));
        Click(*w, "Command1");
        QCOMPARE(w->project().p, -0.05f);
        QCOMPARE(p->text(), QStringLiteral("-0.050"));
        QVERIFY(harness_.said.empty());
    }

    void pressureButtonReversesTheSign() {
        auto w = harness_.Start();
        Click(*w, "Command1");
        QCOMPARE(w->project().p, -0.03f);
        QCOMPARE(Edit(*w, "ip1")->text(), QStringLiteral("-0.030"));
        Click(*w, "Command1");
        QCOMPARE(w->project().p, 0.03f);
        QCOMPARE(Edit(*w, "ip1")->text(), QStringLiteral("0.030"));
    }

    void materialListsEnableTypingOnlyForTheLastEntry() {
        auto w = harness_.Start();
        const int last = w->tables().MaterialLastRow();
        QVERIFY(!Edit(*w, "ifys")->isEnabled());
        Choose(*w, "cbofys", last);
        QVERIFY(Edit(*w, "ifys")->isEnabled());
        QVERIFY(Edit(*w, "ifus")->isEnabled());
        QVERIFY(!Edit(*w, "ifyp")->isEnabled());
        Type(*w, "ifys", QStringLiteral("300"));
        QCOMPARE(w->project().Fys, 300.0f);
        // Another row overwrites the typed values and locks the fields again.
        Choose(*w, "cbofys", 0);
        QCOMPARE(w->project().StiffMaterialIndex, 0);
        QCOMPARE(w->project().Fys, w->tables().Materials[0].MatFy);
        QVERIFY(!Edit(*w, "ifys")->isEnabled());
        QCOMPARE(Edit(*w, "ifys")->text().toFloat(), w->tables().Materials[0].MatFy);
    }

    void analysisModesAndTheDeformationBox() {
        auto w = harness_.Start();
        auto* box = w->findChild<QCheckBox*>(QStringLiteral("def_chbox"));
        QVERIFY(box->isVisible());
        QVERIFY(!RowStartingWith(*w, QStringLiteral("STIFFENER DEFORMATION CHECK:")));
        Click(*w, "def_chbox");
        QVERIFY(w->project().IncludeDeformation);
        QVERIFY(RowStartingWith(*w, QStringLiteral("STIFFENER DEFORMATION CHECK:")));
        Click(*w, "optbuckling2");
        QCOMPARE(w->project().AnalysisMode, 2);
        QVERIFY(!box->isVisible());
        QVERIFY(!RowStartingWith(*w, QStringLiteral("PLATE BUCKLING CONTROL")));
        QVERIFY(RowStartingWith(*w, QStringLiteral("PLATE SCANTLING:")));
        Click(*w, "optBuckling3");
        QVERIFY(RowStartingWith(*w, QStringLiteral("PLATE BUCKLING CONTROL")));
        QVERIFY(RowStartingWith(*w, QStringLiteral("PLATE SCANTLING:")));
    }

    void theListFollowsTheRecordRowForRowFromRunToRun() {
        auto w = harness_.Start();
        ExpectListShowsTheRecord(*w, w->project());
        // Longer, shorter, shifted lists: headings land where lines were and back.
        for (const char* mode : {"optBuckling3", "optbuckling1", "optbuckling2", "optBuckling3"}) {
            Click(*w, mode);
            ExpectListShowsTheRecord(*w, w->project());
        }
        Type(*w, "isigx1", QStringLiteral("-400"));
        Type(*w, "isigx2", QStringLiteral("-400"));
        ExpectListShowsTheRecord(*w, w->project());  // ends with the red failure row
        Type(*w, "isigx1", QStringLiteral("-100"));
        Type(*w, "isigx2", QStringLiteral("-100"));
        ExpectListShowsTheRecord(*w, w->project());
    }

    void cFactorPagesAndTheirTexts() {
        auto w = harness_.Start();
        auto* tabs = w->findChild<QTabWidget*>(QStringLiteral("SSTabCfactor"));
        QCOMPARE(tabs->currentIndex(), 1);
        QVERIFY(w->findChild<QRadioButton*>(QStringLiteral("OptC10"))->isChecked());
        // "&&" of the reference is one "&" on screen.
        QCOMPARE(w->findChild<QLabel*>(QStringLiteral("ctext1"))->text(),
                 QStringLiteral("c = 0.90 / 1.50  stiff/gird   ABS (3-2-2/9.5&9.9)"));
        tabs->setCurrentIndex(2);
        QCOMPARE(w->project().CFactorTab, 2);
        QCOMPARE(w->findChild<QLabel*>(QStringLiteral("ctext2"))->text(),
                 QStringLiteral("c = 0.60 / 1.00  stiff/gird   ABS (3-2-4/3.5&3.7)"));
        tabs->setCurrentIndex(0);
        Click(*w, "OptC01");
        QCOMPARE(w->project().CFactorOption, 1);
        QCOMPARE(w->findChild<QLabel*>(QStringLiteral("ctext0"))->text(),
                 QStringLiteral("c = 0.60   ABS (3-2-2/7.5)"));
        Type(*w, "iunit_length", QStringLiteral("30"));
        QCOMPARE(w->findChild<QLabel*>(QStringLiteral("ctext0"))->text(),
                 QStringLiteral("c = 0.58   ABS (3-2-2/7.5)"));
    }

    void resultRowsAndColoursFollowAnEdit() {
        auto w = harness_.Start();
        QTreeWidgetItem* row = RowStartingWith(*w, QStringLiteral("PL1: UFpb"));
        QVERIFY(row);
        QCOMPARE(row->text(1), QStringLiteral("0.43"));
        QCOMPARE(row->foreground(1).color(), QColor(0, 128, 0));
        QVERIFY(row->font(1).bold());
        QVERIFY(RowStartingWith(*w, QStringLiteral("PLATE BUCKLING CONTROL"))->font(0).bold());
        Type(*w, "itau1", QStringLiteral("150"));
        row = RowStartingWith(*w, QStringLiteral("PL1: UFpb"));
        QVERIFY(row->text(1).toDouble() > 1.0);
        QCOMPARE(row->foreground(1).color(), QColor(128, 0, 0));
        QVERIFY(row->text(0).contains(QStringLiteral("(150.0/")));
        Type(*w, "itau1", QStringLiteral("40"));
        QCOMPARE(RowStartingWith(*w, QStringLiteral("PL1: UFpb"))->text(1), QStringLiteral("0.43"));
    }

    void aFailedRunEndsWithItsRedRow() {
        auto w = harness_.Start();
        Type(*w, "isigx1", QStringLiteral("-400"));
        Type(*w, "isigx2", QStringLiteral("-400"));
        QVERIFY(harness_.said.empty());
        auto* list = w->findChild<QTreeWidget*>(QStringLiteral("ListView1"));
        QTreeWidgetItem* last = list->topLevelItem(list->topLevelItemCount() - 1);
        QCOMPARE(last->text(0), QStringLiteral("Calculation stopped in plate buckling: square "
                                               "root of a negative number (lateral pressure: "
                                               "equivalent stress above yield)"));
        QCOMPARE(last->foreground(0).color(), QColor(255, 0, 0));
        QVERIFY(!RowStartingWith(*w, QStringLiteral("PL1: UFpb")));
        Type(*w, "isigx1", QStringLiteral("-100"));
        Type(*w, "isigx2", QStringLiteral("-100"));
        QVERIFY(RowStartingWith(*w, QStringLiteral("PL1: UFpb")));
    }

    void profileCaptionsShowTheDesignations() {
        auto w = harness_.Start();
        QCOMPARE(w->findChild<QLabel*>(QStringLiteral("stiffprof"))->text(),
                 QString::fromStdString(w->project().StiffDesignation));
        QCOMPARE(w->findChild<QLabel*>(QStringLiteral("girdprof"))->text(),
                 QStringLiteral("T 800x200x10.0x20.0"));
        QVERIFY(w->findChild<QPushButton*>(QStringLiteral("cmdpicStiff")));
        QVERIFY(w->findChild<QWidget*>(QStringLiteral("pic21")));
    }

private:
    Harness harness_;
};

QTEST_MAIN(MainWindowOptionsTest)
#include "test_mainwindow_options.moc"
