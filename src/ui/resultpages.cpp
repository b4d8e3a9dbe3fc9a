#include "ui/resultpages.h"

#include <QScrollArea>

#include "core/project.h"
#include "engine/whatifcharts.h"
#include "ui/chartview.h"

namespace kelvor {

ResultPages::ResultPages(QWidget* list, const Project& project, QWidget* parent)
    : QTabWidget(parent), project_(project) {
    setObjectName(QStringLiteral("ResultPages"));
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("UtilisationChartArea"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    chart_ = new ChartView(scroll);
    chart_->setObjectName(QStringLiteral("UtilisationChart"));
    scroll->setWidget(chart_);
    addTab(list, QStringLiteral("Results"));
    addTab(scroll, QStringLiteral("Chart"));
    setDocumentMode(true);
    setCurrentIndex(0);
}

void ResultPages::Refresh() {
    // The printed scantling report (4) runs the scantling and yield block.
    const int mode = project_.AnalysisMode == 1 || project_.AnalysisMode == 3
                         ? project_.AnalysisMode
                         : 2;
    chart_->SetChart(UtilisationChart(project_, mode));
}

}  // namespace kelvor
