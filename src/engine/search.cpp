// The design search on every core. The candidates are cut into blocks dealt round the threads in
// a fixed way; each thread keeps its own best, front and closest, and the merge orders them by
// mass (or utilisation) and then by the candidates' fixed order, so the answer is the same for any
// number of threads.
#include "engine/search.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <tuple>

#include "core/project.h"
#include "core/tables.h"
#include "engine/calculate.h"
#include "engine/searchlayout.h"

namespace kelvor {

namespace {

// The chart needs the shape of the cloud, not every one of millions of points.
constexpr std::uint64_t kMaxPoints = 200000;
// A thread's front is thinned when its buffer grows this long.
constexpr std::size_t kFrontBuffer = 4096;
// Candidates between two reports of a thread's progress.
constexpr std::uint64_t kProgressBatch = 256;

bool LighterFirst(const CandidateResult& a, const CandidateResult& b) {
    return std::tie(a.mass, a.candidate.index) < std::tie(b.mass, b.candidate.index);
}

bool LessUtilisedFirst(const CandidateResult& a, const CandidateResult& b) {
    return std::tie(a.highest, a.mass, a.candidate.index) <
           std::tie(b.highest, b.mass, b.candidate.index);
}

// The passing candidates that no other beats on both utilisation and mass: by rising
// utilisation, each strictly lighter than all before it. Of two alike, the earlier is kept.
void ThinToFront(std::vector<CandidateResult>& v) {
    std::sort(v.begin(), v.end(), LessUtilisedFirst);
    std::size_t kept = 0;
    for (std::size_t i = 0; i < v.size(); ++i) {
        if (kept == 0 || v[i].mass < v[kept - 1].mass) {
            v[kept++] = v[i];
        }
    }
    v.resize(kept);
}

// What one thread finds.
struct Findings {
    std::vector<CandidateResult> best;  // a heap, heaviest on top, at most `top`
    std::vector<CandidateResult> front;
    std::optional<CandidateResult> closest;
    std::vector<SearchPoint> points;
    std::uint64_t evaluated = 0, completed = 0, passing = 0;

    void Add(const CandidateResult& r, std::size_t top, std::uint64_t pointStride) {
        ++evaluated;
        if (!r.completed) {
            return;
        }
        ++completed;
        if (r.candidate.index % pointStride == 0) {
            points.push_back({static_cast<float>(r.highest), static_cast<float>(r.mass), r.passes});
        }
        if (!closest || LessUtilisedFirst(r, *closest)) {
            closest = r;
        }
        if (!r.passes) {
            return;
        }
        ++passing;
        if (top == 0) {
            // Nothing to list; the front and the counts still stand.
        } else if (best.size() < top) {
            best.push_back(r);
            std::push_heap(best.begin(), best.end(), LighterFirst);
        } else if (LighterFirst(r, best.front())) {
            std::pop_heap(best.begin(), best.end(), LighterFirst);
            best.back() = r;
            std::push_heap(best.begin(), best.end(), LighterFirst);
        }
        front.push_back(r);
        if (front.size() >= kFrontBuffer) {
            ThinToFront(front);
        }
    }
};

struct Shared {
    Shared(const Project& p, const Tables& t, const SearchLayout& l, const SearchOptions& o,
           const std::atomic<bool>* c)
        : project(p), tables(t), layout(l), options(o), cancel(c) {}

