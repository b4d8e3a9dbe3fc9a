// mkmanual: turns one of Kelvor's Markdown manuals (docs/*.md) into a PDF on A4.
//
//   mkmanual INPUT.md OUTPUT.pdf
//
// The Markdown is read by QTextDocument (CommonMark with GitHub tables), laid out on A4 with
// margins and printed page by page with QPdfWriter, with the page number at the foot of each
// page. Images are resolved relative to the input file. A PNG is printed at the resolution
// stored in the file (ImageMagick's -density), 96 dpi when it stores none, and never wider
// than the text. Runs without a display.

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr int kResolution = 300;      // dots per inch of the PDF's layout
constexpr double kBodyPoints = 10.5;  // body text
constexpr double kCodePoints = 9.0;   // code spans and code blocks
constexpr double kFooterMm = 8.0;     // room kept at the foot of each page for the page number
const char* const kSerif = "Liberation Serif";
const char* const kSans = "Liberation Sans";
const char* const kMono = "Liberation Mono";

double MmToDots(double mm) { return mm / 25.4 * kResolution; }

// Lays the whole document out afresh. QTextDocument lays a long document out lazily, the rest
// meant to follow from timer events that never come in a program without an event loop; blocks
// left behind would print as empty space. Every change of formats is followed by this.
void Relayout(QTextDocument& doc) {
    doc.markContentsDirty(0, doc.characterCount());
    doc.pageCount();
}

// Fonts: serif body, sans-serif headings, monospace code at a slightly smaller size.
void StyleText(QTextDocument& doc) {
    QTextCursor cursor(&doc);
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const bool heading = block.blockFormat().headingLevel() > 0;
        const bool codeBlock = block.blockFormat().nonBreakableLines();
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid() || fragment.charFormat().isImageFormat()) {
                continue;
            }
            QTextCharFormat format = fragment.charFormat();
            const bool code = codeBlock || format.fontFixedPitch() ||
                              format.fontFamilies().toStringList().contains("monospace");
            if (code) {
                format.setFontFamilies({kMono});
                format.setFontFixedPitch(true);
                if (!heading) {
                    format.setFontPointSize(kCodePoints);
                }
            } else if (heading) {
                format.setFontFamilies({kSans});
            } else {
                continue;
            }
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(format);
        }
        if (heading) {
            QTextBlockFormat format = block.blockFormat();
            format.setTopMargin(format.headingLevel() <= 2 ? 14 : 10);
            format.setBottomMargin(6);
            cursor.setPosition(block.position());
            cursor.setBlockFormat(format);
        }
    }
}

// Tables: thin grid, some padding, the header row repeated on each page a table runs over.
void StyleTables(QTextDocument& doc) {
    std::vector<QTextTable*> tables;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        QTextCursor cursor(block);
        if (QTextTable* table = cursor.currentTable()) {
            if (std::find(tables.begin(), tables.end(), table) == tables.end()) {
                tables.push_back(table);
            }
        }
    }
    for (QTextTable* table : tables) {
        QTextTableFormat format = table->format();
        format.setBorder(0.5);
        format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        format.setBorderBrush(QColor(120, 120, 120));
        format.setBorderCollapse(true);
        format.setCellPadding(3);
        format.setCellSpacing(0);
        format.setHeaderRowCount(1);
        format.setTopMargin(4);
        format.setBottomMargin(8);
        table->setFormat(format);
        for (int column = 0; column < table->columns(); ++column) {
            QTextTableCell cell = table->cellAt(0, column);
            QTextCharFormat header = cell.format();
            header.setBackground(QColor(232, 236, 242));
            cell.setFormat(header);
        }
    }
}

// Images: printed size from the PNG's own resolution, at most the text width; a paragraph that
// holds nothing but an image is centred. Returns false when an image cannot be loaded.
bool SizeImages(QTextDocument& doc, double textWidth96) {
    bool allLoaded = true;
    QTextCursor cursor(&doc);
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        int images = 0;
        bool otherText = false;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid()) {
                continue;
            }
            if (!fragment.charFormat().isImageFormat()) {
                if (!fragment.text().trimmed().isEmpty()) {
                    otherText = true;
                }
                continue;
            }
            ++images;
            QTextImageFormat format = fragment.charFormat().toImageFormat();
            if (format.hasProperty(QTextFormat::ImageWidth)) {
                continue;
            }
            const QVariant resource =
                doc.resource(QTextDocument::ImageResource, QUrl(format.name()));
            QImage image = resource.value<QImage>();
            if (image.isNull()) {
                image.loadFromData(resource.toByteArray());
            }
            if (image.isNull()) {
                std::fprintf(stderr, "mkmanual: can't find file - %s\n",
                             qPrintable(doc.baseUrl().resolved(QUrl(format.name())).toLocalFile()));
                allLoaded = false;
                continue;
            }
            double dpi = image.dotsPerMeterX() * 0.0254;
            if (dpi < 50) {
                dpi = 96;
            }
            double width = image.width() * 96.0 / dpi;
            double height = image.height() * 96.0 / dpi;
            if (width > textWidth96) {
                height *= textWidth96 / width;
                width = textWidth96;
            }
            format.setWidth(width);
            format.setHeight(height);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(format);
        }
        if (images > 0 && !otherText) {
            QTextBlockFormat format = block.blockFormat();
            format.setAlignment(Qt::AlignHCenter);
            format.setTopMargin(6);
            format.setBottomMargin(6);
            cursor.setPosition(block.position());
            cursor.setBlockFormat(format);
        }
    }
    return allLoaded;
}

