// The profile dialogs against a stand-in main window: limits on leaving a field and on closing,
// the focus, the Enter cycle, the figure switch, table rows, the families, the girder dialogs and
// what Cancel puts back.
#include <QLabel>
#include <QPointer>
#include <QPushButton>

#include "core/numformat.h"
#include "guitest.h"
#include "profiles/profiles.h"
#include "ui/profiledialog.h"
#include "ui/windowlinks.h"

using namespace kelvor;
using namespace guitest;

namespace {

ProfileDialog* Open(FakeHost& host, const QString& name) {
    ShowProfileDialog(host, &host.owner, name);
    ProfileDialog* d = nullptr;
    for (ProfileDialog* c : host.owner.findChildren<ProfileDialog*>(name)) {
        d = c->closing() ? d : c;
    }
    if (d != nullptr && QTest::qWaitForWindowActive(d)) {
        QCoreApplication::processEvents();
    }
    return d;
}

QLineEdit* Field(QWidget* d, const QString& name) {
    return d->findChild<QLineEdit*>(name);
}

QString LabelText(QWidget* d, const QString& name) {
    auto* label = d->findChild<QLabel*>(name);
    return label ? label->text() : QStringLiteral("(no label)");
}

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

void Type(QLineEdit* field, const QString& text) {
    field->setFocus();
    QCoreApplication::processEvents();
    field->selectAll();
    QTest::keyClicks(field, text);
}

QPushButton* Ok(QWidget* d) {
    return d->findChild<QPushButton*>(QStringLiteral("Command1"));
}

// Types into a field and leaves it for OK, as a click elsewhere would.
void TypeAndLeave(QWidget* d, const QString& field, const QString& text) {
    Type(Field(d, field), text);
    Ok(d)->setFocus();
    QCoreApplication::processEvents();
}

float Stored(const Project& p, const QString& dialog, const QString& field) {
    for (const InputField& f : DialogFamilyNamed(dialog.toStdString())->fields) {
        if (field == QLatin1String(f.name)) {
            return p.*f.value;
        }
    }
    return -1;
}

// "name=value;...": entries split at ';', then at the first '='; an entry without one is skipped.
QList<QStringList> Pairs(const QString& cell) {
    QList<QStringList> pairs;
    for (const QString& entry : cell.split(';', Qt::SkipEmptyParts)) {
        const int eq = entry.indexOf('=');
        if (eq > 0) {
            pairs << QStringList{entry.left(eq), entry.mid(eq + 1)};
        }
    }
    return pairs;
}

bool Gone(QPointer<ProfileDialog>& d) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return d.isNull();
}

}  // namespace

class ProfileDialogTest : public QObject {
    Q_OBJECT

private slots:
    void leavingAField_data() {
        AddRows("profile_leaving.tsv", {"dialog", "field", "typed", "message", "stored", "shown"});
    }
    void leavingAField() {
        FakeHost host;
        Messages said;
        const float before = Stored(host.p, Cell("dialog"), Cell("field"));
        ProfileDialog* d = Open(host, Cell("dialog"));
        QVERIFY(d);
        const int runs = host.recalculations;
        TypeAndLeave(d, Cell("field"), Cell("typed"));
        QCOMPARE(said.Texts(), List(Cell("message")));
        QLineEdit* edit = Field(d, Cell("field"));
        QCOMPARE(edit->text(), Cell("shown"));
        QCOMPARE(d->focusWidget() == edit, !Cell("message").isEmpty());
        QCOMPARE(edit->palette().color(QPalette::Base) == QColor(255, 255, 192),
                 !Cell("message").isEmpty());
        const bool kept = Cell("stored") == "-" || Cell("stored") == "=";
        QCOMPARE(Stored(host.p, Cell("dialog"), Cell("field")),
                 kept ? before : Cell("stored").toFloat());
        if (Cell("stored") != "=") {
            QCOMPARE(host.recalculations > runs, Cell("stored") != "-");
        }
        if (Cell("dialog").startsWith("stiff") && Cell("field") == "isth" && !kept) {
            QCOMPARE(host.p.StiffH, Cell("stored").toFloat());
        }
    }

