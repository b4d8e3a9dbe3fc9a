// The profile dialogs against a stand-in main window: limits on leaving a field and on closing,
// the focus, the Enter cycle, the figure switch, table rows and the girder dialogs.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

#include "core/numformat.h"
#include "fakehost.h"
#include "profiles/profiles.h"
#include "ui/profiledialog.h"
#include "ui/windowlinks.h"

using namespace kelvor;
using namespace kelvor::test;

namespace {

ProfileDialog* Open(FakeHost& host, const QString& name) {
    ShowProfileDialog(host, &host.owner, name);
    ProfileDialog* d = nullptr;
    for (ProfileDialog* c : host.owner.findChildren<ProfileDialog*>(name)) {
        if (!c->closing()) {
            d = c;
        }
    }
    if (d != nullptr && QTest::qWaitForWindowActive(d)) {
        QCoreApplication::processEvents();
    }
    return d;
}

QLineEdit* Field(QWidget* d, const QString& name) {
    return d->findChild<QLineEdit*>(name);
}

QString LabelText(QWidget* d, const char* name) {
    auto* label = d->findChild<QLabel*>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("(no label)");
}

void Type(QLineEdit* field, const QString& text) {
    field->setFocus();
    QCoreApplication::processEvents();
    field->selectAll();
    QTest::keyClicks(field, text);
}

// Types into a field and leaves it for "OK", as a click elsewhere would.
void TypeAndLeave(QWidget* d, const QString& field, const QString& text) {
    Type(Field(d, field), text);
    d->findChild<QPushButton*>(QStringLiteral("Command1"))->setFocus();
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

constexpr float kNotTaken = -999;

bool Gone(QPointer<ProfileDialog>& d) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return d.isNull();
}

}  // namespace

class ProfileDialogTest : public QObject {
    Q_OBJECT

private slots:
    void leavingAField_data() {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::addColumn<float>("stored");
        QTest::addColumn<QString>("shown");

        QTest::newRow("H 4") << "stifflb" << "isth" << "4" << " H >= 5 " << 4.0f << "4";
        QTest::newRow("H 5") << "stifflb" << "isth" << "5" << "" << 5.0f << "5";
        QTest::newRow("B 5, one decimal") << "stifflb" << "istb" << "5" << "" << 5.0f << "5.0";
        QTest::newRow("B 4.9") << "stifflb" << "istb" << "4.9" << " B >= 5 " << 4.9f << "4.9";
        QTest::newRow("tw 0.1") << "stifflb" << "isttw" << "0.1" << "" << 0.1f << "0.1";
        QTest::newRow("tw 0.09") << "stifflb" << "isttw" << "0.09" << " tw >= 0.1 " << 0.09f
            << "0.1";
        QTest::newRow("tf 0.05") << "stifflb" << "isttf" << "0.05" << " tf >= 0.1 " << 0.05f
            << "0.1";
        QTest::newRow("tw 0.5 T") << "stifftb" << "isttw" << "0.5" << "" << 0.5f << "0.5";
        QTest::newRow("comma") << "stifflb" << "isttw" << "12,5" << "" << 12.5f << "12.5";
        QTest::newRow("offset 0") << "stiffusp" << "ista" << "0" << "" << 0.0f << "0";
        QTest::newRow("offset -2") << "stiffusp" << "ista" << "-2" << " a >= 0 " << -2.0f << "-2";
        QTest::newRow("RHS t") << "stiffrhs" << "isttw" << "0.05" << " tw >= 0.1 " << 0.05f
            << "0.1";
        QTest::newRow("girder H 4") << "girdtg" << "isth" << "4" << " H >= 5 " << 4.0f << "4";
        QTest::newRow("too large") << "stifflb" << "isth" << "1e99" << "Input string mismatch "
            << kNotTaken << "1e99";
    }

