// What the GUI tests share: the message boxes caught, a stand-in main window for the dialogs, the
// real main window offscreen with a data folder and settings store of its own, typing as a user
// does, and tables under tests/data/gui turned into QtTest rows.
#pragma once

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>
#include <functional>
#include <memory>
#include <optional>

#include "../support/datatable.h"
#include "engine/calculate.h"
#include "engine/session.h"
#include "ui/mainwindow.h"
#include "ui/messages.h"

namespace guitest {

// The main window's result list, and its first row whose text starts so (null: none).
inline QTreeWidget* List(QWidget& w) {
    return w.findChild<QTreeWidget*>(QStringLiteral("ListView1"));
}

inline QTreeWidgetItem* RowStartingWith(QWidget& w, const QString& start) {
    for (int i = 0; i < List(w)->topLevelItemCount(); ++i) {
        if (List(w)->topLevelItem(i)->text(0).startsWith(start)) {
            return List(w)->topLevelItem(i);
        }
    }
    return nullptr;
}

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

struct Said {
    QString text;
    MessageIcon icon;
    QString refocus;  // object name of the widget the focus went back to
};

// Every message in place of its box, for as long as it lives; a question (before work would be
// lost, before a file is replaced) is answered with `reply` and kept in `asked`, a file dialog
// with `file` (none: the path it proposes, as when the user just accepts it) and kept in `files`.
struct Messages {
    std::vector<Said> said;
    std::function<void()> onMessage;  // runs inside each message, as a modal box would
    QStringList asked;
    kelvor::SaveAnswer reply = kelvor::SaveAnswer::Discard;
    std::optional<QString> file;
    QStringList files;  // "TITLE: PATH"

    Messages() {
        kelvor::SetFileHook([this](const kelvor::FileQuestion& q) {
            files << q.title + QStringLiteral(": ") + q.path;
            return file.value_or(q.path);
        });
        kelvor::SetQuestionHook([this](const QString& text) {
            asked << text;
            return reply;
        });
        kelvor::SetMessageHook([this](const QString& text, MessageIcon icon, QWidget* refocus) {
            said.push_back({text, icon, refocus ? refocus->objectName() : QString()});
            // A window that keeps repeating a message must fail the test, not hang it.
            if (onMessage && said.size() <= 5) {
                onMessage();
            }
        });
    }
    ~Messages() {
        kelvor::SetMessageHook({});
        kelvor::SetQuestionHook({});
        kelvor::SetFileHook({});
    }
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
inline void Settle(int rounds = 3) {
    for (int i = 0; i < rounds; ++i) {
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
        asked.clear();
        reply = kelvor::SaveAnswer::Discard;
        file.reset();
        files.clear();
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
    return w.findChild<QLineEdit*>(name);
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

// Clicks a button near its left end (a radio button or check box answers only over its mark and
// text), anything else near its corner.
inline void Click(QWidget* target) {
    const bool button = qobject_cast<QAbstractButton*>(target) != nullptr;
    QTest::mouseClick(target, Qt::LeftButton, {},
                      button ? QPoint(8, target->height() / 2) : QPoint(3, 3));
    Settle();
}

// The cases of a steps table, one row each (column "number").
inline void AddCases(const char* table) {
    QTest::addColumn<int>("number");
    const auto cases = testdata::GroupByFirstCell(testdata::ReadTable(std::string("gui/") + table));
    for (std::size_t i = 0; i < cases.size(); ++i) {
        QTest::newRow(cases[i][0][0].c_str()) << static_cast<int>(i);
    }
}

// A step the kind of window adds: false when it does not know the step; `shown` is compared
// with the value.
using OwnStep = std::function<bool(const QString& step, const QString& name, const QString& value,
                                   QString& shown)>;

// Runs the current case of a steps table (CASE STEP NAME VALUE NOTE; an empty case cell
// continues the case; mainwindow_steps.tsv tells the steps), {dir} standing for a folder of its
// own. Names are looked up in `window()`, the record is `host()`'s.
inline void RunCase(const char* table, const std::function<QWidget*()>& window,
                    const std::function<kelvor::ProjectHost&()>& host, Messages& said,
                    const OwnStep& own) {
    QFETCH(int, number);
    QTemporaryDir dir;
    const auto at = [&dir](const std::string& cell) {
        return QString::fromStdString(cell).replace(QStringLiteral("{dir}"), dir.path());
    };
    const auto cases = testdata::GroupByFirstCell(testdata::ReadTable(std::string("gui/") + table));
    for (const testdata::Row& r : cases[static_cast<std::size_t>(number)]) {
        const QString step = at(r[1]), name = at(r[2]), value = at(r[3]);
        QWidget* w = window();
        auto* edit = w->findChild<QLineEdit*>(name);
        QString shown = value;  // what the window shows, for the steps that look
        if (own(step, name, value, shown)) {
        } else if (step == "type") {
            Type(*w, name, value);
        } else if (step == "keys") {
            edit->setFocus(Qt::MouseFocusReason);
            Settle();
            QTest::keyClicks(edit, value);
        } else if (step == "key") {  // with its modifiers: "Ctrl+Shift+Z"
            const QKeyCombination key = QKeySequence::fromString(value)[0];
            QTest::keyClick(w->findChild<QWidget*>(name), key.key(), key.keyboardModifiers());
            Settle();
        } else if (step == "text") {
            edit->setText(value);
        } else if (step == "click") {
            Click(name.isEmpty() ? w : w->findChild<QWidget*>(name));
        } else if (step == "shut") {  // a dialog by its close box
            w->findChild<QWidget*>(name)->close();
            Settle();
        } else if (step == "set") {
            testdata::SetFields(host().project(), value.toStdString());
        } else if (step == "write") {
            QFile file(name);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(value.toUtf8()) == value.size());
        } else if (step == "remove") {
            QVERIFY(QFile::remove(name) || QDir().rmdir(name));
        } else if (step == "field") {
            shown = edit->text();
        } else if (step == "colour") {
            shown = edit->palette().color(QPalette::Base).name();
        } else if (step == "selected") {
            shown = edit->selectedText();
        } else if (step == "label") {
            auto* label = w->findChild<QLabel*>(name);
            shown = label ? label->text() : QStringLiteral("(no label)");
        } else if (step == "record") {
            shown =
                QString::fromStdString(testdata::FieldText(host().project(), name.toStdString()));
        } else if (step == "is") {  // object.property; no object name: the window
            const QStringList parts = name.split('.');
            QObject* object = parts[0].isEmpty() ? w : w->findChild<QObject*>(parts[0]);
            shown = object->property(parts[1].toLatin1()).toString();
        } else if (step == "messages") {
            shown = said.Texts().join('|');
            said.said.clear();
        } else if (step == "focus") {
            shown = FocusName();
        } else if (step == "reply") {  // to the questions from now on
            said.reply = name == "save"     ? kelvor::SaveAnswer::Save
                         : name == "cancel" ? kelvor::SaveAnswer::Cancel
                                            : kelvor::SaveAnswer::Discard;
        } else if (step == "questions") {
            shown = said.asked.join('|');
            said.asked.clear();
        } else if (step == "choosefile") {  // what the file dialogs return; "-" what they propose
            said.file = value == "-" ? std::nullopt : std::optional<QString>(value);
        } else if (step == "dialogs") {
            shown = said.files.join('|');
            said.files.clear();
        } else {
            QFAIL(qPrintable("no step " + step));
        }
        QVERIFY2(shown == value, qPrintable(QString::fromStdString(r.where) + ": " + step + " " +
                                            name + " shows [" + shown + "], not [" + value + "]"));
    }
}

}  // namespace guitest
