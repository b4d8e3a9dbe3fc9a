// The Qt canvas on an image: the panel figure and every sketch paint inside their area and
// nowhere else, text hangs below its position whichever way y runs, and the report's font names
// find the Liberation fonts.
#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QSet>

#include "engine/calculate.h"
#include "core/project.h"
#include "guitest.h"
#include "qt/qtcanvas.h"
#include "report/panelfigure.h"
#include "report/sketches.h"

using namespace kelvor;

namespace {

QImage Blank(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);  // 96 dpi, as a screen
    image.setDotsPerMeterY(3780);
    image.fill(Qt::white);
    return image;
}

struct Ink {
    int inside = 0;
    int outside = 0;
    QRect bounds;  // of every non-white pixel
    QSet<QRgb> colours;
};

// Non-white pixels inside and outside `area`, give or take the one pixel antialiasing smears.
Ink InkAround(const QImage& image, const QRectF& area) {
    Ink ink;
    const QRectF allowed = area.adjusted(-1, -1, 1, 1);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != qRgb(255, 255, 255)) {
                ink.bounds |= QRect(x, y, 1, 1);
                ink.colours.insert(image.pixel(x, y));
                ++(allowed.contains(x + 0.5, y + 0.5) ? ink.inside : ink.outside);
            }
        }
    }
    return ink;
}

}  // namespace

class QtCanvasTest : public QObject {
    Q_OBJECT

private slots:
    void panelFigurePaintsInsideItsArea() {
        Project p;
        NewProject(p);
        StressDistribution(p);
        QImage image = Blank(600, 400);
        const QRectF area(60, 50, 440, 286);  // 0.65 of its width, as the main window's box
        {
            QPainter painter(&image);
            QtCanvas c(painter, area);
            c.ScaleTo(0, 75, 100, 0);
            c.SetFontSize(8);
            DrawPanelFigure(c, p, 0, 0);
        }
        const Ink ink = InkAround(image, area);
        QVERIFY(ink.inside > 2000);
        QCOMPARE(ink.outside, 0);
        // The defaults load all three diagrams: red, green and blue ink.
        for (QRgb colour : {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)}) {
            QVERIFY(ink.colours.contains(colour));
        }
    }

    void sketchesPaintInsideTheirRectangle_data() {
        QTest::addColumn<int>("sketch");
        QTest::addColumn<QSizeF>("size");
        QTest::addColumn<bool>("yUp");
        for (int s = 0; s < kSketchCount; ++s) {
            const char* name = SketchName(static_cast<SketchId>(s));
            QTest::addRow("%s, button", name) << s << QSizeF(64, 48) << false;
            QTest::addRow("%s, dialog, y up", name) << s << QSizeF(400, 300) << true;
        }
    }

    void sketchesPaintInsideTheirRectangle() {
        QFETCH(int, sketch);
        QFETCH(QSizeF, size);
        QFETCH(bool, yUp);
        QImage image = Blank(520, 420);
        const QRectF area(40, 50, size.width(), size.height());
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            QtCanvas c(painter, area);
            const double w = size.width();
            const double h = size.height();
            if (yUp) {
                c.ScaleTo(0, h, w, 0);
                c.DrawSketch(static_cast<SketchId>(sketch), 0, h, w, 0);
            } else {
                c.ScaleTo(0, 0, w, h);
                c.DrawSketch(static_cast<SketchId>(sketch), 0, 0, w, h);
            }
        }
        const Ink ink = InkAround(image, area);
        QCOMPARE(ink.outside, 0);
        // Something across most of the width and height: the plate and the dimensions.
        QVERIFY(ink.bounds.width() > 0.8 * size.width());
        QVERIFY(ink.bounds.height() > 0.5 * size.height());
    }

    void textHangsBelowItsPositionEitherWayUp() {
        for (bool yUp : {true, false}) {
            QImage image = Blank(200, 200);
            QPainter painter(&image);
            QtCanvas c(painter, QRectF(0, 0, 200, 200));
            yUp ? c.ScaleTo(0, 100, 100, 0) : c.ScaleTo(0, 0, 100, 100);
            c.SetFontSize(20);
            c.MoveTo(25, 50);  // pixel (50, 100)
            c.Print("HX");
            painter.end();
            const Ink ink = InkAround(image, QRectF(50, 100, 150, 100));
            QVERIFY2(ink.inside > 50, yUp ? "y up" : "y down");
            QCOMPARE(ink.outside, 0);
            // The glyphs fit the metrics the canvas reports, in user units of half a pixel.
            QVERIFY(ink.bounds.right() - 50 <= 2 * c.TextWidth("HX"));
            QVERIFY(ink.bounds.bottom() - 100 <= 2 * c.TextHeight("HX"));
            // and the position moved on by the width
            QCOMPARE(c.CurrentX(), 25 + c.TextWidth("HX"));
        }
    }

    void reportFontNamesFindLiberationFonts_data() {
        guitest::AddRows("fonts.tsv", {"name", "family"});
    }
    void reportFontNamesFindLiberationFonts() {
        QCOMPARE(QtCanvas::FamilyFor(guitest::Cell("name").toStdString()), guitest::Cell("family"));
        QCOMPARE(
            QFontInfo(QFont(QtCanvas::FamilyFor(guitest::Cell("name").toStdString()))).family(),
            guitest::Cell("family"));
    }
};

QTEST_MAIN(QtCanvasTest)
#include "test_qtcanvas.moc"