    void leavingAField() {
        QFETCH(QString, dialog);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(float, stored);
        QFETCH(QString, shown);
        FakeHost host;
        Messages messages;
        const float before = Stored(host.p, dialog, field);
        ProfileDialog* d = Open(host, dialog);
        QVERIFY(d);
        const int runs = host.recalculations;
        TypeAndLeave(d, field, typed);

        QCOMPARE(messages.texts, message.isEmpty() ? QStringList() : QStringList{message});
        QLineEdit* edit = Field(d, field);
        QCOMPARE(edit->text(), shown);
        const bool refused = !message.isEmpty();
        QCOMPARE(d->focusWidget() == edit, refused);
        QCOMPARE(edit->palette().color(QPalette::Base) == QColor(255, 255, 192), refused);
        if (stored == kNotTaken) {
            // Not a number: nothing is taken, nothing is calculated.
            QCOMPARE(Stored(host.p, dialog, field), before);
            QCOMPARE(host.recalculations, runs);
            return;
        }
        // A value out of limits is reported, kept and calculated with.
        QCOMPARE(Stored(host.p, dialog, field), stored);
        QVERIFY(host.recalculations > runs);
        if (dialog.startsWith(QLatin1String("stiff")) && field == QLatin1String("isth")) {
            QCOMPARE(host.p.StiffH, stored);
        }
    }

    void closingCheck_data() {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QStringList>("left");
        QTest::addColumn<QString>("editing");
        QTest::addColumn<QStringList>("messages");

        QTest::newRow("tw 0.5") << "stifftb" << QStringList{"isttw=0.5"} << ""
            << QStringList{" tw >= 1 "};
        QTest::newRow("tw 0.5, close box") << "stifftb" << QStringList{"isttw=0.5"} << "box"
            << QStringList{" tw >= 1 "};
        QTest::newRow("B 5") << "stifflb" << QStringList{"istb=5"} << "" << QStringList{};
        QTest::newRow("flat bar: H only") << "stifffb" << QStringList{"isttw=0.5"} << "isth=4"
            << QStringList{" H >= 5 ", " H >= 5 "};
        QTest::newRow("trapezoid: not the offset") << "stiffusp" << QStringList{"isttw=0.5"}
            << "ista=-2" << QStringList{" a >= 0 ", " tw >= 1 "};
        QTest::newRow("I: H, tw, tf") << "stiffib" << QStringList{"isttf=0.5", "isttw=0.2"}
            << "isth=3" << QStringList{" H >= 5 ", " H >= 5 ", " tw >= 1 ", " tf >= 1 "};
        QTest::newRow("T: B before tw") << "stifftb" << QStringList{"isttw=0.5"} << "istb=2"
            << QStringList{" B >= 5 ", " B >= 5 ", " tw >= 1 "};
        QTest::newRow("RHS t") << "stiffrhs" << QStringList{"isttw=0.8"} << ""
            << QStringList{" tw >= 1 "};
        QTest::newRow("L girder tf") << "girdlg" << QStringList{"isttf=0.5"} << ""
            << QStringList{" tf >= 1 "};
        QTest::newRow("edited field is left first") << "stifflb" << QStringList{} << "isth=4"
            << QStringList{" H >= 5 ", " H >= 5 "};
    }

