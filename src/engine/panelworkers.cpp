#include "engine/panelworkers.h"

#include <algorithm>

#include "engine/batchrun.h"
#include "engine/calculate.h"

namespace kelvor {

int WorkerCount(int threads) {
    if (threads > 0) {
        return threads;
    }
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : static_cast<int>(cores);
}

PanelWorkers::PanelWorkers(const Project& base, const Tables& tables, char decimalSeparator,
                           int threads)
    : tables_(tables), separator_(decimalSeparator) {
    const int n = WorkerCount(threads);
    records_.assign(static_cast<std::size_t>(n), base);
    slices_.resize(static_cast<std::size_t>(n));
}

void PanelWorkers::RunSlice(std::size_t worker, const std::vector<BatchEntry>& chunk,
                            std::size_t begin, std::size_t end) {
    Project& p = records_[worker];
    Slice& slice = slices_[worker];
    slice.lines.clear();
    slice.failures.clear();
    for (std::size_t i = begin; i < end; ++i) {
        const BatchEntry& e = chunk[i];
        if (e.comment) {
            slice.lines += e.text;
        } else {
            EvaluateBatchEntry(p, tables_, e);
            AppendBatchResultLine(slice.lines, p, e, separator_);
            if (p.CalcFailure) {
                slice.failures.push_back({i, p.CalcFailure->Text()});
            }
        }
        slice.lines += "\r\n";
    }
}

void PanelWorkers::Start(const std::vector<BatchEntry>& chunk) {
    const std::size_t workers = std::min(records_.size(), std::max<std::size_t>(chunk.size(), 1));
    // Contiguous slices, so that joining them in worker order gives file order.
    const std::size_t per = (chunk.size() + workers - 1) / workers;
    running_.clear();
    for (std::size_t w = 0; w < workers; ++w) {
        const std::size_t begin = std::min(chunk.size(), w * per);
        const std::size_t end = std::min(chunk.size(), begin + per);
        running_.emplace_back([this, w, &chunk, begin, end] { RunSlice(w, chunk, begin, end); });
    }
}

void PanelWorkers::Finish(std::string& out, std::vector<ChunkFailure>& failures) {
    for (std::size_t w = 0; w < running_.size(); ++w) {
        running_[w].join();
        out += slices_[w].lines;
        failures.insert(failures.end(), slices_[w].failures.begin(), slices_[w].failures.end());
    }
    running_.clear();
}

PanelWorkers::~PanelWorkers() {
    for (std::thread& t : running_) {
        t.join();
    }
}

}  // namespace kelvor
