#pragma once

#include <string>
#include <thread>
#include <vector>

#include "core/project.h"
#include "files/batchfile.h"

namespace kelvor {

struct Tables;

// A panel of a chunk whose calculation failed: its index in the chunk and its failure's text.
struct ChunkFailure {
    std::size_t index = 0;
    std::string text;
};

// Calculates the panels of a batch on every core and writes their result lines in file order.
// Each worker has a record of its own, copied from the one given; a panel's line depends on
// that panel alone, so the output is the same byte for byte whatever the number of workers.
class PanelWorkers {
public:
    // threads 0: one per core.
    PanelWorkers(const Project& base, const Tables& tables, char decimalSeparator, int threads);
    PanelWorkers(const PanelWorkers&) = delete;
    PanelWorkers& operator=(const PanelWorkers&) = delete;
    ~PanelWorkers();  // waits for a chunk still running

    // Start sets the workers going on `chunk`, which must stay as it is until Finish; the caller
    // reads the next chunk meanwhile. Finish waits for them and appends the line of each entry
    // (a comment's own text, or the panel's results), CR LF, to `out` in order, and the failed
    // panels in order to `failures`. Finish without a Start appends nothing.
    void Start(const std::vector<BatchEntry>& chunk);
    void Finish(std::string& out, std::vector<ChunkFailure>& failures);

    int Threads() const { return static_cast<int>(records_.size()); }

private:
    struct Slice {
        std::string lines;
        std::vector<ChunkFailure> failures;
    };
    void RunSlice(std::size_t worker, const std::vector<BatchEntry>& chunk, std::size_t begin,
                  std::size_t end);

    const Tables& tables_;
    char separator_;
    std::vector<Project> records_;
    std::vector<Slice> slices_;
    std::vector<std::thread> running_;
};

// The number of workers for a request of `threads` (0: one per core).
int WorkerCount(int threads);

}  // namespace kelvor