// Every block with text must have been laid out into lines, or it would print as empty space
// (see Relayout). Returns the first block that was not, or an invalid block.
QTextBlock FirstBlockNotLaidOut(const QTextDocument& doc) {
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        if (!block.text().isEmpty() && (!block.layout() || block.layout()->lineCount() == 0)) {
            return block;
        }
    }
    return {};
}

// A heading never stays alone at the foot of a page: when less than `keep` of the page is
// left below it, or what follows it (a figure, a table) starts on the next page, the heading
// starts the next page too.
void KeepHeadingsWithText(QTextDocument& doc, double pageHeight, double keep) {
    QAbstractTextDocumentLayout* layout = doc.documentLayout();
    QTextCursor cursor(&doc);
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        QTextBlockFormat format = block.blockFormat();
        if (format.headingLevel() == 0 || block == doc.begin()) {
            continue;
        }
        const QRectF rect = layout->blockBoundingRect(block);
        const double pageBottom = (std::floor(rect.top() / pageHeight) + 1) * pageHeight;
        // The layout pushes a line that does not fit (an image, a table row) to the next page
        // inside its block, so look at where the next block's first line landed.
        const QTextBlock next = block.next();
        bool nextOnLaterPage = false;
        if (next.isValid() && next.layout() && next.layout()->lineCount() > 0) {
            const double firstLine =
                layout->blockBoundingRect(next).top() + next.layout()->lineAt(0).y();
            nextOnLaterPage = firstLine >= pageBottom - 1;
        }
        if (pageBottom - rect.bottom() < keep || nextOnLaterPage) {
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            cursor.setPosition(block.position());
            cursor.setBlockFormat(format);
            Relayout(doc);
        }
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Build machines often have no session: give Qt a private runtime folder rather than a
    // warning in every build log.
    QTemporaryDir runtimeDir;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && runtimeDir.isValid()) {
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeDir.path()));
    }
    QGuiApplication app(argc, argv);

    if (argc != 3) {
        std::fprintf(stderr, "usage: mkmanual INPUT.md OUTPUT.pdf\n");
        return 2;
    }
    const QString input = QString::fromLocal8Bit(argv[1]);
    const QString output = QString::fromLocal8Bit(argv[2]);

    QFile file(input);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "mkmanual: can't find file - %s\n", qPrintable(input));
        return 1;
    }
    const QString markdown = QString::fromUtf8(file.readAll());

    QPdfWriter writer(output);
    writer.setResolution(kResolution);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(20, 16, 20, 12), QPageLayout::Millimeter));
    writer.setCreator("Kelvor mkmanual");

    QTextDocument doc;
    doc.setBaseUrl(QUrl::fromLocalFile(QFileInfo(input).absolutePath() + "/"));
    doc.setDefaultFont(QFont(kSerif, 10));
    doc.documentLayout()->setPaintDevice(&writer);
    doc.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
    doc.setDefaultFont(QFont(kSerif, kBodyPoints));

    const QRectF paintRect = writer.pageLayout().paintRectPixels(kResolution);
    const double pageWidth = paintRect.width();
    const double pageHeight = paintRect.height() - MmToDots(kFooterMm);
    doc.setPageSize(QSizeF(pageWidth, pageHeight));
    doc.setDocumentMargin(0);

    StyleText(doc);
    StyleTables(doc);
    const bool imagesLoaded = SizeImages(doc, (pageWidth - 2) * 96.0 / kResolution);
    Relayout(doc);
    KeepHeadingsWithText(doc, pageHeight, MmToDots(30));
    Relayout(doc);
    if (!imagesLoaded) {
        return 1;
    }
    if (const QTextBlock lost = FirstBlockNotLaidOut(doc); lost.isValid()) {
        std::fprintf(stderr, "mkmanual: %s: text not laid out: %s\n", qPrintable(input),
                     qPrintable(lost.text().left(60)));
        return 1;
    }

    // The PDF's title: the document's first heading.
    QString title = QFileInfo(input).completeBaseName();
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() > 0) {
            title = block.text();
            break;
        }
    }
    writer.setTitle(title);

    QPainter painter;
    if (!painter.begin(&writer)) {
        std::fprintf(stderr, "mkmanual: can't save file - %s\n", qPrintable(output));
        return 1;
    }
    const int pages = doc.pageCount();
    QFont footerFont(kSans, 8);
    for (int page = 0; page < pages; ++page) {
        if (page > 0) {
            writer.newPage();
        }
        painter.save();
        painter.translate(0, -page * pageHeight);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = QRectF(0, page * pageHeight, pageWidth, pageHeight);
        context.palette.setColor(QPalette::Text, Qt::black);
        painter.setClipRect(context.clip);
        doc.documentLayout()->draw(&painter, context);
        painter.restore();

        painter.setFont(footerFont);
        painter.setPen(QColor(90, 90, 90));
        const QRectF footer(0, paintRect.height() - MmToDots(kFooterMm * 0.6), pageWidth,
                            MmToDots(kFooterMm * 0.6));
        painter.drawText(footer, Qt::AlignHCenter | Qt::AlignBottom,
                         QString("%1 / %2").arg(page + 1).arg(pages));
    }
    painter.end();
    std::printf("%s: %d pages\n", qPrintable(output), pages);
    return 0;
}
