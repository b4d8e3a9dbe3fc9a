// What the GUI tests share: the message boxes caught, a stand-in main window for the dialogs, the
// real main window offscreen with a data folder and settings store of its own, typing as a user
// does, and tables under tests/data/gui turned into QtTest rows.
#pragma once

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>
#include <memory>

#include "../support/datatable.h"
#include "core/calculate.h"
#include "core/session.h"
#include "ui/mainwindow.h"
#include "ui/messages.h"

namespace guitest {

using kelvor::MessageIcon;

// The column names of the table the running test reads, set by AddRows in its _data function.
inline QStringList& Columns() {
    static QStringList columns;
    return columns;
}

// A row per line of tests/data/gui/TABLE, tagged with its place in the file and first cells, its
// cells read by Cell and the names of its columns (the note column need not be named).
inline void AddRows(const char* table, const QStringList& columns) {
    Columns() = columns;
    QTest::addColumn<QStringList>("row");
    for (const testdata::Row& r : testdata::ReadTable(std::string("gui/") + table)) {
        QStringList cells;
        for (const std::string& cell : r.cells) {
            cells << QString::fromStdString(cell);
        }
        QTest::newRow((r.where + " " + r[0] + " " + r[1]).c_str()) << cells;
    }
}

inline QString Cell(const char* column) {
    QFETCH(QStringList, row);
    return row.value(Columns().indexOf(QLatin1String(column)));
}

// A list cell: entries split at '|', none when empty.
inline QStringList List(const QString& cell) {
    return cell.split('|', Qt::SkipEmptyParts);
}

// A message of the program from tests/data/gui/messages.tsv, with {path} filled in.
inline QString Message(const char* key, const QString& path = {}) {
    for (const testdata::Row& r : testdata::ReadTable("gui/messages.tsv")) {
        if (r[0] == key) {
            return QString::fromStdString(r[1]).replace(QStringLiteral("{path}"), path);
        }
    }
    qWarning("no message %s", key);
    return {};
}

struct Said {
    QString text;
    MessageIcon icon;
    QString refocus;  // object name of the widget the focus went back to
};

// Every message in place of its box, for as long as it lives.
struct Messages {
    std::vector<Said> said;
    std::function<void()> onMessage;  // runs inside each message, as a modal box would

    Messages() {
        kelvor::SetMessageHook([this](const QString& text, MessageIcon icon, QWidget* refocus) {
            said.push_back({text, icon, refocus ? refocus->objectName() : QString()});
            // A window that keeps repeating a message must fail the test, not hang it.
            if (onMessage && said.size() <= 5) {
                onMessage();
            }
        });
    }
    ~Messages() { kelvor::SetMessageHook({}); }
    // Every warning says so by its icon: any other icon is marked after the text.
    QStringList Texts() const {
        QStringList texts;
        for (const Said& s : said) {
            texts << s.text;
            if (s.icon != MessageIcon::Exclamation) {
                texts << QStringLiteral("(not an exclamation)");
            }
        }
        return texts;
    }
};

// A stand-in for the main window: the project and the shipped tables, a plain window to own the
// dialogs, and a count of the runs and refreshes asked for.
class FakeHost : public kelvor::ProjectHost {
public:
    FakeHost() {
        kelvor::StartupEnvironment env;
        env.dataFolder = KELVOR_SOURCE_DATA_DIR;
        kelvor::StartUp(p, t, env);
        kelvor::Calculate(p, t);
        owner.setGeometry(100, 100, 900, 700);
    }
    kelvor::Project& project() override { return p; }
    const kelvor::Tables& tables() const override { return t; }
    void Recalculate() override {
        kelvor::Calculate(p, t);
        ++recalculations;
    }
    void RefreshInputFields() override { ++refreshes; }

    kelvor::Project p;
    kelvor::Tables t;
    QWidget owner;
    int recalculations = 0;
    int refreshes = 0;
};

// Lets deferred handlers (leaving a field, activation) run.
inline void Settle() {
    for (int i = 0; i < 3; ++i) {
        QTest::qWait(5);
    }
}

// The real main window. The start-up run writes dummy.kvo beside dummy.kvi, so the window reads
// a copy of the data folder, never the source tree.
class Harness : public Messages {
public:
    void SetUp() {  // once per executable, before the first window
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(settings_.isValid() && data_.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings_.path());
        const QDir source(QStringLiteral(KELVOR_SOURCE_DATA_DIR));
        for (const QString& name : source.entryList(QDir::Files)) {
            QVERIFY(QFile::copy(source.filePath(name), data_.filePath(name)));
        }
        qputenv("KELVOR_DATA_DIR", data_.path().toLocal8Bit());
    }
    void Reset() {  // a fresh settings store and message list for each test
        said.clear();
        onMessage = nullptr;
        QFile::remove(QDir(settings_.path()).filePath(QStringLiteral("kelvo.conf")));
    }
    std::unique_ptr<kelvor::MainWindow> Start() {
        auto w = std::make_unique<kelvor::MainWindow>();
        w->show();
        w->StartUp();
        w->activateWindow();
        if (!QTest::qWaitForWindowActive(w.get())) {
            qWarning("the window did not become active");
        }
        Settle();
        said.clear();
        return w;
    }
    QString SettingsPath() const { return settings_.path(); }

private:
    QTemporaryDir settings_;
    QTemporaryDir data_;
};

inline QLineEdit* Edit(QWidget& w, const QString& name) {
    auto* edit = w.findChild<QLineEdit*>(name);
    if (!edit) {
        qWarning("no field %s", qPrintable(name));
    }
    return edit;
}

inline QString FocusName() {
    QWidget* focus = QApplication::focusWidget();
    return focus ? focus->objectName() : QString();
}

// Click into the field, type over its text, leave it with Tab.
inline void Type(QWidget& w, const QString& name, const QString& text) {
    QLineEdit* edit = Edit(w, name);
    edit->setFocus(Qt::MouseFocusReason);
    Settle();
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Tab);
    Settle();
}

// Chooses a list entry as the user does (the `activated` signal, not a programmatic change).
inline void Choose(QWidget& w, const char* list, int index) {
    auto* combo = w.findChild<QComboBox*>(QLatin1String(list));
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

}  // namespace guitest
