#include "engine/whatifcharts.h"

#include <cmath>
#include <string>

#include "engine/capacity.h"
#include "engine/sweep.h"
#include "engine/verdict.h"

namespace kelvor {

namespace {

std::string FirstFailure(const SweepResult& sweep) {
    for (const SweepPoint& point : sweep.points) {
        if (!point.completed) {
            return point.failure;
        }
    }
    return {};
}

}  // namespace

ChartData UtilisationChart(const Project& p, int mode, double limit) {
    const Verdict v = Judge(p, mode, limit);
    ChartData chart;
    chart.kind = ChartData::Kind::Bars;
    chart.title = std::string("Utilisation, ") + ModeName(mode);
    chart.limit = limit;
    chart.failure = v.failure;
    if (!v.completed) {
        return chart;
    }
    for (std::size_t i = 0; i < v.rows.size(); ++i) {
        const FactorRow& row = v.rows[i];
        chart.bars.push_back({CheckName(row.check), row.value, row.checked, row.passes,
                              static_cast<int>(i) == v.governing});
    }
    return chart;
}

ChartData SweepChart(const SweepResult& sweep, const Capacity* capacity) {
    const SweepInput& input = *sweep.request.input;
    ChartData chart;
    chart.kind = ChartData::Kind::Lines;
    chart.title = std::string("Utilisation over ") + input.name + ", " +
                  ModeName(sweep.request.mode);
    chart.limit = sweep.request.limit;
    const std::string unit = InputUnit(input);
    chart.xLabel = InputWords(input) + (unit.empty() ? "" : " (" + unit + ")");
    chart.projectX = sweep.projectValue;
    chart.showProject = true;
    for (const SweepPoint& point : sweep.points) {
        chart.x.push_back(point.x);
        chart.failed.push_back(!point.completed);
    }
    // The check that governs the most steps is drawn bold.
    std::array<int, kCheckCount> governs{};
    for (const SweepPoint& point : sweep.points) {
        if (point.governing >= 0) {
            ++governs[static_cast<std::size_t>(point.governing)];
        }
    }
    int most = -1;
    for (Check check : sweep.checks) {
        const auto k = static_cast<std::size_t>(check);
        if (governs[k] > 0 && (most < 0 || governs[k] > governs[static_cast<std::size_t>(most)])) {
            most = static_cast<int>(check);
        }
    }
    for (Check check : sweep.checks) {
        ChartSeries series;
        series.name = CheckName(check);
        series.colour = static_cast<int>(check);
        series.governing = static_cast<int>(check) == most;
        for (const SweepPoint& point : sweep.points) {
            series.y.push_back(point.value[static_cast<std::size_t>(check)]);
        }
        for (const SweepCrossing& crossing : sweep.crossings) {
            if (crossing.check == check) {
                series.limitAt.push_back(crossing.x);
            }
        }
        chart.series.push_back(std::move(series));
    }
    if (capacity) {
        chart.note = capacity->Sentence() + ".";
    }
    if (sweep.failedRuns > 0) {
        chart.failure = std::to_string(sweep.failedRuns) + " of " +
                        std::to_string(sweep.points.size()) +
                        " runs stopped (grey): " + FirstFailure(sweep);
    }
    return chart;
}

const char* ModeName(int mode) {
    switch (mode) {
        case 1:
            return "Buckling";
        case 3:
            return "Buckling / Scantling / Yield";
        default:
            return "Scantling / Yield";
    }
}

}  // namespace kelvor
