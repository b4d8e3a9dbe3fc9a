// The main window driven offscreen by object name: its fields (parsing, limits, messages, focus,
// colour, Enter and the arrow keys), the options and lists with the result list that follows
// them, the File and Help menus with the recent list, undo and redo, and focus with real windows
// in between.
#include <QAction>
#include <QClipboard>
#include <QDesktopServices>
#include <QMessageBox>
#include <QTabWidget>
#include <QTreeWidget>

#include "core/resultlist.h"
#include "guitest.h"
#include "qt/qtrecentstore.h"
#include "ui/filemenu.h"
#include "ui/inputfields.h"
#include "ui/profiledialog.h"

using namespace kelvor;
using namespace guitest;

namespace {

const char* const kSteps = "mainwindow_steps.tsv";

void Click(QWidget& w, const char* name) {
    guitest::Click(w.findChild<QWidget*>(name));
}
void Trigger(QWidget& w, const QString& name) {
    w.findChild<QAction*>(name)->trigger();
    Settle();
}

QStringList RecentCaptions(QWidget& w) {
    QStringList captions;
    for (int k = 1; k <= 4; ++k) {
        auto* entry = w.findChild<QAction*>(QStringLiteral("mnurecentfile%1").arg(k));
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

// Another window active for a while, as a modal message box is, then the main window again.
void Visit(QWidget* other, QWidget* owner) {
    other->show();
    other->activateWindow();
    (void)QTest::qWaitForWindowActive(other);
    Settle();
    other->hide();
    owner->activateWindow();
    (void)QTest::qWaitForWindowActive(owner);
}
void ShowAndCloseABox(QWidget* owner) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Kelvor"), QStringLiteral("..."),
                    QMessageBox::Ok, owner);
    Visit(&box, owner);
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
            const char* kinds[] = {"Open", "Save", "SaveAs"};
            asked_ << kinds[static_cast<int>(kind)] + QStringLiteral(" ") + preset;
            return answer_;
        });
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &urls_, "open");
    }
    void cleanupTestCase() { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    void init() {
        harness_.Reset();
        SetDocumentHook({});
        asked_.clear();
        urls_.opened.clear();
    }

    void userSteps_data() { AddCases(kSteps); }
    void userSteps() {
        auto w = harness_.Start();
        QPointer<QWidget> dialog;  // where the names are looked up after "in"
        RunCase(
            kSteps, [&] { return dialog ? dialog.data() : static_cast<QWidget*>(w.get()); },
            [&w]() -> ProjectHost& { return *w; }, harness_,
            [&](const QString& step, const QString& name, const QString& value, QString& shown) {
                if (step == "in") {
                    dialog = nullptr;
                    for (ProfileDialog* d : w->findChildren<ProfileDialog*>(name)) {
                        dialog = name.isEmpty() || d->closing() ? dialog : d;
                    }
                    QWidget* target = dialog ? dialog.data() : static_cast<QWidget*>(w.get());
                    target->activateWindow();
                    (void)QTest::qWaitForWindowActive(target);
                    Settle();
                } else if (step == "change") {
                    w->ProjectChanger()(name, [&value](Project& p) {
                        testdata::SetFields(p, value.toStdString());
                    });
                    Settle();
                } else if (step == "choose") {
                    Choose(*w, name.toLatin1().constData(),
                           value == "last" ? w->tables().MaterialLastRow() : value.toInt());
                } else if (step == "page") {
                    w->findChild<QTabWidget*>(QStringLiteral("SSTabCfactor"))
                        ->setCurrentIndex(name.toInt());
                } else if (step == "trigger") {
                    Trigger(*w, name);
                } else if (step == "answer") {
                    answer_ = value;
                } else if (step == "box") {
                    harness_.onMessage = [&w] { ShowAndCloseABox(w.get()); };
                } else if (step == "visit") {
                    std::unique_ptr<QDialog> other(
                        name == "(message box)" ? new QMessageBox(w.get()) : new QDialog(w.get()));
                    other->setObjectName(name);
                    Visit(other.get(), w.get());
                    Settle(15);
                } else if (step == "clipboard") {  // its lines, | between
                    shown = QApplication::clipboard()->text().split('\n').join('|');
                } else if (step == "file") {  // a written file's lines, | between
                    QFile f(name);
                    shown = f.open(QIODevice::ReadOnly)
                                ? QString::fromUtf8(f.readAll()).split(QStringLiteral("\r\n")).join('|')
                                : QStringLiteral("(no file)");
                } else if (step == "resize") {
                    w->resize(name.toInt(), value.toInt());
                } else if (step == "reopen") {  // a new start with the same settings
                    w.reset();
                    w = harness_.Start();
                } else if (step == "restart") {
                    w.reset();
                    harness_.Reset();
                    w = harness_.Start();
                } else if (step == "open") {
                    shown = w->OpenFile(name) ? "true" : "false";
                } else if (step == "action") {
                    shown = w->findChild<QAction*>(name)->text();
                } else if (step == "title") {
                    shown = w->windowTitle();
                } else if (step == "header") {
                    shown = List(*w)->headerItem()->text(name.toInt());
                } else if (step == "row") {
                    QTreeWidgetItem* row = RowStartingWith(*w, name);
                    shown = row ? row->text(1) : QStringLiteral("(none)");
                } else if (step == "recent") {
                    shown = RecentCaptions(*w).join('|');
                } else if (step == "asked") {
                    shown = asked_.join('|');
                    asked_.clear();
                } else if (step == "close") {
                    shown = w->close() ? "true" : "false";
                } else if (step == "viewer") {
                    SetDocumentHook(value == "none" ? DocumentHook([](const QUrl&) { return false; })
                                                    : DocumentHook());
                } else if (step == "opened") {
                    QStringList paths;
                    for (const QUrl& url : urls_.opened) {
                        paths << url.toLocalFile();
                    }
                    shown = paths.join('|');
                } else {
                    return false;
                }
                return true;
            });
    }

    void startsOnTheDefaultProject() {
        auto w = harness_.Start();
        for (const MainField& f : MainFields()) {
            QVERIFY2(Edit(*w, f.name), f.name);
        }
        QCOMPARE(List(*w)->topLevelItemCount(), static_cast<int>(w->project().Result.rows.size()));
        // The first size fits a 1024 x 768 screen with its task bar.
        QVERIFY(w->minimumSizeHint().width() <= 1024);
        QVERIFY(w->minimumSizeHint().height() <= 730);
        Trigger(*w, "mnuabout");
        QCOMPARE(harness_.said.size(), std::size_t{1});
        QVERIFY(harness_.said[0].text.startsWith(QStringLiteral("Kelvor ")));
        QVERIFY(harness_.said[0].text.contains(QRegularExpression(QStringLiteral("\\d+\\.\\d+"))));
    }

    void typingIntoAField_data() {
        AddRows("mainwindow_fields.tsv", {"decimal", "field", "typed", "stored", "shown",
                                          "messages", "refocus", "runs", "box"});
    }
    void typingIntoAField() {
        auto w = harness_.Start();
        w->findChild<QTabWidget*>(QStringLiteral("SSTabCfactor"))->setCurrentIndex(0);
        Choose(*w, "cbofyp", w->tables().MaterialLastRow());
        Choose(*w, "cbofys", w->tables().MaterialLastRow());
        QCOMPARE(w->project().CFactorTab, 0);
        QCOMPARE(w->project().Fyp, 355.0f);  // the typed material starts from the row before
        w->project().DecimalMode = Cell("decimal").toInt();
        w->project().Result.rows.clear();
        if (Cell("box") == "yes") {
            harness_.onMessage = [&w] { ShowAndCloseABox(w.get()); };
        }
        Type(*w, Cell("field"), Cell("typed"));
        Settle(15);
        QCOMPARE(w->project().*MainFieldNamed(Cell("field"))->value, Cell("stored").toFloat());
        QCOMPARE(harness_.Texts(), guitest::List(Cell("messages")));
        QCOMPARE(!w->project().Result.rows.empty(), Cell("runs") == "yes");
        QStringList refocused;
        for (const Said& s : harness_.said) {
            refocused << s.refocus;
        }
        QCOMPARE(refocused, guitest::List(Cell("refocus")));
        if (!refocused.isEmpty()) {
            QCOMPARE(FocusName(), refocused.back());
        }
        QCOMPARE(Edit(*w, Cell("field"))->text(), Cell("shown"));
    }

    void keysMoveTheFocus_data() {
        AddRows("mainwindow_keys.tsv", {"from", "key", "to", "page", "typed"});
    }
    void keysMoveTheFocus() {
        auto w = harness_.Start();
        w->findChild<QTabWidget*>(QStringLiteral("SSTabCfactor"))
            ->setCurrentIndex(Cell("page").toInt());
        if (Cell("typed") == "yes") {
            Choose(*w, "cbofyp", w->tables().MaterialLastRow());
            Choose(*w, "cbofys", w->tables().MaterialLastRow());
        }
        auto* start = w->findChild<QWidget*>(Cell("from"));
        start->setFocus(Qt::MouseFocusReason);
        Settle();
        QTest::keyClick(start, QKeySequence::fromString(Cell("key"))[0].key());
        Settle();
        QCOMPARE(FocusName(), Cell("to"));
        QVERIFY(harness_.said.empty());
    }

    // Longer, shorter, shifted lists from mode to mode: headings land where lines were and back;
    // a failed run ends with its red row, and the ratios change colour with the load.
    void theResultListFollowsEveryRun() {
        auto w = harness_.Start();
        ExpectListShowsTheRecord(*w, w->project());
        QTreeWidgetItem* row = RowStartingWith(*w, QStringLiteral("PL1: UFpb"));
        QCOMPARE(row->foreground(1).color(), QColor(0, 128, 0));
        QVERIFY(row->font(1).bold());
        QVERIFY(RowStartingWith(*w, QStringLiteral("PLATE BUCKLING CONTROL"))->font(0).bold());
        Type(*w, "itau1", QStringLiteral("150"));
        row = RowStartingWith(*w, QStringLiteral("PL1: UFpb"));
        QVERIFY(row->text(1).toDouble() > 1.0);
        QCOMPARE(row->foreground(1).color(), QColor(128, 0, 0));
        QVERIFY(row->text(0).contains(QStringLiteral("(150.0/")));
        Click(*w, "def_chbox");
        for (const char* mode : {"optBuckling3", "optbuckling1", "optbuckling2", "optBuckling3"}) {
            Click(*w, mode);
            ExpectListShowsTheRecord(*w, w->project());
        }
        Type(*w, "isigx1", QStringLiteral("-400"));
        Type(*w, "isigx2", QStringLiteral("-400"));
        ExpectListShowsTheRecord(*w, w->project());
        QTreeWidgetItem* last = List(*w)->topLevelItem(List(*w)->topLevelItemCount() - 1);
        QVERIFY(last->text(0).startsWith(QStringLiteral("Calculation stopped")));
        QCOMPARE(last->foreground(0).color(), QColor(255, 0, 0));
        Type(*w, "isigx1", QStringLiteral("-100"));
        Type(*w, "isigx2", QStringLiteral("-100"));
        ExpectListShowsTheRecord(*w, w->project());
        QVERIFY(harness_.said.empty());
    }

    // The recent list in the per-user settings file, named after the application alone, in a
    // group of its own (the list itself is followed through the File menu's steps).
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
    }

private:
    Harness harness_;
    QString answer_;
    QStringList asked_;
    UrlCatcher urls_;
};

QTEST_MAIN(MainWindowTest)
#include "test_mainwindow.moc"
