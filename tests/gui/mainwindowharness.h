// Drives the main window offscreen by object name: a data folder and a settings store of its own,
// message boxes caught by the hook, typing and leaving fields as a user does.
#pragma once

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "ui/mainwindow.h"
#include "ui/messages.h"

namespace kelvortest {

// Lets deferred handlers (leaving a field, activation) run.
inline void Settle() {
    for (int i = 0; i < 3; ++i) {
        QTest::qWait(5);
    }
}

struct Said {
    QString text;
    kelvor::MessageIcon icon;
    QString refocus;  // object name of the widget the focus went back to
};

class Harness {
public:
    // Once per test executable, before the first window.
    void SetUp() {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(settings_.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings_.path());
        // The start-up run writes dummy.kvo beside dummy.kvi: never into the source tree.
        QVERIFY(data_.isValid());
        const QDir source(QStringLiteral(KELVOR_SOURCE_DATA_DIR));
        for (const QString& name : source.entryList(QDir::Files)) {
            QVERIFY(QFile::copy(source.filePath(name), data_.filePath(name)));
        }
        qputenv("KELVOR_DATA_DIR", data_.path().toLocal8Bit());
        kelvor::SetMessageHook(
            [this](const QString& text, kelvor::MessageIcon icon, QWidget* refocus) {
                said.push_back({text, icon, refocus ? refocus->objectName() : QString()});
                // A window that keeps repeating a message must fail the test, not hang it.
                if (onMessage && said.size() <= 5) {
                    onMessage();
                }
            });
    }

    // A fresh settings store and message list for each test.
    void Reset() {
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

    QStringList Texts() const {
        QStringList texts;
        for (const Said& s : said) {
            texts << s.text;
        }
        return texts;
    }

    QString DataPath() const { return data_.path(); }
    QString SettingsPath() const { return settings_.path(); }

    std::vector<Said> said;
    std::function<void()> onMessage;  // runs inside each message, as a modal box would

private:
    QTemporaryDir settings_;
    QTemporaryDir data_;
};

inline QLineEdit* Edit(QWidget& w, const char* name) {
    auto* edit = w.findChild<QLineEdit*>(QLatin1String(name));
    if (!edit) {
        qWarning("no field %s", name);
    }
    return edit;
}

inline QString FocusName() {
    QWidget* focus = QApplication::focusWidget();
    return focus ? focus->objectName() : QString();
}

// Click into the field, type over its text, leave it with Tab.
inline void Type(QWidget& w, const char* name, const QString& text) {
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

}  // namespace kelvortest