    void closingCheck_data() {
        AddRows("profile_closing.tsv", {"dialog", "left", "editing", "messages", "stored"});
    }
    void closingCheck() {
        FakeHost host;
        Messages said;
        QPointer<ProfileDialog> d = Open(host, Cell("dialog"));
        QVERIFY(d);
        for (const QStringList& entry : Pairs(Cell("left"))) {
            TypeAndLeave(d, entry[0], entry[1]);
        }
        for (const QStringList& entry : Pairs(Cell("editing"))) {
            Type(Field(d, entry[0]), entry[1]);
        }
        const int runs = host.recalculations;
        if (Cell("editing") == "box") {
            d->close();
        } else {
            QTest::mouseClick(Ok(d), Qt::LeftButton);
        }
        QCOMPARE(said.Texts(), List(Cell("messages")));
        QVERIFY(Gone(d));
        QVERIFY(host.recalculations > runs);
        for (const QStringList& entry : Pairs(Cell("stored"))) {
            QCOMPARE(Stored(host.p, Cell("dialog"), entry[0]), entry[1].toFloat());
        }
    }

    void steps_data() { AddCases("profile_steps.tsv"); }
    void steps() {
        FakeHost host;
        Messages said;
        QPointer<ProfileDialog> d;
        int mark = 0;
        RunCase(
            "profile_steps.tsv", [&] { return d ? static_cast<QWidget*>(d) : &host.owner; },
            [&]() -> ProjectHost& { return host; }, said,
            [&](const QString& step, const QString& name, const QString& value, QString& shown) {
                const auto yes = [](bool b) { return b ? QStringLiteral("true") : "false"; };
                if (step == "open") {
                    d = Open(host, name);
                } else if (step == "activate") {
                    d = host.owner.findChild<ProfileDialog*>(name);
                    d->activateWindow();
                    (void)QTest::qWaitForWindowActive(d);
                    Settle();
                } else if (step == "choose") {
                    d->findChild<QComboBox*>(name)->setCurrentIndex(value.toInt());
                } else if (step == "plate") {
                    // Ws_sw is held in single precision and shown so.
                    const Project& p = host.p;
                    const bool sw = value == "sw";
                    const QString want =
                        Q(Format(sw ? p.sw : p.se, "0.0") + " mm|" +
                          (sw ? Format(p.Ws_sw, "0.000E+0") : Format(p.Wes, "0.000E+0")) + " mm3|" +
                          Format(sw ? p.zp_sw : p.zp, "##0.0") + " mm (el)");
                    const QString got = LabelText(d, "stse") + "|" + LabelText(d, "stwes") + "|" +
                                        LabelText(d, "stzp");
                    shown = got == want ? value : got;
                } else if (step == "iz") {
                    const QString iz = LabelText(d, "stiz");
                    shown = iz == "(no label)" ? "none" : iz.section(' ', 1);
                } else if (step == "leave") {
                    TypeAndLeave(d, name, value);
                } else if (step == "closeall") {
                    CloseProfileDialogs(&host.owner);
                } else if (step == "run") {
                    host.Recalculate();
                } else if (step == "setup") {  // as an opened project has its profiles
                    ApplyProfilesAndMaterials(host.p, host.t);
                    host.Recalculate();
                } else if (step == "mark") {
                    mark = host.recalculations;
                } else if (step == "runs") {
                    shown = QString::number(host.recalculations - mark);
                } else if (step == "dialogs") {
                    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                    shown = QString::number(host.owner.findChildren<ProfileDialog*>(name).size());
                } else if (step == "centred") {
                    const QPoint off =
                        d->frameGeometry().center() - host.owner.frameGeometry().center();
                    shown = yes(off.manhattanLength() < 40);
                } else if (step == "failed") {
                    shown = yes(host.p.CalcFailure.has_value());
                } else if (step == "blank") {
                    shown = yes(LabelText(d, name).isEmpty());
                } else if (step == "caption") {
                    QStringList captions;
                    for (QLabel* label : d->findChildren<QLabel*>()) {
                        captions << label->text();
                    }
                    shown = yes(captions.contains(name));
                } else {
                    return false;
                }
                return true;
            });
    }
};

QTEST_MAIN(ProfileDialogTest)
#include "test_profiledialogs.moc"
