// The main window driven offscreen by object name: its fields (parsing, limits, messages, focus,
// colour, Enter and the arrow keys), the options and lists with the result list that follows
// them, the File and Help menus with the recent list, and focus with real windows in between.
#include <QAction>
#include <QCheckBox>
#include <QDesktopServices>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTreeWidget>

#include "core/resultlist.h"
#include "guitest.h"
#include "qt/qtrecentstore.h"
#include "ui/filemenu.h"
#include "ui/inputfields.h"

using namespace kelvor;
using namespace guitest;

namespace {

QTreeWidget* List(QWidget& w) { return w.findChild<QTreeWidget*>(QStringLiteral("ListView1")); }
QString LabelText(QWidget& w, const char* name) {
    return w.findChild<QLabel*>(QLatin1String(name))->text();
}

QTreeWidgetItem* RowStartingWith(QWidget& w, const QString& start) {
    for (int i = 0; i < List(w)->topLevelItemCount(); ++i) {
        if (List(w)->topLevelItem(i)->text(0).startsWith(start)) {
            return List(w)->topLevelItem(i);
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

QAction* Action(QWidget& w, const QString& name) { return w.findChild<QAction*>(name); }
void Trigger(QWidget& w, const char* name) {
    Action(w, QLatin1String(name))->trigger();
    Settle();
}

QStringList RecentCaptions(QWidget& w) {
    QStringList captions;
    for (int k = 1; k <= 4; ++k) {
        QAction* entry = Action(w, QStringLiteral("mnurecentfile%1").arg(k));
        if (entry->isVisible()) {
            captions << entry->text();
        }
    }
    return captions;
}

// Every item of the list as its row in the record says: texts, spanning, boldness and colours.
// The items are kept from run to run, so what one run set must not stay for the next.
void ExpectListShowsTheRecord(QWidget& w, const Project& p) {
    QCOMPARE(List(w)->topLevelItemCount(), static_cast<int>(p.Result.rows.size()));
    for (int i = 0; i < List(w)->topLevelItemCount(); ++i) {
        const ResultListRow& row = p.Result.rows[static_cast<std::size_t>(i)];
        const QTreeWidgetItem* item = List(w)->topLevelItem(i);
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

}  // namespace

// Receives the manuals the window opens instead of the desktop.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        harness_.SetUp();
        SetFileDialogHook([this](FileDialogKind kind, const QString&, const QString& preset) {
            asked_ << qMakePair(kind, preset);
            return answer_;
        });
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &urls_, "open");
    }
    void cleanupTestCase() { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    void init() {
        harness_.Reset();
        asked_.clear();
        urls_.opened.clear();
        QVERIFY(dir_.isValid());
    }

    void startsOnTheDefaultProject() {
        auto w = harness_.Start();
        for (const testdata::Row& r : testdata::ReadTable("gui/mainwindow_start.tsv")) {
            const QString name = QString::fromStdString(r[1]);
            const QString shown = r[0] == "field"    ? Edit(*w, name)->text()
                                  : r[0] == "action" ? Action(*w, name)->text()
                                  : r[0] == "label"  ? LabelText(*w, r[1].c_str())
                                  : r[0] == "header" ? List(*w)->headerItem()->text(name.toInt())
                                                     : w->windowTitle();
            QVERIFY2(shown == QString::fromStdString(r[2]), qPrintable(QString::fromStdString(r.where + ": ") + shown));
        }
        for (const MainField& f : MainFields()) {
            QVERIFY2(Edit(*w, f.name), f.name);
        }
        QCOMPARE(List(*w)->topLevelItemCount(), static_cast<int>(w->project().Result.rows.size()));
        QCOMPARE(LabelText(*w, "stiffprof"), QString::fromStdString(w->project().StiffDesignation));
        QVERIFY(w->findChild<QPushButton*>(QStringLiteral("cmdpicStiff")));
        QVERIFY(w->findChild<QWidget*>(QStringLiteral("pic21")));
        QVERIFY(w->findChild<QMenu*>(QStringLiteral("mnuProfile")));
        // The first size fits a 1024 x 768 screen with its task bar.
        QVERIFY(w->minimumSizeHint().width() <= 1024);
        QVERIFY(w->minimumSizeHint().height() <= 730);
    }

    void typingIntoAField_data() {
        AddRows("mainwindow_fields.tsv",
                {"decimal", "field", "typed", "stored", "shown", "messages", "refocus", "runs", "box"});
    }
    void typingIntoAField() {
        QFETCH(QString, decimal);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        QFETCH(QString, messages);
        QFETCH(QString, refocus);
        QFETCH(QString, runs);
        QFETCH(QString, box);
        auto w = harness_.Start();
        w->findChild<QTabWidget*>(QStringLiteral("SSTabCfactor"))->setCurrentIndex(0);
        Choose(*w, "cbofyp", w->tables().MaterialLastRow());
        Choose(*w, "cbofys", w->tables().MaterialLastRow());
        QCOMPARE(w->project().CFactorTab, 0);
        QCOMPARE(w->project().Fyp, 355.0f);  // the typed material starts from the row before
        w->project().DecimalMode = decimal.toInt();
        w->project().Result.rows.clear();
        if (box == "yes") {
            harness_.onMessage = [&w] { ShowAndCloseABox(w.get()); };
        }
        Type(*w, field, typed);
        for (int i = 0; i < 5; ++i) {
            Settle();
        }
        QCOMPARE(w->project().*MainFieldNamed(field)->value, stored.toFloat());
        QCOMPARE(harness_.Texts(), guitest::List(messages));
        QCOMPARE(!w->project().Result.rows.empty(), runs == "yes");
        QStringList refocused;
        for (const Said& s : harness_.said) {
            refocused << s.refocus;
        }
        QCOMPARE(refocused, guitest::List(refocus));
        if (!refocused.isEmpty()) {
            QCOMPARE(FocusName(), refocused.back());
        }
        QCOMPARE(Edit(*w, field)->text(), shown);
    }

    void keysMoveTheFocus_data() { AddRows("mainwindow_keys.tsv", {"from", "key", "to", "page", "typed"}); }
    void keysMoveTheFocus() {
        QFETCH(QString, from);
        QFETCH(QString, key);
        QFETCH(QString, to);
        QFETCH(QString, page);
        QFETCH(QString, typed);
        auto w = harness_.Start();
        w->findChild<QTabWidget*>(QStringLiteral("SSTabCfactor"))->setCurrentIndex(page.toInt());
        if (typed == "yes") {
            Choose(*w, "cbofyp", w->tables().MaterialLastRow());
            Choose(*w, "cbofys", w->tables().MaterialLastRow());
        }
        auto* start = w->findChild<QWidget*>(from);
        start->setFocus(Qt::MouseFocusReason);
        Settle();
        QTest::keyClick(start, QKeySequence::fromString(key)[0].key());
        Settle();
        QCOMPARE(FocusName(), to);
        QVERIFY(harness_.said.empty());
    }

    void yellowWhileEditingWithTheTextSelected() {
        auto w = harness_.Start();
        QLineEdit* it = Edit(*w, "it");
        QLineEdit* proj = Edit(*w, "iproj");
        it->setFocus(Qt::MouseFocusReason);
        Settle();
        QCOMPARE(it->palette().color(QPalette::Base), QColor(255, 255, 192));
        QCOMPARE(it->selectedText(), QStringLiteral("20.0"));
        proj->setFocus(Qt::MouseFocusReason);
        Settle();
        QCOMPARE(it->palette().color(QPalette::Base), QColor(Qt::white));
        QCOMPARE(proj->palette().color(QPalette::Base), QColor(255, 255, 192));
        QVERIFY(proj->selectedText().isEmpty());
        QTest::keyClicks(proj, QStringLiteral(" X"));
        QTest::keyClick(proj, Qt::Key_Return);  // stores the text and moves on
        Settle();
        QCOMPARE(w->project().ProjectName, std::string("Project X"));
        QCOMPARE(FocusName(), QStringLiteral("iident"));
    }

    // A change the window has not calculated yet, as a dialog makes it, is calculated when the
    // user comes back from one of the program's windows only.
    void comingBackFromAnotherWindow_data() { AddRows("mainwindow_windows.tsv", {"window", "recalculates"}); }
    void comingBackFromAnotherWindow() {
        QFETCH(QString, window);
        QFETCH(QString, recalculates);
        auto w = harness_.Start();
        std::unique_ptr<QDialog> other(window == "(message box)" ? new QMessageBox(w.get())
                                                                 : new QDialog(w.get()));
        other->setObjectName(window);
        w->project().s1 = 2600;
        harness_.onMessage = [&w] { ShowAndCloseABox(w.get()); };
        other->show();
        other->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(other.get()));
        Settle();
        other->hide();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        for (int i = 0; i < 5; ++i) {
            Settle();
        }
        QCOMPARE(harness_.Texts(), recalculates == "yes" ? QStringList{" s1 <= L2  "} : QStringList{});
    }

    // Clicking an option straight from a field leaves the field first, as Tab would: the typed
    // value is neither lost to the option's refresh nor applied after the option.
    void optionsAndThePressureButton() {
        auto w = harness_.Start();
        Click(*w, "Command1");
        QCOMPARE(w->project().p, -0.03f);
        QCOMPARE(Edit(*w, "ip1")->text(), QStringLiteral("-0.030"));
        Click(*w, "Command1");
        QCOMPARE(Edit(*w, "ip1")->text(), QStringLiteral("0.030"));
        QLineEdit* p = Edit(*w, "ip1");
        p->setFocus(Qt::MouseFocusReason);
        Settle();
        QTest::keyClicks(p, QStringLiteral("0.05"));
        Click(*w, "Command1");
        QCOMPARE(w->project().p, -0.05f);
        QCOMPARE(p->text(), QStringLiteral("-0.050"));

        Click(*w, "opt_cond_b");
        QCOMPARE(w->project().LoadingCondition, 1);
        QCOMPARE(Edit(*w, "ifs")->text(), QStringLiteral("1.11"));
        QCOMPARE(Edit(*w, "iufa")->text(), QStringLiteral("0.80"));
        Type(*w, "ifs", QStringLiteral("1.3"));
        QLineEdit* it = Edit(*w, "it");
        it->setFocus(Qt::MouseFocusReason);
        Settle();
        QTest::keyClicks(it, QStringLiteral("25"));
        Click(*w, "opt_cond_c");  // keeps the safety values that stand
        QCOMPARE(w->project().t, 25.0f);
        QCOMPARE(it->text(), QStringLiteral("25.0"));
        QCOMPARE(Edit(*w, "ifs")->text(), QStringLiteral("1.30"));
        QCOMPARE(w->project().LoadingCondition, 2);
        Click(*w, "opt_cond_a");
        QCOMPARE(Edit(*w, "ifs")->text(), QStringLiteral("1.43"));
        QCOMPARE(Edit(*w, "iufa")->text(), QStringLiteral("0.60"));
        QVERIFY(harness_.said.empty());
    }

    void materialListsEnableTypingOnlyForTheLastEntry() {
        auto w = harness_.Start();
        QVERIFY(!Edit(*w, "ifys")->isEnabled());
        Choose(*w, "cbofys", w->tables().MaterialLastRow());
        QVERIFY(Edit(*w, "ifys")->isEnabled() && Edit(*w, "ifus")->isEnabled());
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

    // Longer, shorter, shifted lists from mode to mode: headings land where lines were and back;
    // a failed run ends with its red row, and the ratios change colour with the load.
    void theResultListFollowsEveryRun() {
        auto w = harness_.Start();
        ExpectListShowsTheRecord(*w, w->project());
        QTreeWidgetItem* row = RowStartingWith(*w, QStringLiteral("PL1: UFpb"));
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

        auto* box = w->findChild<QCheckBox*>(QStringLiteral("def_chbox"));
        QVERIFY(box->isVisible());
        QVERIFY(!RowStartingWith(*w, QStringLiteral("STIFFENER DEFORMATION CHECK:")));
        Click(*w, "def_chbox");
        QVERIFY(w->project().IncludeDeformation);
        QVERIFY(RowStartingWith(*w, QStringLiteral("STIFFENER DEFORMATION CHECK:")));
        for (const char* mode : {"optBuckling3", "optbuckling1", "optbuckling2"}) {
            Click(*w, mode);
            ExpectListShowsTheRecord(*w, w->project());
        }
        QCOMPARE(w->project().AnalysisMode, 2);
        QVERIFY(!box->isVisible());
        QVERIFY(!RowStartingWith(*w, QStringLiteral("PLATE BUCKLING CONTROL")));
        QVERIFY(RowStartingWith(*w, QStringLiteral("PLATE SCANTLING:")));
        Click(*w, "optBuckling3");
        ExpectListShowsTheRecord(*w, w->project());
        QVERIFY(RowStartingWith(*w, QStringLiteral("PLATE BUCKLING CONTROL")));
        QVERIFY(RowStartingWith(*w, QStringLiteral("PLATE SCANTLING:")));

        Type(*w, "isigx1", QStringLiteral("-400"));
        Type(*w, "isigx2", QStringLiteral("-400"));
        ExpectListShowsTheRecord(*w, w->project());
        QTreeWidgetItem* last = List(*w)->topLevelItem(List(*w)->topLevelItemCount() - 1);
        QCOMPARE(last->text(0), QStringLiteral("Calculation stopped in plate buckling: square "
                                               "root of a negative number (lateral pressure: "
                                               "equivalent stress above yield)"));
        QCOMPARE(last->foreground(0).color(), QColor(255, 0, 0));
        QVERIFY(!RowStartingWith(*w, QStringLiteral("PL1: UFpb")));
        Type(*w, "isigx1", QStringLiteral("-100"));
        Type(*w, "isigx2", QStringLiteral("-100"));
        ExpectListShowsTheRecord(*w, w->project());
        QVERIFY(RowStartingWith(*w, QStringLiteral("PL1: UFpb")));
        QVERIFY(harness_.said.empty());
    }

    void cFactorPagesAndTheirTexts() {
        auto w = harness_.Start();
        auto* tabs = w->findChild<QTabWidget*>(QStringLiteral("SSTabCfactor"));
        QCOMPARE(tabs->currentIndex(), 1);
        QVERIFY(w->findChild<QRadioButton*>(QStringLiteral("OptC10"))->isChecked());
        tabs->setCurrentIndex(2);
        QCOMPARE(w->project().CFactorTab, 2);
        QCOMPARE(LabelText(*w, "ctext2"),
                 QStringLiteral("c = 0.60 / 1.00  stiff/gird   ABS (3-2-4/3.5&3.7)"));
        tabs->setCurrentIndex(0);
        Click(*w, "OptC01");
        QCOMPARE(w->project().CFactorOption, 1);
        QCOMPARE(LabelText(*w, "ctext0"), QStringLiteral("c = 0.60   ABS (3-2-2/7.5)"));
        Type(*w, "iunit_length", QStringLiteral("30"));
        QCOMPARE(LabelText(*w, "ctext0"), QStringLiteral("c = 0.58   ABS (3-2-2/7.5)"));
    }

    void saveNewOpenRoundTripWithTheRecentList() {
        auto w = harness_.Start();
        QVERIFY(!Action(*w, QStringLiteral("mnurecentfile0"))->isVisible());
        Type(*w, "it", QStringLiteral("14"));
        Edit(*w, "iproj")->setText(QStringLiteral("Deck panel"));  // saved without leaving it
        const QString a = answer_ = dir_.filePath(QStringLiteral("a.kelvo"));
        Trigger(*w, "mnusave");
        QCOMPARE(asked_.size(), 1);
        QCOMPARE(asked_[0].first, FileDialogKind::Save);
        QCOMPARE(w->windowTitle(), QStringLiteral("Kelvor: ") + a);
        QCOMPARE(w->project().ProjectName, std::string("Deck panel"));
        QVERIFY(Action(*w, QStringLiteral("mnurecentfile0"))->isVisible());
        QCOMPARE(RecentCaptions(*w), QStringList{"1. " + a});
        QCOMPARE(QString::fromStdString(w->project().WorkFolder), dir_.path() + '/');
        // Saving again writes without asking.
        Type(*w, "it", QStringLiteral("15"));
        Trigger(*w, "mnusave");
        QCOMPARE(asked_.size(), 1);

        Trigger(*w, "mnunew");
        QCOMPARE(w->project().t, 20.0f);
        QCOMPARE(Edit(*w, "it")->text(), QStringLiteral("20.0"));
        QCOMPARE(w->project().ProjectFile, std::string("New File"));
        QCOMPARE(w->windowTitle(), QStringLiteral("Kelvor: ") + a);  // New leaves the caption

        Trigger(*w, "mnuopen");
        QCOMPARE(asked_[1], qMakePair(FileDialogKind::Open, QStringLiteral("*.kelvo")));
        QCOMPARE(w->project().t, 15.0f);
        QCOMPARE(Edit(*w, "it")->text(), QStringLiteral("15.0"));
        QCOMPARE(Edit(*w, "iproj")->text(), QStringLiteral("Deck panel"));
        QCOMPARE(RecentCaptions(*w), QStringList{"1. " + a});  // already entry 1

        // Save As under another name, then the recent entry of the first file. A menu would
        // read the "&" of a path as an access key.
        const QString b = answer_ = dir_.filePath(QStringLiteral("b&c.kelvo"));
        const QString bShown = QString(b).replace('&', "&&");
        Trigger(*w, "mnusaveas");
        QCOMPARE(asked_[2], qMakePair(FileDialogKind::SaveAs, a));
        QCOMPARE(w->windowTitle(), QStringLiteral("Kelvor: ") + b);
        QCOMPARE(RecentCaptions(*w), (QStringList{"1. " + bShown, "2. " + a}));
        Type(*w, "it", QStringLiteral("30"));
        Trigger(*w, "mnurecentfile2");
        QCOMPARE(w->project().t, 15.0f);
        QCOMPARE(w->windowTitle(), QStringLiteral("Kelvor: ") + a);
        QCOMPARE(RecentCaptions(*w), (QStringList{"1. " + a, "2. " + bShown}));
        QVERIFY(harness_.said.empty());

        // From the command line, in a window of its own: opened and remembered.
        w.reset();
        harness_.Reset();
        auto v = harness_.Start();
        QVERIFY(v->OpenFile(b));
        QCOMPARE(v->project().t, 15.0f);
        QCOMPARE(Edit(*v, "it")->text(), QStringLiteral("15.0"));
        QCOMPARE(v->windowTitle(), QStringLiteral("Kelvor: ") + b);
        QCOMPARE(RecentCaptions(*v), QStringList{"1. " + bShown});
        QVERIFY(!v->OpenFile(dir_.filePath(QStringLiteral("nothing.kelvo"))));
        QCOMPARE(v->project().t, 15.0f);
    }

    void fileFailuresLeaveTheProjectAsItWas() {
        auto w = harness_.Start();
        Type(*w, "it", QStringLiteral("12"));
        const QString missing = answer_ = dir_.filePath(QStringLiteral("gone.kelvo"));
        Trigger(*w, "mnuopen");
        QCOMPARE(harness_.Texts(), QStringList{Message("missing", missing)});
        QCOMPARE(w->project().ProjectFile, std::string("New File"));
        QCOMPARE(w->windowTitle(), QStringLiteral("Kelvor: New File"));

        const QString broken = answer_ = dir_.filePath(QStringLiteral("broken.kelvo"));
        QFile file(broken);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("202\r\n\"P\"\r\n");
        file.close();
        harness_.said.clear();
        Trigger(*w, "mnuopen");
        QCOMPARE(harness_.Texts(), QStringList{Message("unreadable", broken)});

        harness_.said.clear();
        const QString unwritable = answer_ = dir_.filePath(QStringLiteral("no/such/folder/x.kelvo"));
        Trigger(*w, "mnusaveas");
        QCOMPARE(harness_.Texts(), QStringList{Message("unwritable", unwritable)});
        QVERIFY(!Action(*w, QStringLiteral("mnurecentfile1"))->isVisible());
        // A cancelled dialog writes nothing.
        harness_.said.clear();
        answer_.clear();
        Trigger(*w, "mnusave");
        QVERIFY(harness_.said.empty());
        QCOMPARE(w->project().ProjectFile, std::string("New File"));
        QCOMPARE(w->project().t, 12.0f);

        // A recent file that has gone since.
        const QString temporary = answer_ = dir_.filePath(QStringLiteral("temporary.kelvo"));
        Trigger(*w, "mnusave");
        QVERIFY(QFile::remove(temporary));
        Type(*w, "it", QStringLiteral("11"));
        Trigger(*w, "mnurecentfile1");
        QCOMPARE(harness_.Texts(), QStringList{Message("missing", temporary)});
        QCOMPARE(w->project().t, 11.0f);
    }

    void helpOpensTheManualsOrNamesTheMissingFile() {
        auto w = harness_.Start();
        const QString help = dir_.path() + '/';
        w->project().HelpFolder = help.toStdString();
        QFile manual(help + "Kelvor Theory Manual.pdf");
        QVERIFY(manual.open(QIODevice::WriteOnly));
        manual.close();
        Trigger(*w, "mnuTheory");
        QCOMPARE(urls_.opened, QList<QUrl>{QUrl::fromLocalFile(help + "Kelvor Theory Manual.pdf")});
        QVERIFY(harness_.said.empty());
        Trigger(*w, "mnuDatabaseDoc");
        QCOMPARE(urls_.opened.size(), 1);
        QCOMPARE(harness_.Texts(), QStringList{Message("missing", help + "Kelvor Database.pdf")});
        harness_.said.clear();
        Trigger(*w, "mnuabout");
        QCOMPARE(harness_.said.size(), std::size_t{1});
        QVERIFY(harness_.said[0].text.startsWith(QStringLiteral("Kelvor ")));
        QVERIFY(harness_.said[0].text.contains(QRegularExpression(QStringLiteral("\\d+\\.\\d+"))));
    }

    // The recent list in the per-user settings file, named after the application alone, in a
    // group of its own and kept from one store to the next.
    void recentStoreKeepsItsOwnGroup() {
        const QDir settings(harness_.SettingsPath());
        {
            QSettings other(QSettings::UserScope, QStringLiteral("kelvo"));
            other.setValue(QStringLiteral("Elsewhere/RecentFile1"), QStringLiteral("/x"));
            other.sync();
            QtRecentStore store;
            QCOMPARE(store.FileName(), settings.filePath(QStringLiteral("kelvo.conf")));
            QVERIFY(store.Values().empty() && RecentEntries(store).empty());
            store.Set("RecentFile1", "/home/u/a b.kelvo");
        }
        QFile file(settings.filePath(QStringLiteral("kelvo.conf")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray content = file.readAll();
        QVERIFY(content.contains("[Recent%20Files]"));
        QVERIFY(content.contains("RecentFile1=/home/u/a b.kelvo"));
        QVERIFY(!QFile::exists(settings.filePath(QStringLiteral("Unknown Organization"))));
        harness_.Reset();
        {
            QtRecentStore store;
            RememberSavedFile(store, "/p/a.kelvo");
            RememberSavedFile(store, "/p/b.kelvo");
            RememberOpenedFile(store, "/p/c.kelvo", RecentEntries(store));
        }
        QtRecentStore again;
        QCOMPARE(again.Get("RecentFile1"), std::string("/p/c.kelvo"));
        QCOMPARE(again.Get("RecentFile4"), std::string());
        QCOMPARE(RecentEntries(again),
                 (std::vector<std::string>{"1. /p/c.kelvo", "2. /p/b.kelvo", "3. /p/a.kelvo"}));
        PromoteRecentFile(again, "/p/a.kelvo", 3);
        QCOMPARE(again.Values(),
                 (std::vector<std::string>{"/p/a.kelvo", "/p/c.kelvo", "/p/b.kelvo"}));
    }

private:
    Harness harness_;
    QTemporaryDir dir_;
    QString answer_;
    QList<QPair<FileDialogKind, QString>> asked_;
    UrlCatcher urls_;
};

QTEST_MAIN(MainWindowTest)
#include "test_mainwindow.moc"
