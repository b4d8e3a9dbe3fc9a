// The profile dialogs against a stand-in main window: limits on leaving a field and on closing,
// the focus, the Enter cycle, the figure switch, table rows, the families and the girder dialogs.
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
        QCOMPARE(Stored(host.p, Cell("dialog"), Cell("field")),
                 Cell("stored") == "-" ? before : Cell("stored").toFloat());
        QCOMPARE(host.recalculations > runs, Cell("stored") != "-");
        if (Cell("dialog").startsWith("stiff") && Cell("field") == "isth" &&
            Cell("stored") != "-") {
            QCOMPARE(host.p.StiffH, Cell("stored").toFloat());
        }
    }

    void closingCheck_data() {
        AddRows("profile_closing.tsv", {"dialog", "left", "editing", "messages"});
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
        for (const QStringList& entry : Pairs(Cell("left") + ';' + Cell("editing"))) {
            QCOMPARE(Stored(host.p, Cell("dialog"), entry[0]), entry[1].toFloat());
        }
    }

    // Every dialog the same way: its plate block for the mode, a table row, the Enter cycle, and
    // two clicks that switch the figure to scale and back.
    void eachDialog_data() {
        AddRows("profile_dialogs.tsv",
                {"dialog", "mode", "plate", "iz", "cycle", "row", "labels", "figure"});
    }
    void eachDialog() {
        FakeHost host;
        Messages said;
        host.p.AnalysisMode = Cell("mode") == "-" ? host.p.AnalysisMode : Cell("mode").toInt();
        ProfileDialog* d = Open(host, Cell("dialog"));
        QVERIFY(d);
        if (Cell("mode") != "-") {
            const Project& p = host.p;
            const bool sw = Cell("plate") == "sw";
            QCOMPARE(LabelText(d, "stse"), Q(Format(sw ? p.sw : p.se, "0.0") + " mm"));
            // Ws_sw is held in single precision and shown so.
            QCOMPARE(LabelText(d, "stwes"),
                     Q((sw ? Format(p.Ws_sw, "0.000E+0") : Format(p.Wes, "0.000E+0")) + " mm3"));
            QCOMPARE(LabelText(d, "stzp"), Q(Format(sw ? p.zp_sw : p.zp, "##0.0") + " mm (el)"));
            const QString izText = LabelText(d, "stiz");
            QVERIFY2(Cell("iz") == "none" ? izText == "(no label)" : izText.endsWith(Cell("iz")),
                     qPrintable(izText));
        }
        if (Cell("row") != "-") {
            const int runs = host.recalculations;
            d->findChild<QComboBox*>(QStringLiteral("cbo"))->setCurrentIndex(Cell("row").toInt());
            QCOMPARE(host.p.*d->family().row, Cell("row").toInt());
            QVERIFY(host.recalculations > runs);
            for (const QStringList& label : Pairs(Cell("labels"))) {
                QCOMPARE(LabelText(d, label[0]), label[1]);
            }
            QCOMPARE(host.p.StiffH, LabelText(d, "sth").split(' ')[0].toFloat());
        }
        if (Cell("cycle") != "-") {
            const QStringList order = List(Cell("cycle"));
            Field(d, order[0])->setFocus();
            for (int i = 1; i <= order.size(); ++i) {
                QTest::keyClick(d->focusWidget(), Qt::Key_Return);
                QCoreApplication::processEvents();
                QCOMPARE(d->focusWidget()->objectName(), order[i % order.size()]);
            }
            // Enter leaves the field: its value is taken; it never closes the dialog.
            Type(Field(d, order[0]), QStringLiteral("321"));
            QTest::keyClick(d->focusWidget(), Qt::Key_Enter);
            QCoreApplication::processEvents();
            QCOMPARE(Stored(host.p, Cell("dialog"), order[0]), 321.0f);
            QVERIFY(d->isVisible());
        }
        if (Cell("figure") != "-") {
            QWidget* target =
                Cell("figure") == "background" ? d : d->findChild<QWidget*>(Cell("figure"));
            for (int scale : {1, 0, 1}) {
                QCOMPARE(host.p.FigureToScale, scale);
                QCOMPARE(LabelText(d, "figtoscale"),
                         scale ? QStringLiteral("Figure not to scale") : "Figure to scale");
                QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(3, 3));
            }
        }
        QCOMPARE(said.Texts(), QStringList());
    }

    // The family in use follows the dialog: on closing a table dialog, on switching between open
    // dialogs; one dialog per family; opening a project closes them without reading them back.
    void dialogsSetTheFamilyInUse() {
        FakeHost host;
        Messages said;
        host.p.StiffProfileType = 1;
        host.p.TTableRow = 5;
        QPointer<ProfileDialog> t = Open(host, QStringLiteral("stifft"));
        QVERIFY(t);
        // Centred over the window that owns it.
        QVERIFY(
            (t->frameGeometry().center() - host.owner.frameGeometry().center()).manhattanLength() <
            40);
        QCOMPARE(t->findChild<QComboBox*>(QStringLiteral("cbo"))->currentIndex(), 5);
        QTest::mouseClick(Ok(t), Qt::LeftButton);
        QVERIFY(Gone(t));
        QCOMPARE(host.p.StiffProfileType, 2);
        QCOMPARE(host.p.TTableRow, 5);
        QCOMPARE(host.p.StiffH, host.t.TTable.rows[5][0]);

        QPointer<ProfileDialog> l = Open(host, QStringLiteral("stifflb"));
        QPointer<ProfileDialog> tb = Open(host, QStringLiteral("stifftb"));
        QCOMPARE(host.p.StiffProfileType, 3);
        l->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(l));
        QTRY_COMPARE(host.p.StiffProfileType, 1);
        Open(host, QStringLiteral("stifflb"));
        QCOMPARE(host.owner.findChildren<ProfileDialog*>(QStringLiteral("stifflb")).size(), 1);

        const float h = host.p.LBuiltH;
        Type(Field(l, QStringLiteral("isth")), QStringLiteral("4"));
        const int runs = host.recalculations;
        CloseProfileDialogs(&host.owner);
        QVERIFY(Gone(l) && Gone(tb));
        QCOMPARE(host.p.LBuiltH, h);
        QCOMPARE(host.recalculations, runs);
        QCOMPARE(said.Texts(), QStringList());
    }

    void girderDialogEditsItsOwnFamily() {
        FakeHost host;
        Messages said;
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
        QCOMPARE(LabelText(d, "sta"), Q(Format(t.GirderArea, "##0") + " mm2"));
        QCOMPARE(LabelText(d, "stse"), Q(Format(t.GirderEffBreadth, "0.0") + " mm"));

        ProfileDialog* l = Open(host, QStringLiteral("girdlg"));
        QVERIFY(!l->findChild<QLabel*>(QStringLiteral("othergirder"))->isVisibleTo(l));
        QCOMPARE(LabelText(l, "stiy"), Q(Format(host.p.GirderIy, "0.000E+0") + " mm4"));
        QStringList captions;
        for (QLabel* label : l->findChildren<QLabel*>()) {
            captions << label->text();
        }
        QVERIFY(captions.contains("le =") && captions.contains("Weg =") &&
                !captions.contains("se ="));
        QCOMPARE(said.Texts(), QStringList());
    }

    // A run that stops at the stiffener must not leave the previous profile's values on show.
    void failedRunBlanksTheStaleValues() {
        FakeHost host;
        Messages said;
        ProfileDialog* d = Open(host, QStringLiteral("stifflb"));
        TypeAndLeave(d, QStringLiteral("isttw"), QStringLiteral("0"));
        QCOMPARE(said.Texts(), QStringList{QStringLiteral(" tw >= 0.1 ")});
        QVERIFY(host.p.CalcFailure.has_value());
        QCOMPARE(LabelText(d, "stie"), QString());
        TypeAndLeave(d, QStringLiteral("isttw"), QStringLiteral("10"));
        QVERIFY(!host.p.CalcFailure.has_value());
        QVERIFY(!LabelText(d, "stie").isEmpty());
    }
};

QTEST_MAIN(ProfileDialogTest)
#include "test_profiledialogs.moc"
