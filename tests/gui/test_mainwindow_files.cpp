// The File and Help menus of the main window: save, new, open and the recent list, the caption,
// the failures, the manuals and the about box.
#include <QAction>
#include <QDesktopServices>
#include <QMenu>

#include "core/project.h"
#include "mainwindowharness.h"
#include "ui/filemenu.h"

using namespace kelvor;
using namespace kelvortest;

namespace {

QAction* Action(QWidget& w, const QString& name) {
    auto* action = w.findChild<QAction*>(name);
    if (!action) {
        qWarning("no action %s", qPrintable(name));
    }
    return action;
}

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

}  // namespace

// Receives the manuals the window opens instead of the desktop.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

class MainWindowFilesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        harness_.SetUp();
        SetFileDialogHook(
            [this](FileDialogKind kind, const QString& folder, const QString& preset) {
                asked_ << Asked{kind, folder, preset};
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

    void saveNewOpenRoundTripWithTheRecentList() {
        auto w = harness_.Start();
        QVERIFY(!Action(*w, QStringLiteral("mnurecentfile0"))->isVisible());
        Type(*w, "it", QStringLiteral("14"));
        Edit(*w, "iproj")->setText(QStringLiteral("Deck panel"));  // saved without leaving it

        const QString a = dir_.filePath(QStringLiteral("a.kelvo"));
        answer_ = a;
        Trigger(*w, "mnusave");
        QCOMPARE(asked_.size(), 1);
        QCOMPARE(asked_[0].kind, FileDialogKind::Save);
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
        QCOMPARE(asked_.size(), 2);
        QCOMPARE(asked_[1].kind, FileDialogKind::Open);
        QCOMPARE(asked_[1].preset, QStringLiteral("*.kelvo"));
        QCOMPARE(w->project().t, 15.0f);
        QCOMPARE(Edit(*w, "it")->text(), QStringLiteral("15.0"));
        QCOMPARE(Edit(*w, "iproj")->text(), QStringLiteral("Deck panel"));
        QCOMPARE(RecentCaptions(*w), QStringList{"1. " + a});  // already entry 1

        // Save As under another name, then the recent entry of the first file.
        const QString b = dir_.filePath(QStringLiteral("b&c.kelvo"));
        answer_ = b;
        Trigger(*w, "mnusaveas");
        QCOMPARE(asked_[2].kind, FileDialogKind::SaveAs);
        QCOMPARE(asked_[2].preset, a);
        QCOMPARE(w->windowTitle(), QStringLiteral("Kelvor: ") + b);
        // A menu would read the "&" of a path as an access key.
        QCOMPARE(RecentCaptions(*w),
                 (QStringList{"1. " + QString(b).replace('&', "&&"), "2. " + a}));
        Type(*w, "it", QStringLiteral("30"));
        Trigger(*w, "mnurecentfile2");
        QCOMPARE(w->project().t, 15.0f);
        QCOMPARE(w->windowTitle(), QStringLiteral("Kelvor: ") + a);
        QCOMPARE(RecentCaptions(*w),
                 (QStringList{"1. " + a, "2. " + QString(b).replace('&', "&&")}));
        QVERIFY(harness_.said.empty());
    }

    void failuresLeaveTheProjectAsItWas() {
        auto w = harness_.Start();
        Type(*w, "it", QStringLiteral("12"));
        const QString missing = dir_.filePath(QStringLiteral("gone.kelvo"));
        answer_ = missing;
        Trigger(*w, "mnuopen");
        QCOMPARE(harness_.Texts(), QStringList{"can't find file - " + missing});
        QCOMPARE(w->project().t, 12.0f);
        QCOMPARE(w->project().ProjectFile, std::string("New File"));
        QCOMPARE(w->windowTitle(), QStringLiteral("Kelvor: New File"));

        const QString broken = dir_.filePath(QStringLiteral("broken.kelvo"));
        QFile file(broken);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("202\r\n\"P\"\r\n");
        file.close();
        harness_.said.clear();
        answer_ = broken;
        Trigger(*w, "mnuopen");
        QCOMPARE(harness_.said.size(), std::size_t{1});
        QVERIFY(harness_.said[0].text.startsWith("can't read file - " + broken));
        QCOMPARE(w->project().t, 12.0f);

        harness_.said.clear();
        const QString unwritable = dir_.filePath(QStringLiteral("no/such/folder/x.kelvo"));
        answer_ = unwritable;
        Trigger(*w, "mnusaveas");
        QCOMPARE(harness_.Texts(), QStringList{"can't save file - " + unwritable});
        QCOMPARE(w->project().ProjectFile, std::string("New File"));
        QVERIFY(!Action(*w, QStringLiteral("mnurecentfile1"))->isVisible());

        // A cancelled dialog writes nothing.
        harness_.said.clear();
        answer_.clear();
        Trigger(*w, "mnusave");
        QVERIFY(harness_.said.empty());
        QCOMPARE(w->project().ProjectFile, std::string("New File"));
    }

    void aRecentFileThatIsGoneIsReported() {
        auto w = harness_.Start();
        const QString path = dir_.filePath(QStringLiteral("temporary.kelvo"));
        answer_ = path;
        Trigger(*w, "mnusave");
        QVERIFY(QFile::remove(path));
        Type(*w, "it", QStringLiteral("11"));
        Trigger(*w, "mnurecentfile1");
        QCOMPARE(harness_.Texts(), QStringList{"can't find file - " + path});
        QCOMPARE(w->project().t, 11.0f);
    }

    void commandLineOpensAProjectAndRemembersIt() {
        const QString path = dir_.filePath(QStringLiteral("given.kelvo"));
        {
            auto w = harness_.Start();
            Type(*w, "is1", QStringLiteral("700"));
            answer_ = path;
            Trigger(*w, "mnusaveas");
        }
        harness_.Reset();
        auto w = harness_.Start();
        QCOMPARE(w->project().s1, 625.0f);
        QVERIFY(w->OpenFile(path));
        QCOMPARE(w->project().s1, 700.0f);
        QCOMPARE(Edit(*w, "is1")->text(), QStringLiteral("700"));
        QCOMPARE(w->windowTitle(), QStringLiteral("Kelvor: ") + path);
        QCOMPARE(RecentCaptions(*w), QStringList{"1. " + path});
        QVERIFY(!w->OpenFile(dir_.filePath(QStringLiteral("nothing.kelvo"))));
        QCOMPARE(w->project().s1, 700.0f);
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
        QCOMPARE(harness_.Texts(),
                 QStringList{"can't find file - " + help + "Kelvor Database.pdf"});
        QCOMPARE(harness_.said[0].icon, MessageIcon::Exclamation);

        harness_.said.clear();
        Trigger(*w, "mnuabout");
        QCOMPARE(harness_.said.size(), std::size_t{1});
        QVERIFY(harness_.said[0].text.startsWith(QStringLiteral("Kelvor ")));
        QVERIFY(harness_.said[0].text.contains(QRegularExpression(QStringLiteral("\\d+\\.\\d+"))));
    }

    void menusCarryTheirCaptions_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        const char* const entries[][2] = {
            {"mnunew", "&New"},
            {"mnuopen", "&Open"},
            {"mnusave", "&Save"},
            {"mnusaveas", "Save &As"},
            {"mnuexit", "&Exit"},
            {"mnuexportpdf", "Export &PDF..."},
            {"mnuprbu1", "Buckling "},
            {"mnuprS", "Scantling"},
            {"mnuprbu2", "Scantling/Yield"},
            {"mnuprSc1", "Buckling/Scantling/Yield"},
            {"mnustiffl", "&L-table"},
            {"mnustiffib", "I-built-up"},
            {"mnustiffusp", "&Trapez-profile"},
            {"mnugirdL", "L- Girder"},
            {"mnugirdT", "T - Girder"},
            {"mnuprintbuckling2", "Scantling/Yield "},
            {"mnuprintS", "Scantling"},
            {"mnuTheory", "Theory Manual"},
            {"mnuDatabaseDoc", "Database File"},
        };
        for (const auto& [name, caption] : entries) {
            QTest::newRow(name) << name << caption;
        }
    }
    void menusCarryTheirCaptions() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        auto w = harness_.Start();
        QCOMPARE(Action(*w, name)->text(), caption);
        QVERIFY(w->findChild<QMenu*>(QStringLiteral("mnuProfile")));
    }

private:
    struct Asked {
        FileDialogKind kind;
        QString folder;
        QString preset;
    };
    Harness harness_;
    QTemporaryDir dir_;
    QString answer_;
    QList<Asked> asked_;
    UrlCatcher urls_;
};

QTEST_MAIN(MainWindowFilesTest)
#include "test_mainwindow_files.moc"
