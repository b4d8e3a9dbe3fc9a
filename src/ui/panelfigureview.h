#pragma once

#include <QPushButton>
#include <QWidget>
#include <functional>
#include <optional>

#include "report/canvas.h"

namespace kelvor {

struct Project;

// The panel figure `pic21`: x from 0 at the left to 100 at the right, y from 0 at the bottom to
// 75 at the top, in a box whose height is 0.65 of its width, redrawn from the record whenever it
// paints.
class PanelFigureView : public QWidget {
    Q_OBJECT
public:
    PanelFigureView(const Project& project, QWidget* parent);

    // The drawing box inside the widget: 0.95 of the width, or less when the height is short.
    QRect FigureRect() const;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const Project& project_;
};

// A profile button (`cmdpicStiff`, `cmdpicGird`) showing the sketch of the chosen family.
class SketchButton : public QPushButton {
    Q_OBJECT
public:
    using SketchOf = std::function<std::optional<SketchId>()>;
    SketchButton(SketchOf sketch, QWidget* parent);
    QSize sizeHint() const override;
    // Repaints when the record now asks for another sketch: a run that keeps the family leaves
    // the button as it is.
    void Refresh();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<SketchId> Current() const;

    SketchOf sketch_;
    std::optional<SketchId> shown_;
};

}  // namespace kelvor
