#pragma once

#include <QLabel>

namespace kelvor {

// A one-line label that keeps the width its layout gives it: a text too long for it ends in "…"
// (the caller puts the whole text in the tooltip). Its size hints follow a sample text, never the
// text it shows, so that a longer profile name can neither widen the window nor shift the columns
// beside it; the sample is as wide as the longest name that must always show whole.
// text() stays the whole text.
class ElidedLabel : public QLabel {
    Q_OBJECT
public:
    ElidedLabel(const QString& sample, QWidget* parent);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    // The text as it is painted at the present width.
    QString ShownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString sample_;
};

}  // namespace kelvor
