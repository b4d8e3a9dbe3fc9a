// The main window's input fields: parsing, limits and their messages, focus and colour, the Enter
// chain and the arrow keys, driven by object name.
#include <QTabWidget>
#include <QTreeWidget>

#include "core/project.h"
#include "mainwindowharness.h"
#include "ui/inputfields.h"

using namespace kelvor;
using namespace kelvortest;

class MainWindowFieldsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { harness_.SetUp(); }
    void init() { harness_.Reset(); }

    void startsOnTheDefaultProject() {
        auto w = harness_.Start();
        QCOMPARE(w->windowTitle(), QStringLiteral("Kelvor: New File"));
        const char* const shown[][2] = {
            {"it", "20.0"},       {"il1", "3000"},     {"il2", "2500"},        {"is1", "625"},
            {"is2", "625"},       {"iLt", "3000"},     {"iLg", "8000"},        {"iLgs", "6000"},
            {"isigx1", "-100.0"}, {"isigy3", "-30.0"}, {"itau1", "40.0"},      {"ip1", "0.030"},
            {"ips", "0.030"},     {"ie", "2.06E+5"},   {"ifs", "1.43"},        {"iufa", "0.60"},
            {"ifyp", "355"},      {"ifus", "470"},     {"iunit_length", "65"}, {"iproj", "Project"},
        };
        for (const auto& [name, text] : shown) {
            QCOMPARE(Edit(*w, name)->text(), QLatin1String(text));
        }
        for (const MainField& f : MainFields()) {
            QVERIFY2(Edit(*w, f.name), f.name);
        }
        auto* list = w->findChild<QTreeWidget*>(QStringLiteral("ListView1"));
        QCOMPARE(list->headerItem()->text(1), QStringLiteral("Interaction Ratio"));
        QCOMPARE(list->topLevelItemCount(), static_cast<int>(w->project().Result.rows.size()));
        // The first size fits a 1024 x 768 screen with its task bar.
        QVERIFY(w->minimumSizeHint().width() <= 1024);
        QVERIFY(w->minimumSizeHint().height() <= 730);
    }

    void eitherSeparatorInEitherSetting_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("point, comma typed") << 0 << "2,5"
                                            << "2.5";
        QTest::newRow("point, point typed") << 0 << "2.5"
                                            << "2.5";
        QTest::newRow("comma, comma typed") << 1 << "2,5"
                                            << "2,5";
        QTest::newRow("comma, point typed") << 1 << "2.5"
                                            << "2,5";
    }
    void eitherSeparatorInEitherSetting() {
        QFETCH(int, mode);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        auto w = harness_.Start();
        w->project().DecimalMode = mode;
        Type(*w, "it", typed);
        QCOMPARE(w->project().t, 2.5f);
        QCOMPARE(Edit(*w, "it")->text(), shown);
        QVERIFY(harness_.said.empty());
    }

    // Each limit at its boundary: the value is kept either way, the message names the limit, the
    // focus goes back, and the run happens except for an out-of-range unit length.
    void limitsAtTheirBoundaries_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<float>("stored");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("calculates");
        const QStringList none;
        QTest::newRow("t 0.05") << "it"
                                << "0.05" << 0.05f << "0.1" << QStringList{" 0.1 <= t "} << true;
        QTest::newRow("t 0.1") << "it"
                               << "0.1" << 0.1f << "0.1" << none << true;
        QTest::newRow("UL 5") << "iunit_length"
                              << "5" << 5.0f << "5" << none << true;
        QTest::newRow("UL 600") << "iunit_length"
                                << "600" << 600.0f << "600" << none << true;
        QTest::newRow("UL 4") << "iunit_length"
                              << "4" << 4.0f << "4" << QStringList{" 5 < unit length < 600 "}
                              << false;
        QTest::newRow("UL 601") << "iunit_length"
                                << "601" << 601.0f << "601"
                                << QStringList{" 5 < unit length < 600 "} << false;
        QTest::newRow("FS 2") << "ifs"
                              << "2" << 2.0f << "2.00" << none << true;
        QTest::newRow("FS 2.01") << "ifs"
                                 << "2.01" << 2.01f << "2.01" << QStringList{" 0.6 <= FS <= 2 "}
                                 << true;
        QTest::newRow("FS 0.6") << "ifs"
                                << "0.6" << 0.6f << "0.60" << none << true;
        QTest::newRow("FS 0.59") << "ifs"
                                 << "0.59" << 0.59f << "0.59" << QStringList{" 0.6 <= FS <= 2 "}
                                 << true;
        QTest::newRow("UF 2.01") << "iufa"
                                 << "2.01" << 2.01f << "2.01" << QStringList{" 0.6 <= UF <= 2 "}
                                 << true;
        QTest::newRow("E 1000") << "ie"
                                << "1000" << 1000.0f << "1.00E+3" << none << true;
        QTest::newRow("E 999") << "ie"
                               << "999" << 999.0f << "9.99E+2" << QStringList{" 1000 <= E-modulus "}
                               << true;
        QTest::newRow("L1 49, then the spacing")
            << "il1"
            << "49" << 49.0f << "49" << QStringList{" L1 >= 50 ", " s1 <= L1  "} << true;
        QTest::newRow("L2 49") << "il2"
                               << "49" << 49.0f << "49" << QStringList{" L2 >= 50 ", " s1 <= L2  "}
                               << true;
        QTest::newRow("s1 10") << "is1"
                               << "10" << 10.0f << "10" << none << true;
        QTest::newRow("s2 9") << "is2"
                              << "9" << 9.0f << "09" << QStringList{" 10 <= s2  "} << true;
        QTest::newRow("Lg 999") << "iLg"
                                << "999" << 999.0f << "999" << QStringList{" 1000 <= Lg  "} << true;
        QTest::newRow("Lgs 999") << "iLgs"
                                 << "999" << 999.0f << "999" << QStringList{" 1000 <= Lgs  "}
                                 << true;
        QTest::newRow("Lt 400") << "iLt"
                                << "400" << 400.0f << "400 " << none << true;
        QTest::newRow("Lt 399") << "iLt"
                                << "399" << 399.0f << "399 " << QStringList{" 400 <= Lt "} << true;
        QTest::newRow("Fyp 2001") << "ifyp"
                                  << "2001" << 2001.0f << "2001"
                                  << QStringList{" 50 <= fyp <= 2000 "} << true;
        QTest::newRow("Fup 49") << "ifup"
                                << "49" << 49.0f << "049" << QStringList{" 50 <= Fup <= 2000 "}
                                << true;
        QTest::newRow("Fys 40") << "ifys"
                                << "40" << 40.0f << "040" << QStringList{" 50 <= fys <= 2000 "}
                                << true;
        QTest::newRow("Fus 2000") << "ifus"
                                  << "2000" << 2000.0f << "2000" << none << true;
        QTest::newRow("Fus 2001") << "ifus"
                                  << "2001" << 2001.0f << "2001"
                                  << QStringList{" 50 <= Fus <= 2000 "} << true;
        QTest::newRow("point setting, no number") << "isigx1"
                                                  << "abc" << 0.0f << "0.0" << none << true;
    }
    void limitsAtTheirBoundaries() {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(float, stored);
        QFETCH(QString, shown);
        QFETCH(QStringList, messages);
        QFETCH(bool, calculates);
        auto w = harness_.Start();
        // The unit length stands on the watertight-bulkhead page; typed materials need the
        // lists' last entries.
        w->findChild<QTabWidget*>(QStringLiteral("SSTabCfactor"))->setCurrentIndex(0);
        const int last = w->tables().MaterialLastRow();
        Choose(*w, "cbofyp", last);
        Choose(*w, "cbofys", last);
        QCOMPARE(w->project().CFactorTab, 0);
        QCOMPARE(w->project().Fyp, 355.0f);  // the typed material starts from the row before
        w->project().Result.rows.clear();

        const QByteArray name = field.toLatin1();
        Type(*w, name.constData(), typed);
        const MainField* f = MainFieldNamed(field);
        QCOMPARE(w->project().*f->value, stored);
        QCOMPARE(harness_.Texts(), messages);
        QCOMPARE(!w->project().Result.rows.empty(), calculates);
        if (!messages.isEmpty()) {
            QCOMPARE(harness_.said.front().icon, MessageIcon::Exclamation);
            QCOMPARE(harness_.said.front().refocus, field);
        }
        if (messages.size() == 1) {
            QCOMPARE(FocusName(), field);
        }
        // The material fields are rewritten by the run, with the material pattern.
        QCOMPARE(Edit(*w, name.constData())->text(), shown);
    }

    void textThatIsNotANumberKeepsTheValue_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("typed");
        QTest::newRow("comma setting, letters") << 1 << "abc";
        QTest::newRow("comma setting, trailing text") << 1 << "2,5x";
        QTest::newRow("point setting, beyond single precision") << 0 << "1e99";
        QTest::newRow("comma setting, beyond single precision") << 1 << "1e99";
    }
    void textThatIsNotANumberKeepsTheValue() {
        QFETCH(int, mode);
        QFETCH(QString, typed);
        auto w = harness_.Start();
        w->project().DecimalMode = mode;
        w->project().Result.rows.clear();
        Type(*w, "ie", typed);
        QCOMPARE(harness_.Texts(), QStringList{"Input string mismatch "});
        QCOMPARE(harness_.said.front().icon, MessageIcon::Exclamation);
        QCOMPARE(w->project().E, 206000.0f);
        QVERIFY(w->project().Result.rows.empty());
        QCOMPARE(FocusName(), QStringLiteral("ie"));
        QCOMPARE(Edit(*w, "ie")->text(), typed);  // left for correcting
    }

    void spacingAboveASpanIsReportedOnce() {
        auto w = harness_.Start();
        Type(*w, "is1", QStringLiteral("2600"));
        QCOMPARE(harness_.Texts(), QStringList{" s1 <= L2  "});
        QCOMPARE(FocusName(), QStringLiteral("is1"));
        Settle();
        QCOMPARE(harness_.said.size(), std::size_t{1});
    }

    void yellowWhileEditingWithTheTextSelected() {
        auto w = harness_.Start();
        QLineEdit* it = Edit(*w, "it");
        QLineEdit* proj = Edit(*w, "iproj");
        it->setFocus(Qt::MouseFocusReason);
        Settle();
        QCOMPARE(it->palette().color(QPalette::Base), QColor::fromRgb(kEditingColour));
        QCOMPARE(QColor::fromRgb(kEditingColour), QColor(255, 255, 192));
        QCOMPARE(it->selectedText(), QStringLiteral("20.0"));
        proj->setFocus(Qt::MouseFocusReason);
        Settle();
        QCOMPARE(it->palette().color(QPalette::Base), QColor(Qt::white));
        QCOMPARE(proj->palette().color(QPalette::Base), QColor::fromRgb(kEditingColour));
        QVERIFY(proj->selectedText().isEmpty());
        QTest::keyClicks(proj, QStringLiteral(" X"));
        QTest::keyClick(proj, Qt::Key_Return);  // stores the text and moves on
        Settle();
        QCOMPARE(w->project().ProjectName, std::string("Project X"));
        QCOMPARE(FocusName(), QStringLiteral("iident"));
    }

    void enterFollowsTheChain_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<int>("tab");
        QTest::addColumn<bool>("typedMaterials");
        const char* const fixed[][2] = {
            {"il1", "il2"},       {"il2", "iLg"},       {"iLg", "it"},        {"it", "is1"},
            {"is1", "is2"},       {"is2", "iLgs"},      {"iLgs", "iLt"},      {"iLt", "isigx1"},
            {"isigx1", "isigx2"}, {"isigx2", "isigy1"}, {"isigy1", "isigy3"}, {"isigy3", "itau1"},
            {"itau1", "ip1"},     {"ip1", "ips"},       {"ips", "iproj"},     {"iproj", "iident"},
            {"iident", "cbofyp"}, {"ifs", "iufa"},      {"iufa", "cbofyp"},
        };
        for (const auto& [from, to] : fixed) {
            QTest::addRow("%s", from) << from << to << 1 << false;
        }
        QTest::newRow("list, table material") << "cbofyp"
                                              << "cbofys" << 1 << false;
        QTest::newRow("list, typed material") << "cbofyp"
                                              << "ifyp" << 1 << true;
        QTest::newRow("ifyp") << "ifyp"
                              << "ifup" << 1 << true;
        QTest::newRow("ifup") << "ifup"
                              << "cbofys" << 1 << true;
        QTest::newRow("stiffener list, table material") << "cbofys"
                                                        << "ie" << 1 << false;
        QTest::newRow("stiffener list, typed material") << "cbofys"
                                                        << "ifys" << 1 << true;
        QTest::newRow("ifys") << "ifys"
                              << "ifus" << 1 << true;
        QTest::newRow("ifus") << "ifus"
                              << "ie" << 1 << true;
        QTest::newRow("E on page 0") << "ie"
                                     << "iunit_length" << 0 << false;
        QTest::newRow("E on page 2") << "ie"
                                     << "il1" << 2 << false;
        QTest::newRow("UL") << "iunit_length"
                            << "il1" << 0 << false;
    }
    void enterFollowsTheChain() {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(int, tab);
        QFETCH(bool, typedMaterials);
        auto w = harness_.Start();
        w->findChild<QTabWidget*>(QStringLiteral("SSTabCfactor"))->setCurrentIndex(tab);
        if (typedMaterials) {
            Choose(*w, "cbofyp", w->tables().MaterialLastRow());
            Choose(*w, "cbofys", w->tables().MaterialLastRow());
        }
        auto* start = w->findChild<QWidget*>(from);
        start->setFocus(Qt::MouseFocusReason);
        Settle();
        QTest::keyClick(start, Qt::Key_Return);
        Settle();
        QCOMPARE(FocusName(), to);
        QVERIFY(harness_.said.empty());
    }

    void arrowKeysFollowTheirTable_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("to");
        QTest::newRow("L1 up wraps to p") << "il1" << int(Qt::Key_Up) << "ip1";
        QTest::newRow("L1 down") << "il1" << int(Qt::Key_Down) << "il2";
        QTest::newRow("Lt down") << "iLt" << int(Qt::Key_Down) << "isigx1";
        QTest::newRow("SigxA left") << "isigx1" << int(Qt::Key_Left) << "is2";
        QTest::newRow("SigxA right") << "isigx1" << int(Qt::Key_Right) << "isigx2";
        QTest::newRow("SigxB up") << "isigx2" << int(Qt::Key_Up) << "itau1";
        QTest::newRow("SigxB right") << "isigx2" << int(Qt::Key_Right) << "isigy1";
        QTest::newRow("SigyC down") << "isigy3" << int(Qt::Key_Down) << "ip1";
        QTest::newRow("ps down") << "ips" << int(Qt::Key_Down) << "iproj";
        QTest::newRow("t left moves the cursor only") << "it" << int(Qt::Key_Left) << "it";
    }
    void arrowKeysFollowTheirTable() {
        QFETCH(QString, from);
        QFETCH(int, key);
        QFETCH(QString, to);
        auto w = harness_.Start();
        const QByteArray name = from.toLatin1();
        QLineEdit* start = Edit(*w, name.constData());
        start->setFocus(Qt::MouseFocusReason);
        Settle();
        QTest::keyClick(start, static_cast<Qt::Key>(key));
        Settle();
        QCOMPARE(FocusName(), to);
    }

private:
    Harness harness_;
};

QTEST_MAIN(MainWindowFieldsTest)
#include "test_mainwindow.moc"
