// A stand-in for the main window: the project and the shipped tables, a plain window to own the
// dialogs, and the messages that would have been shown.
#pragma once

#include <QStringList>
#include <QWidget>

#include "core/calculate.h"
#include "core/project.h"
#include "core/session.h"
#include "core/tables.h"
#include "ui/messages.h"
#include "ui/projecthost.h"

namespace kelvor::test {

class FakeHost : public ProjectHost {
public:
    FakeHost() {
        StartupEnvironment env;
        env.dataFolder = KELVOR_SOURCE_DATA_DIR;
        StartUp(p, t, env);
        Calculate(p, t);
        owner.setGeometry(100, 100, 900, 700);
    }

    Project& project() override { return p; }
    const Tables& tables() const override { return t; }
    void Recalculate() override {
        Calculate(p, t);
        ++recalculations;
    }
    void RefreshInputFields() override { ++refreshes; }

    Project p;
    Tables t;
    QWidget owner;
    int recalculations = 0;
    int refreshes = 0;
};

// Every message and the object name of the widget it sends the focus back to.
struct Messages {
    QStringList texts;
    QStringList refocus;

    Messages() {
        SetMessageHook([this](const QString& text, MessageIcon icon, QWidget* field) {
            texts << text;
            refocus << (field ? field->objectName() : QString());
            if (icon != MessageIcon::Exclamation) {
                texts << QStringLiteral("(not an exclamation)");
            }
        });
    }
    ~Messages() { SetMessageHook({}); }
};

}  // namespace kelvor::test
