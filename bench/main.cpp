// Runs the benchmarks offscreen, five repetitions each in a shuffled order unless told otherwise,
// and ends with a summary: the median of each case, its ratio to the raw floor of its canvas size,
// and its target.

#include <benchmark/benchmark.h>
#include <QGuiApplication>

#include <cstdio>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace {

// A median the program is held to: at most so many microseconds, or at most so many times the
// raw floor (memset and memcpy of the canvas's bytes) measured in the same run. Each case is
// also shown as a ratio to the raw floor of its canvas size.
struct Target {
    const char* name;
    double microseconds = 0;  // 0: none
    double floors = 0;        // 0: none
    // Or at most so many times the median of another case of the same run.
    const char* relativeTo = nullptr;
    double times = 0;
    // Or a counter of the case at most so high.
    const char* counter = nullptr;
    double most = 0;
};

constexpr const char* kSmall = "BM_RawFloor/417/281";
constexpr const char* kLarge = "BM_RawFloor/1920/1080";

// The raw floor of the canvas size a case draws on: the large one for cases named with it.
const char* FloorOf(std::string_view name) {
    return name.ends_with("/1920/1080") ? kLarge : kSmall;
}

const Target kTargets[] = {
    {"BM_Floor/417/281"},
    {"BM_Floor/1920/1080"},
    {"BM_RedrawDiagram/417/281", 250},
    {"BM_RedrawDiagram/1920/1080", 0, 2},
    {"BM_RedrawUnchanged/417/281"},
    {"BM_RedrawUnchanged/1920/1080"},
    {"BM_RedrawSelection/417/281"},
    {"BM_RedrawSelection/1920/1080"},
    {"BM_PointerMove112", 30},
    {"BM_PointerMove220", 30},
    {"BM_ExecuteStep/redraw:0/journal:0/417/281", 2},
    // Noting what a step changes, for 1ステップ戻る, adds at most a quarter.
    {"BM_ExecuteStep/redraw:0/journal:1/417/281", 0, 0, "BM_ExecuteStep/redraw:0/journal:0/417/281",
     1.25},
    {"BM_ExecuteStep/redraw:1/journal:1/417/281", 50},
    {"BM_ExecuteStep/redraw:1/journal:1/1920/1080", 1000},  // an automatic run at 1 ms keeps pace
    {"BM_JournalOfTenThousandSteps/iterations:1", 0, 0, nullptr, 0, "MB", 16},
    {"BM_StepBack/1920/1080", 1000},
    {"BM_LoadDiagram", 500},
    {"BM_SaveDiagram/memory:1", 300},
    {"BM_SaveDiagram/memory:0"},  // with the disk's confirmation
    {"BM_WriteDiagram"},
    {"BM_ReadDiagram"},
    {"BM_HitTestMiss", 20},
    // A picture of the largest diagram takes at most twenty afresh redraws of it.
    {"BM_ExportPng/grid:0/1920/1080", 0, 0, "BM_RedrawDiagram/1920/1080", 20},
    {"BM_ExportPng/grid:1/1920/1080", 0, 0, "BM_RedrawDiagram/1920/1080", 20},
    {"BM_ExportSvg/grid:0/1920/1080", 0, 0, "BM_RedrawDiagram/1920/1080", 20},
    {"BM_ExportSvg/grid:1/1920/1080", 0, 0, "BM_RedrawDiagram/1920/1080", 20},
    {"BM_ExportPdf/grid:0/1920/1080"},
    {"BM_ExportPdf/grid:1/1920/1080"},
};

// The console report, with the medians kept for the summary.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred) continue;
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
            if (!median && !single) continue;
            const double toMicro = 1e6 / benchmark::GetTimeUnitMultiplier(run.time_unit);
            Times& t = medians_[run.run_name.str()];
            t.wall = run.GetAdjustedRealTime() * toMicro;
            t.cpu = run.GetAdjustedCPUTime() * toMicro;
            for (const auto& [name, counter] : run.counters) t.counters[name] = counter.value;
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        for (const char* floor : {kSmall, kLarge})
            if (const auto it = medians_.find(floor); it != medians_.end())
                std::printf("\n%s: %.2f us", floor, it->second.wall);
        std::printf("\n\n%-44s %10s %10s %8s %20s\n", "median", "wall (us)", "cpu (us)", "/ floor",
                    "target");
        bool allMet = true;
        for (const Target& t : kTargets) {
            const auto it = medians_.find(t.name);
            if (it == medians_.end()) continue;
            const auto floor = medians_.find(FloorOf(t.name));
            const double ratio = floor == medians_.end() ? 0 : it->second.wall / floor->second.wall;
            char target[32] = "";
            bool met = true;
            if (t.microseconds > 0) {
                std::snprintf(target, sizeof target, "<= %.0f us", t.microseconds);
                met = it->second.wall <= t.microseconds;
            } else if (t.floors > 0) {
                std::snprintf(target, sizeof target, "<= %.2f x floor", t.floors);
                met = floor != medians_.end() && ratio <= t.floors;
            } else if (t.relativeTo) {
                const auto other = medians_.find(t.relativeTo);
                const double times =
                    other == medians_.end() ? 0 : it->second.wall / other->second.wall;
                std::snprintf(target, sizeof target, "<= %.2f x (%.2f)", t.times, times);
                met = other != medians_.end() && times <= t.times;
            } else if (t.counter) {
                const double value = it->second.counters[t.counter];
                std::snprintf(target, sizeof target, "%s %.1f <= %.0f", t.counter, value, t.most);
                met = value <= t.most;
            }
            const bool hasTarget = target[0] != 0;
            allMet = allMet && met;
            std::printf("%-44s %10.2f %10.2f %8.2f %20s %s\n", t.name, it->second.wall,
                        it->second.cpu, ratio, target, hasTarget ? (met ? "met" : "MISSED") : "");
        }
        std::printf("%s\n", allMet ? "every target met" : "some targets missed");
    }

private:
    struct Times {
        double wall = 0, cpu = 0;
        std::map<std::string, double> counters;
    };
    std::map<std::string, Times> medians_;
};

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    std::vector<char*> args(argv, argv + argc);
    auto given = [&](std::string_view flag) {
        for (const char* a : args)
            if (std::string_view(a).starts_with(flag)) return true;
        return false;
    };
    static char repetitions[] = "--benchmark_repetitions=5";
    static char aggregatesOnly[] = "--benchmark_report_aggregates_only=true";
    // The repetitions of all cases run in a shuffled order, so that a change of the machine's
    // speed during the run weighs on every case and on the floors alike.
    static char interleaving[] = "--benchmark_enable_random_interleaving=true";
    if (!given("--benchmark_repetitions")) {
        args.push_back(repetitions);
        args.push_back(aggregatesOnly);
    }
    if (!given("--benchmark_enable_random_interleaving")) args.push_back(interleaving);
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 1;
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
