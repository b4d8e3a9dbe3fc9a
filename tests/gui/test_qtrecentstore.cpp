// The recent-file list in the per-user settings file, under a temporary settings folder.
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "qt/qtrecentstore.h"

using namespace kelvor;

class QtRecentStoreTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.path());
    }

    void init() { QFile::remove(dir_.filePath(QStringLiteral("kelvo.conf"))); }

    void writesOneFileNamedAfterTheApplicationAlone() {
        {
            QtRecentStore store;
            QCOMPARE(store.FileName(), dir_.filePath(QStringLiteral("kelvo.conf")));
            store.Set("RecentFile1", "/home/u/a b.kelvo");
        }
        QFile file(dir_.filePath(QStringLiteral("kelvo.conf")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray content = file.readAll();
        QVERIFY(content.contains("[Recent%20Files]"));
        QVERIFY(content.contains("RecentFile1=/home/u/a b.kelvo"));
        QVERIFY(!QFile::exists(dir_.filePath(QStringLiteral("Unknown Organization"))));
    }

    void keepsTheListAcrossInstances() {
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

    void readsOnlyItsOwnGroup() {
        QSettings other(QSettings::UserScope, QStringLiteral("kelvo"));
        other.setValue(QStringLiteral("Elsewhere/RecentFile1"), QStringLiteral("/x"));
        other.sync();
        QtRecentStore store;
        QVERIFY(store.Values().empty());
        QVERIFY(RecentEntries(store).empty());
    }

private:
    QTemporaryDir dir_;
};

QTEST_GUILESS_MAIN(QtRecentStoreTest)
#include "test_qtrecentstore.moc"