    const Project& project;
    const Tables& tables;
    const SearchLayout& layout;
    const SearchOptions& options;
    const std::atomic<bool>* cancel;
    std::uint64_t blockSize = 1;
    std::uint64_t blocks = 0;
    std::uint64_t pointStride = 1;
    std::atomic<std::uint64_t> done{0};
    std::mutex mutex;
    std::condition_variable finished;
    int running = 0;
};

bool Cancelled(const Shared& s) {
    return s.cancel != nullptr && s.cancel->load(std::memory_order_relaxed);
}

void Work(Shared& s, int thread, int threads, Findings& out) {
    Project p = s.project;
    std::uint64_t stiffenerSetUp = UINT64_MAX;
    std::uint64_t unreported = 0;
    const std::size_t top = static_cast<std::size_t>(std::max(s.options.top, 0));
    for (std::uint64_t block = static_cast<std::uint64_t>(thread); block < s.blocks;
         block += static_cast<std::uint64_t>(threads)) {
        const std::uint64_t end = std::min(s.layout.total, (block + 1) * s.blockSize);
        for (std::uint64_t index = block * s.blockSize; index < end; ++index) {
            if (Cancelled(s)) {
                s.done += unreported;
                return;
            }
            const Candidate c = s.layout.At(index);
            if (s.layout.StiffenerOf(index) != stiffenerSetUp) {
                stiffenerSetUp = s.layout.StiffenerOf(index);
                SetCandidateStiffener(p, s.tables, c, &s.project);
            }
            SetCandidateRest(p, s.tables, c);
            Evaluate(p, s.tables);
            const Verdict v = Judge(p, s.options.mode, s.options.limit);
            CandidateResult r;
            r.candidate = c;
            r.completed = v.completed;
            r.passes = v.passes;
            r.highest = v.highest;
            r.governing = v.governing < 0 ? -1 : static_cast<int>(v.rows[v.governing].check);
            r.mass = PanelMass(p);
            out.Add(r, top, s.pointStride);
            if (++unreported == kProgressBatch) {
                s.done += unreported;
                unreported = 0;
            }
        }
    }
    s.done += unreported;
}

// Names of what the answer shows, from the candidate set into a copy of the project.
void Describe(CandidateResult& r, const Project& project, const Tables& tables) {
    Project p = project;
    SetCandidateStiffener(p, tables, r.candidate, &project);
    SetCandidateRest(p, tables, r.candidate);
    SetUpCandidateGirder(p);
    r.stiffener = p.StiffDesignation;
    r.girder = p.GirderDesignation;
    r.s1 = p.s1;
    r.s2 = p.s2;
    const auto name = [&tables](int row) {
        return row >= 0 && row < static_cast<int>(tables.Materials.size())
                   ? tables.Materials[static_cast<std::size_t>(row)].MatName
                   : std::string("?");
    };
    r.grade = name(p.PlateMaterialIndex);
    if (p.StiffMaterialIndex != p.PlateMaterialIndex) {
        r.grade += " / " + name(p.StiffMaterialIndex);
    }
}

SearchResult Merge(std::vector<Findings>& found, const SearchLayout& layout, std::size_t top) {
    SearchResult result;
    result.total = layout.total;
    for (Findings& f : found) {
        result.evaluated += f.evaluated;
        result.completed += f.completed;
        result.passing += f.passing;
        result.best.insert(result.best.end(), f.best.begin(), f.best.end());
        result.front.insert(result.front.end(), f.front.begin(), f.front.end());
        result.points.insert(result.points.end(), f.points.begin(), f.points.end());
        if (f.closest && (!result.closest || LessUtilisedFirst(*f.closest, *result.closest))) {
            result.closest = f.closest;
        }
    }
    std::sort(result.best.begin(), result.best.end(), LighterFirst);
    if (result.best.size() > top) {
        result.best.resize(top);
    }
    ThinToFront(result.front);
    // The threads' points come in the order of the deal; sorted, they are the same for any count.
    std::sort(result.points.begin(), result.points.end(),
              [](const SearchPoint& a, const SearchPoint& b) {
                  return std::tie(a.utilisation, a.mass, a.passes) <
                         std::tie(b.utilisation, b.mass, b.passes);
              });
    return result;
}

}  // namespace

SearchResult Search(const Project& project, const Tables& tables, const SearchSpace& space,
                    const SearchOptions& options, const SearchProgress& progress,
                    const std::atomic<bool>* cancel) {
    const SearchLayout layout(project, tables, space);
    if (layout.total == 0) {
        if (progress) {
            progress(0, 0);
        }
        return {};
    }
    int threads = options.threads > 0 ? options.threads
                                      : static_cast<int>(std::thread::hardware_concurrency());
    threads = std::max(threads, 1);
    // A block per stiffener, unless that leaves too few blocks to share the work out evenly.
    std::uint64_t blockSize = layout.perStiffener;
    const auto fewest = static_cast<std::uint64_t>(4 * threads);
    if (layout.total / blockSize < fewest) {
        blockSize = std::max<std::uint64_t>(1, (layout.total + 2 * fewest - 1) / (2 * fewest));
    }
    const std::uint64_t blocks = (layout.total + blockSize - 1) / blockSize;
    threads = static_cast<int>(std::min<std::uint64_t>(static_cast<std::uint64_t>(threads), blocks));

    Shared shared(project, tables, layout, options, cancel);
    shared.blockSize = blockSize;
    shared.blocks = blocks;
    shared.pointStride = std::max<std::uint64_t>(1, (layout.total + kMaxPoints - 1) / kMaxPoints);
    std::vector<Findings> found(static_cast<std::size_t>(threads));
    std::vector<std::exception_ptr> errors(static_cast<std::size_t>(threads));
    std::vector<std::thread> pool;
    shared.running = threads;
    for (int k = 0; k < threads; ++k) {
        pool.emplace_back([&shared, &found, &errors, k, threads] {
            try {
                Work(shared, k, threads, found[static_cast<std::size_t>(k)]);
            } catch (...) {
                errors[static_cast<std::size_t>(k)] = std::current_exception();
            }
            std::lock_guard lock(shared.mutex);
            if (--shared.running == 0) {
                shared.finished.notify_all();
            }
        });
    }
    {
        std::unique_lock lock(shared.mutex);
        while (!shared.finished.wait_for(lock, std::chrono::milliseconds(100),
                                         [&shared] { return shared.running == 0; })) {
            if (progress) {
                lock.unlock();
                progress(shared.done.load(), layout.total);
                lock.lock();
            }
        }
    }
    for (std::thread& t : pool) {
        t.join();
    }
    for (const std::exception_ptr& e : errors) {
        if (e) {
            std::rethrow_exception(e);
        }
    }
    SearchResult result = Merge(found, layout, static_cast<std::size_t>(std::max(options.top, 0)));
    result.cancelled = result.evaluated < result.total && cancel != nullptr && cancel->load();
    for (CandidateResult& r : result.best) {
        Describe(r, project, tables);
    }
    for (CandidateResult& r : result.front) {
        Describe(r, project, tables);
    }
    if (result.closest) {
        Describe(*result.closest, project, tables);
    }
    if (progress) {
        progress(result.evaluated, result.total);
    }
    return result;
}

}  // namespace kelvor
