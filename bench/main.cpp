// Runs the benchmarks offscreen, five repetitions each unless told otherwise, and ends with a
// summary: the median of each case beside its target, and the redraw's ratio to the floor.

#include <benchmark/benchmark.h>
#include <QGuiApplication>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

struct Target {
    const char* name;
    double microseconds;
};

// Medians that the program is held to, on a 2-core developer machine.
const Target kTargets[] = {
    {"BM_RedrawDiagram/417/281", 1000},
    {"BM_RedrawDiagram/1920/1080", 4000},
    {"BM_PointerMove112", 30},
    {"BM_PointerMove220", 30},
    {"BM_ExecuteStep/redraw:0", 2},
    {"BM_ExecuteStep/redraw:1", 1000},  // an automatic run at 1 ms keeps pace
    {"BM_LoadDiagram", 1000},
    {"BM_SaveDiagram/memory:0", 1000},
    {"BM_SaveDiagram/memory:1", 1000},
    {"BM_HitTestMiss", 20},
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
            medians_[run.run_name.str()] = {run.GetAdjustedRealTime() * toMicro,
                                            run.GetAdjustedCPUTime() * toMicro};
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\n%-30s %12s %12s %10s\n", "median", "wall (us)", "cpu (us)", "target");
        bool allMet = true;
        for (const Target& t : kTargets) {
            const auto it = medians_.find(t.name);
            if (it == medians_.end()) continue;
            const bool met = it->second.wall <= t.microseconds;
            allMet = allMet && met;
            std::printf("%-30s %12.2f %12.2f %8.0f %s\n", t.name, it->second.wall, it->second.cpu,
                        t.microseconds, met ? "met" : "MISSED");
        }
        for (const char* size : {"417/281", "1920/1080"}) {
            const auto redraw = medians_.find(std::string("BM_RedrawDiagram/") + size);
            const auto floor = medians_.find(std::string("BM_Floor/") + size);
            if (redraw == medians_.end() || floor == medians_.end()) continue;
            std::printf("redraw / floor at %-12s %8.2f (floor %.2f us)\n", size,
                        redraw->second.wall / floor->second.wall, floor->second.wall);
        }
        std::printf("%s\n", allMet ? "every target met" : "some targets missed");
    }

private:
    struct Times {
        double wall = 0, cpu = 0;
    };
    std::map<std::string, Times> medians_;
};

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    std::vector<char*> args(argv, argv + argc);
    bool repetitionsGiven = false;
    for (const char* a : args)
        repetitionsGiven |= std::string(a).rfind("--benchmark_repetitions", 0) == 0;
    static char repetitions[] = "--benchmark_repetitions=5";
    static char aggregatesOnly[] = "--benchmark_report_aggregates_only=true";
    if (!repetitionsGiven) {
        args.push_back(repetitions);
        args.push_back(aggregatesOnly);
    }
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 1;
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