    // Leaving messages come first, in the order the fields were left; then the closing check.
    void closingCheck() {
        QFETCH(QString, dialog);
        QFETCH(QStringList, left);
        QFETCH(QString, editing);
        QFETCH(QStringList, messages);
        FakeHost host;
        Messages shown;
        QPointer<ProfileDialog> d = Open(host, dialog);
        QVERIFY(d);
        for (const QString& entry : left) {
            const QStringList parts = entry.split(QLatin1Char('='));
            TypeAndLeave(d, parts[0], parts[1]);
        }
        const QStringList parts = editing.split(QLatin1Char('='));
        if (parts.size() == 2) {
            Type(Field(d, parts[0]), parts[1]);
        }
        const int runs = host.recalculations;
        if (editing == QLatin1String("box")) {
            d->close();
        } else {
            QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("Command1")),
                              Qt::LeftButton);
        }
        QCOMPARE(shown.texts, messages);
        QVERIFY(Gone(d));
        QVERIFY(host.recalculations > runs);
        for (const QString& entry : left + QStringList{editing}) {
            const QStringList parts = entry.split(QLatin1Char('='));
            if (parts.size() == 2) {
                QCOMPARE(Stored(host.p, dialog, parts[0]), parts[1].toFloat());
            }
        }
    }

    void tTableOpenedAndClosedKeepsItsFamily() {
        FakeHost host;
        Messages shown;
        host.p.StiffProfileType = 1;
        host.p.TTableRow = 5;
        QPointer<ProfileDialog> d = Open(host, QStringLiteral("stifft"));
        QVERIFY(d);
        // Centred over the window that owns it.
        QVERIFY(
            (d->frameGeometry().center() - host.owner.frameGeometry().center()).manhattanLength() <
            40);
        QCOMPARE(d->findChild<QComboBox*>(QStringLiteral("cbo"))->currentIndex(), 5);
        QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
        QVERIFY(Gone(d));
        QVERIFY(shown.texts.isEmpty());
        QCOMPARE(host.p.StiffProfileType, 2);
        QCOMPARE(host.p.TTableRow, 5);
        QCOMPARE(host.p.StiffH, host.t.TTable.rows[5][0]);
    }

    void listChoiceSetsUpTheRow_data() {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<int>("row");
        QTest::newRow("L") << "stiffl" << 3;
        QTest::newRow("bulb flat") << "stiffhp" << 7;
        QTest::newRow("flat bar") << "stifff" << 2;
    }

    void listChoiceSetsUpTheRow() {
        QFETCH(QString, dialog);
        QFETCH(int, row);
        FakeHost host;
        Messages shown;
        ProfileDialog* d = Open(host, dialog);
        const int runs = host.recalculations;
        d->findChild<QComboBox*>(QStringLiteral("cbo"))->setCurrentIndex(row);
        QCOMPARE(host.p.*d->family().row, row);
        QVERIFY(host.recalculations > runs);
        const ProfileRow& r = dialog == QLatin1String("stiffl")    ? host.t.LTable.rows[row]
                              : dialog == QLatin1String("stiffhp") ? host.t.BfTable.rows[row]
                                                                   : host.t.FbTable.rows[row];
        QCOMPARE(host.p.StiffH, r[0]);
        QCOMPARE(LabelText(d, "sth"), QString::fromStdString(Format(r[0], "##0") + " mm"));
        QCOMPARE(LabelText(d, "sta"),
                 QString::fromStdString(Format(host.p.StiffArea, "##0") + " mm2"));
        if (dialog == QLatin1String("stiffhp")) {
            QCOMPARE(LabelText(d, "stc"), QString::fromStdString(Format(r[2], "##0.0") + " mm"));
            QCOMPARE(LabelText(d, "strr"), QString::fromStdString(Format(r[3], "##0.0") + " mm"));
        }
        QVERIFY(shown.texts.isEmpty());
    }

    void enterCyclesThroughTheFields_data() {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QStringList>("cycle");
        const QStringList four{"isth", "istb", "isttw", "isttf"};
        QTest::newRow("L") << "stifflb" << four;
        QTest::newRow("I") << "stiffib" << four;
        QTest::newRow("flat bar") << "stifffb" << QStringList{"isth", "isttw"};
        QTest::newRow("RHS") << "stiffrhs" << QStringList{"isth", "istb", "isttw"};
        QTest::newRow("trapezoid") << "stiffusp" << QStringList{"isth", "istb", "ista", "isttw"};
        QTest::newRow("girder") << "girdtg" << four;
    }

    void enterCyclesThroughTheFields() {
        QFETCH(QString, dialog);
        QFETCH(QStringList, cycle);
        FakeHost host;
        Messages shown;
        ProfileDialog* d = Open(host, dialog);
        Field(d, cycle.front())->setFocus();
        for (int i = 1; i <= cycle.size(); ++i) {
            QTest::keyClick(d->focusWidget(), Qt::Key_Return);
            QCoreApplication::processEvents();
            QCOMPARE(d->focusWidget()->objectName(), cycle[i % cycle.size()]);
        }
        // Enter leaves the field: its value is taken; it never closes the dialog.
        Type(Field(d, cycle.front()), QStringLiteral("321"));
        QTest::keyClick(d->focusWidget(), Qt::Key_Enter);
        QCoreApplication::processEvents();
        QCOMPARE(Stored(host.p, dialog, cycle.front()), 321.0f);
        QVERIFY(d->isVisible());
        QVERIFY(shown.texts.isEmpty());
    }

    void twoFigureClicksRestoreTheCaption_data() {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<bool>("background");
        QTest::newRow("L table") << "stiffl" << false;
        QTest::newRow("I") << "stiffib" << false;
        QTest::newRow("flat bar background") << "stifff" << true;
    }

    void twoFigureClicksRestoreTheCaption() {
        QFETCH(QString, dialog);
        QFETCH(bool, background);
        FakeHost host;
        ProfileDialog* d = Open(host, dialog);
        QWidget* target =
            background ? static_cast<QWidget*>(d) : d->findChild<QWidget*>(QStringLiteral("pic1"));
        QCOMPARE(host.p.FigureToScale, 1);
        QCOMPARE(LabelText(d, "figtoscale"), QStringLiteral("Figure not to scale"));
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(3, 3));
        QCOMPARE(host.p.FigureToScale, 0);
        QCOMPARE(LabelText(d, "figtoscale"), QStringLiteral("Figure to scale"));
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(3, 3));
        QCOMPARE(host.p.FigureToScale, 1);
        QCOMPARE(LabelText(d, "figtoscale"), QStringLiteral("Figure not to scale"));
    }

    void girderDialogEditsItsOwnFamily() {
        FakeHost host;
        Messages shown;
        host.p.GirderProfileType = 1;
        host.Recalculate();
        const float lH = host.p.GirderLBuiltH;
        ProfileDialog* d = Open(host, QStringLiteral("girdtg"));
        QVERIFY(d->findChild<QLabel*>(QStringLiteral("othergirder"))->isVisibleTo(d));
        TypeAndLeave(d, QStringLiteral("isth"), QStringLiteral("900"));
        QCOMPARE(host.p.GirderTBuiltH, 900.0f);
        QCOMPARE(host.p.GirderProfileType, 1);
        QCOMPARE(host.p.GirderH, lH);
        // The properties shown are those of the profile being edited.
        Project t = host.p;
        t.GirderProfileType = 3;
        SetUpGirderProfile(t);
        QCOMPARE(LabelText(d, "sta"), QString::fromStdString(Format(t.GirderArea, "##0") + " mm2"));
        QCOMPARE(LabelText(d, "stse"),
                 QString::fromStdString(Format(t.GirderEffBreadth, "0.0") + " mm"));
        QVERIFY(shown.texts.isEmpty());

        ProfileDialog* l = Open(host, QStringLiteral("girdlg"));
        QVERIFY(!l->findChild<QLabel*>(QStringLiteral("othergirder"))->isVisibleTo(l));
        QCOMPARE(LabelText(l, "stiy"),
                 QString::fromStdString(Format(host.p.GirderIy, "0.000E+0") + " mm4"));
        QStringList captions;
        for (QLabel* label : l->findChildren<QLabel*>()) {
            captions << label->text();
        }
        QVERIFY(captions.contains(QStringLiteral("le =")));
        QVERIFY(captions.contains(QStringLiteral("Weg =")));
        QVERIFY(!captions.contains(QStringLiteral("se =")));
    }

    void plateBlockFollowsTheMode_data() {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("sw");
        QTest::newRow("L, buckling") << "stiffl" << 1 << false;
        QTest::newRow("L, scantling") << "stiffl" << 2 << true;
        QTest::newRow("T built up, both") << "stifftb" << 3 << true;
        QTest::newRow("I, scantling") << "stiffib" << 2 << false;
        QTest::newRow("flat bar, scantling") << "stifff" << 2 << false;
        QTest::newRow("RHS, both") << "stiffrhs" << 3 << false;
        QTest::newRow("trapezoid") << "stiffusp" << 1 << false;
    }

    void plateBlockFollowsTheMode() {
        QFETCH(QString, dialog);
        QFETCH(int, mode);
        QFETCH(bool, sw);
        FakeHost host;
        host.p.AnalysisMode = mode;
        ProfileDialog* d = Open(host, dialog);
        const Project& p = host.p;
        QCOMPARE(LabelText(d, "stse"),
                 QString::fromStdString(Format(sw ? p.sw : p.se, "0.0") + " mm"));
        // Ws_sw is held in single precision and shown so.
        QCOMPARE(LabelText(d, "stwes"),
                 QString::fromStdString(
                     (sw ? Format(p.Ws_sw, "0.000E+0") : Format(p.Wes, "0.000E+0")) + " mm3"));
        QCOMPARE(LabelText(d, "stzp"),
                 QString::fromStdString(Format(sw ? p.zp_sw : p.zp, "##0.0") + " mm (el)"));
        // Iz only where the family has a flange; the I's is that of one flange.
        const QString iz = LabelText(d, "stiz");
        const bool flange = dialog != "stifff" && dialog != "stiffrhs" && dialog != "stiffusp";
        QCOMPARE(iz != QLatin1String("(no label)"), flange);
        QCOMPARE(iz.endsWith(QLatin1String(" mm4 (one flange)")), dialog == "stiffib");
    }

    // A run that stops at the stiffener must not leave the previous profile's values on show.
    void failedRunBlanksTheStaleValues() {
        FakeHost host;
        Messages shown;
        ProfileDialog* d = Open(host, QStringLiteral("stifflb"));
        TypeAndLeave(d, QStringLiteral("isttw"), QStringLiteral("0"));
        QCOMPARE(shown.texts, QStringList{QStringLiteral(" tw >= 0.1 ")});
        QVERIFY(host.p.CalcFailure.has_value());
        QCOMPARE(LabelText(d, "stie"), QString());
        TypeAndLeave(d, QStringLiteral("isttw"), QStringLiteral("10"));
        QVERIFY(!host.p.CalcFailure.has_value());
        QVERIFY(!LabelText(d, "stie").isEmpty());
    }

    void switchingDialogsSwitchesTheFamily() {
        FakeHost host;
        ProfileDialog* l = Open(host, QStringLiteral("stifflb"));
        Open(host, QStringLiteral("stifftb"));
        QCOMPARE(host.p.StiffProfileType, 3);
        l->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(l));
        QTRY_COMPARE(host.p.StiffProfileType, 1);
        // One dialog per family: showing it again raises the open one.
        Open(host, QStringLiteral("stifflb"));
        QCOMPARE(host.owner.findChildren<ProfileDialog*>(QStringLiteral("stifflb")).size(), 1);
    }

    // Opening a project closes the dialogs without writing their fields into the new record.
    void closingForAnotherProjectReadsNothingBack() {
        FakeHost host;
        Messages shown;
        QPointer<ProfileDialog> d = Open(host, QStringLiteral("stifflb"));
        const float h = host.p.LBuiltH;
        Type(Field(d, QStringLiteral("isth")), QStringLiteral("4"));
        const int runs = host.recalculations;
        CloseProfileDialogs(&host.owner);
        QVERIFY(Gone(d));
        QCOMPARE(host.p.LBuiltH, h);
        QCOMPARE(host.recalculations, runs);
        QVERIFY(shown.texts.isEmpty());
    }
};

QTEST_MAIN(ProfileDialogTest)
#include "test_profiledialogs.moc"
