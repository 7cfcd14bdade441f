// What a frame and its paint cost at three window sizes, measured side by
// side in one run, with the allocations per frame and per paint and the tick
// rate of the real window. Prints one table and exits non-zero, naming the
// figure, when one misses its bar.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPaintEvent>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "allocation_counter.h"
#include "core/control_defaults.h"
#include "support/fakes.h"
#include "ui/drawing_area.h"
#include "ui/main_window.h"

namespace kaleidra::bench {
namespace {

struct Size {
    int width;
    int height;
    const char* name;
};

constexpr Size kSizes[] = {
    {640, 480, "640x480"}, {1920, 1080, "1920x1080"}, {3840, 2160, "3840x2160"}};

// A scene as the window runs it, on a raster of the given size, past the
// start-up frames in which the cloud grows out of the centre.
struct SceneRig : testing::BasicRig<testing::SeededRandom> {
    SceneRig(Size size, int effect, bool forget_in_frame) : BasicRig(std::uint64_t{12345}) {
        // No window: what a frame would show is taken as shown.
        if (forget_in_frame) toolkit.on_process_messages = [this] { scene.Image1.ForgetChanges(); };
        scene.Image1.Resize(size.width, size.height);
        scene.StartUp();
        scene.Modell_Ausgabe();      // the first frame sets the camera up
        panel.SelectEffect(effect);  // and only then the effect stays
        for (int i = 0; i < 400; ++i)
            scene.Timer1Timer();
    }
};

constexpr int kFrameIterations = 3000;
constexpr int kPaintIterations = 400;
constexpr int kWholePaintIterations = 40;
constexpr int kRepetitions = 5;

// Shape build when due, morph, copy, view transform and renderer, as a tick
// runs them.
void Frame(benchmark::State& state, Size size, int effect) {
    SceneRig rig(size, effect, true);
    for (auto _ : state) {
        rig.scene.Timer1Timer();
        benchmark::DoNotOptimize(rig.scene.Image1.Bits());
    }
    if (rig.scene.Busy) state.SkipWithError("a frame did not finish");
}

// The floor any whole-area clear pays.
void BareFill(benchmark::State& state, Size size) {
    std::vector<std::uint32_t> buffer(static_cast<std::size_t>(size.width) * size.height);
    std::uint32_t value = 0;
    for (auto _ : state) {
        std::fill(buffer.begin(), buffer.end(), ++value);
        benchmark::DoNotOptimize(buffer.data());
        benchmark::ClobberMemory();
    }
}

// Image1 on its own offscreen window; counts its paints. Without `copies`
// its paints leave the pixels alone: what is left is the toolkit's own work
// for the same rectangles (the region, the event, the flush).
class Area final : public DrawingArea {
public:
    using DrawingArea::DrawingArea;
    int paints = 0;
    bool copies = true;

protected:
    void paintEvent(QPaintEvent* event) override {
        ++paints;
        if (copies) DrawingArea::paintEvent(event);
    }
};

struct PaintRig {
    explicit PaintRig(Size size) : scene(size, 0, false), area(scene.scene.Image1, nullptr) {
        area.resize(size.width, size.height);
        area.show();
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
        area.UpdateChanged();
        QApplication::processEvents();
    }
    bool Ready(Size size) const {
        return area.width() == size.width && area.height() == size.height && area.paints > 0;
    }
    // What ProcessMessages does at the end of a frame.
    void Paint() {
        area.UpdateChanged();
        QApplication::processEvents(QEventLoop::AllEvents);
    }
    SceneRig scene;
    Area area;
};

// The repaint of one frame's changes: the frame itself is drawn untimed.
void Repaint(benchmark::State& state, Size size, bool copies) {
    PaintRig rig(size);
    rig.area.copies = copies;
    if (!rig.Ready(size)) {
        state.SkipWithError("the offscreen window did not come up at its size");
        return;
    }
    const int before = rig.area.paints;
    for (auto _ : state) {
        rig.scene.scene.Timer1Timer();
        const auto start = std::chrono::steady_clock::now();
        rig.Paint();
        const auto end = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
    if (rig.area.paints - before != static_cast<int>(state.iterations()))
        state.SkipWithError("not every update led to one paint");
}

void Paint(benchmark::State& state, Size size) {
    Repaint(state, size, true);
}

void ToolkitRepaint(benchmark::State& state, Size size) {
    Repaint(state, size, false);
}

// The floor of any paint that copies the changed rectangles: the same ones of the
// same frames, row by row from the raster into a plain buffer of its size.
void BareCopy(benchmark::State& state, Size size) {
    SceneRig rig(size, 0, false);
    RasterSurface& raster = rig.scene.Image1;
    raster.ForgetChanges();
    std::vector<std::uint32_t> target(static_cast<std::size_t>(size.width) * size.height);
    std::vector<PixelRect> changed;
    changed.reserve(4096);
    double pixels = 0;
    double rows = 0;
    double count = 0;
    double lines = 0;
    for (auto _ : state) {
        rig.scene.Timer1Timer();
        changed.clear();
        raster.ForEachChangedRect([&changed](const PixelRect& r) { changed.push_back(r); });
        raster.ForgetChanges();
        count += static_cast<double>(changed.size());
        for (const PixelRect& r : changed) {
            pixels += double(r.right - r.left) * (r.bottom - r.top);
            rows += r.bottom - r.top;
            lines += double((r.right * 4 - 1) / 64 - r.left * 4 / 64 + 1) * (r.bottom - r.top);
        }
        const auto start = std::chrono::steady_clock::now();
        for (const PixelRect& r : changed) {
            const std::size_t bytes = static_cast<std::size_t>(r.right - r.left) * 4;
            for (int y = r.top; y < r.bottom; ++y) {
                const std::size_t at = static_cast<std::size_t>(y) * size.width + r.left;
                std::memcpy(target.data() + at, raster.Bits() + at, bytes);
            }
        }
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
        const auto end = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
    state.counters["pixels"] = benchmark::Counter(pixels, benchmark::Counter::kAvgIterations);
    state.counters["rows"] = benchmark::Counter(rows, benchmark::Counter::kAvgIterations);
    state.counters["rects"] = benchmark::Counter(count, benchmark::Counter::kAvgIterations);
    state.counters["lines"] = benchmark::Counter(lines, benchmark::Counter::kAvgIterations);
}

// What a paint of the whole area would cost instead, frame by frame.
void WholePaint(benchmark::State& state, Size size) {
    PaintRig rig(size);
    if (!rig.Ready(size)) {
        state.SkipWithError("the offscreen window did not come up at its size");
        return;
    }
    for (auto _ : state) {
        rig.scene.scene.Timer1Timer();
        rig.scene.scene.Image1.ForgetChanges();
        const auto start = std::chrono::steady_clock::now();
        rig.area.update();
        QApplication::processEvents(QEventLoop::AllEvents);
        const auto end = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
}

struct PerCall {
    double news = 0;
    double mallocs = 0;
};

PerCall Per(AllocationCount before, AllocationCount after, int calls) {
    return {static_cast<double>(after.news - before.news) / calls,
            static_cast<double>(after.mallocs - before.mallocs) / calls};
}

PerCall FrameAllocations(Size size, int effect) {
    SceneRig rig(size, effect, true);
    constexpr int kFrames = 1000;  // six shape changes among them
    const AllocationCount before = Allocations();
    for (int i = 0; i < kFrames; ++i)
        rig.scene.Timer1Timer();
    return Per(before, Allocations(), kFrames);
}

// A paint's allocations, split where they happen: in the program's own
// collection of the changed rectangles, in the toolkit's update request (its
// region and posted event), and in the event loop that paints and flushes.
struct PaintPerCall {
    PerCall ours;
    PerCall update;
    PerCall loop;
};

PaintPerCall PaintAllocations(Size size) {
    PaintRig rig(size);
    for (int i = 0; i < 50; ++i) {
        rig.scene.scene.Timer1Timer();
        rig.Paint();
    }
    constexpr int kPaints = 200;
    AllocationCount ours{};
    AllocationCount update{};
    AllocationCount loop{};
    auto add = [](AllocationCount& to, AllocationCount from, AllocationCount till) {
        to.news += till.news - from.news;
        to.mallocs += till.mallocs - from.mallocs;
    };
    for (int i = 0; i < kPaints; ++i) {
        rig.scene.scene.Timer1Timer();
        const AllocationCount start = Allocations();
        const std::vector<QRect>& changed = rig.area.CollectChanged();
        const AllocationCount collected = Allocations();
        rig.area.Schedule(changed);
        const AllocationCount scheduled = Allocations();
        QApplication::processEvents(QEventLoop::AllEvents);
        add(ours, start, collected);
        add(update, collected, scheduled);
        add(loop, scheduled, Allocations());
    }
    return {Per({}, ours, kPaints), Per({}, update, kPaints), Per({}, loop, kPaints)};
}

struct TickRate {
    double ticks_per_second = 0;
    double paints_per_second = 0;
};

// The real window, its 20 ms precise timer and its frames, for 5 s.
TickRate MeasureTickRate() {
    TForm1 form;
    form.show();
    int ticks = 0;
    QObject::connect(&form.Timer1, &QTimer::timeout, [&ticks] { ++ticks; });
    struct PaintCounter final : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::Paint) ++paints;
            return false;
        }
    } counter;
    form.Image1->installEventFilter(&counter);

    QEventLoop loop;
    QTimer::singleShot(500, Qt::PreciseTimer, &loop, &QEventLoop::quit);  // settle
    loop.exec();
    ticks = 0;
    counter.paints = 0;
    QElapsedTimer clock;
    clock.start();
    QTimer::singleShot(5000, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
    const double seconds = clock.nsecsElapsed() / 1e9;
    form.Image1->removeEventFilter(&counter);
    return {ticks / seconds, counter.paints / seconds};
}

// Keeps the median of each benchmark's repetitions, in microseconds.
class Collector final : public benchmark::BenchmarkReporter {
public:
    bool ReportContext(const Context&) override { return true; }
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.error_occurred) {
                errors.push_back(run.benchmark_name() + ": " + run.error_message);
                continue;
            }
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                median_us[run.run_name.function_name] = run.GetAdjustedRealTime();
                for (const auto& [name, counter] : run.counters)
                    counters[run.run_name.function_name + "." + name] = counter.value;
            }
        }
    }
    double Us(const std::string& name) const {
        const auto it = median_us.find(name);
        return it == median_us.end() ? -1.0 : it->second;
    }
    double Counter(const std::string& name) const {
        const auto it = counters.find(name);
        return it == counters.end() ? -1.0 : it->second;
    }
    std::map<std::string, double> median_us;
    std::map<std::string, double> counters;
    std::vector<std::string> errors;
};

std::string Name(const char* what, Size size) {
    return std::string(what) + "/" + size.name;
}

void Register() {
    for (const Size& size : kSizes) {
        // Fixed counts for the frames, so that every size runs the same ones.
        benchmark::RegisterBenchmark(Name("Frame_RotCyan", size).c_str(), Frame, size, 0)
            ->Iterations(kFrameIterations)
            ->Repetitions(kRepetitions)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(Name("Frame_Chroma", size).c_str(), Frame, size, 6)
            ->Iterations(kFrameIterations)
            ->Repetitions(kRepetitions)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(Name("BareFill", size).c_str(), BareFill, size)
            ->Repetitions(kRepetitions)
            ->Unit(benchmark::kMicrosecond);
        // Window work is timed by hand around the part that counts.
        for (const auto& [what, run, iterations] :
             {std::tuple{"Paint", &Paint, kPaintIterations},
              std::tuple{"ToolkitRepaint", &ToolkitRepaint, kPaintIterations},
              std::tuple{"BareCopy", &BareCopy, kPaintIterations},
              std::tuple{"WholePaint", &WholePaint, kWholePaintIterations}}) {
            benchmark::RegisterBenchmark(Name(what, size).c_str(), run, size)
                ->Iterations(iterations)
                ->Repetitions(kRepetitions)
                ->UseManualTime()
                ->Unit(benchmark::kMicrosecond);
        }
    }
}

struct Table {
    bool ok = true;
    std::vector<std::string> missed;
    void Row(const std::string& what, const std::string& a, const std::string& b,
             const std::string& c, const std::string& bar, bool met) {
        std::printf("| %-40s | %12s | %12s | %12s | %-30s | %-4s |\n", what.c_str(), a.c_str(),
                    b.c_str(), c.c_str(), bar.c_str(), met ? "ok" : "MISS");
        ok = ok && met;
        if (!met) missed.push_back(what);
    }
    void Info(const std::string& what, const std::string& a, const std::string& b,
              const std::string& c) {
        std::printf("| %-40s | %12s | %12s | %12s | %-30s | %-4s |\n", what.c_str(), a.c_str(),
                    b.c_str(), c.c_str(), "", "");
    }
};

std::string Fixed(double v, int digits) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", digits, v);
    return text;
}

}  // namespace
}  // namespace kaleidra::bench

int main(int argc, char** argv) {
    using namespace kaleidra::bench;
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kaleidra"));

    benchmark::Initialize(&argc, argv);
    Register();
    Collector collector;  // every benchmark repeats; the table takes the medians
    benchmark::RunSpecifiedBenchmarks(&collector);
    benchmark::Shutdown();

    std::vector<PerCall> frame_new(3);
    std::vector<PerCall> chroma_new(3);
    std::vector<PerCall> paint_ours(3);
    std::vector<PerCall> paint_update(3);
    std::vector<PerCall> paint_loop(3);
    for (int i = 0; i < 3; ++i) {
        frame_new[i] = FrameAllocations(kSizes[i], 0);
        chroma_new[i] = FrameAllocations(kSizes[i], 6);
        const PaintPerCall paint = PaintAllocations(kSizes[i]);
        paint_ours[i] = paint.ours;
        paint_update[i] = paint.update;
        paint_loop[i] = paint.loop;
    }
    const TickRate rate = MeasureTickRate();

    Table t;
    std::printf("| %-40s | %12s | %12s | %12s | %-30s | %-4s |\n", "figure", kSizes[0].name,
                kSizes[1].name, kSizes[2].name, "bar", "");
    std::printf("|%s|%s|%s|%s|%s|%s|\n", std::string(42, '-').c_str(), std::string(14, '-').c_str(),
                std::string(14, '-').c_str(), std::string(14, '-').c_str(),
                std::string(32, '-').c_str(), std::string(6, '-').c_str());
    auto us = [&](const char* what, int i) { return collector.Us(Name(what, kSizes[i])); };
    auto three = [&](const char* what, int digits) {
        return std::vector<std::string>{Fixed(us(what, 0), digits), Fixed(us(what, 1), digits),
                                        Fixed(us(what, 2), digits)};
    };
    for (const char* frame : {"Frame_RotCyan", "Frame_Chroma"}) {
        const auto v = three(frame, 1);
        const double growth = us(frame, 2) / us(frame, 0);
        const double of_fill = us(frame, 2) / us("BareFill", 2);
        const std::string label =
            std::string(frame == std::string("Frame_RotCyan") ? "frame, Anzeige (us)"
                                                              : "frame, Anzeige_Chroma (us)");
        t.Info(label, v[0], v[1], v[2]);
        t.Row("  3840x2160 / 640x480", "", "", Fixed(growth, 2), "<= 2", growth > 0 && growth <= 2);
        t.Row("  frame / bare fill of its size", Fixed(us(frame, 0) / us("BareFill", 0), 3),
              Fixed(us(frame, 1) / us("BareFill", 1), 3), Fixed(of_fill, 3), "<= 0.25 at 3840x2160",
              of_fill > 0 && of_fill <= 0.25);
    }
    {
        const auto v = three("BareFill", 1);
        t.Info("bare std::fill of the area (us)", v[0], v[1], v[2]);
    }
    {
        const auto v = three("Paint", 1);
        t.Info("paint of Image1, one frame (us)", v[0], v[1], v[2]);
        t.Info("  3840x2160 / 640x480", "", "", Fixed(us("Paint", 2) / us("Paint", 0), 2));
        const auto copy = three("BareCopy", 1);
        t.Info("bare copy of the same rectangles (us)", copy[0], copy[1], copy[2]);
        t.Info("  3840x2160 / 640x480", "", "", Fixed(us("BareCopy", 2) / us("BareCopy", 0), 2));
        auto counted = [&](const char* what) {
            std::vector<std::string> v;
            for (const Size& size : kSizes)
                v.push_back(Fixed(collector.Counter(Name("BareCopy", size) + "." + what), 0));
            return v;
        };
        const auto pixels = counted("pixels");
        t.Info("  changed: pixels per frame", pixels[0], pixels[1], pixels[2]);
        const auto rows = counted("rows");
        t.Info("  changed: row pieces per frame", rows[0], rows[1], rows[2]);
        const auto lines = counted("lines");
        t.Info("  changed: cache lines per frame", lines[0], lines[1], lines[2]);
        const auto rects = counted("rects");
        t.Info("  changed: rectangles per frame", rects[0], rects[1], rects[2]);
        const auto toolkit = three("ToolkitRepaint", 1);
        t.Info("toolkit's repaint of them, no copy (us)", toolkit[0], toolkit[1], toolkit[2]);
        // The toolkit's share of a paint (region, event, flush) grows with the
        // rectangles and is the toolkit's; what the program adds to it is the
        // copy, and that is held against the bare copy of the same pixels.
        std::vector<std::string> of_copy;
        bool copy_met = true;
        for (int i = 0; i < 3; ++i) {
            const double ours = (us("Paint", i) - us("ToolkitRepaint", i)) / us("BareCopy", i);
            of_copy.push_back(Fixed(ours, 2));
            copy_met = copy_met && us("BareCopy", i) > 0 && ours <= 2;
        }
        t.Info("  paint / bare copy", Fixed(us("Paint", 0) / us("BareCopy", 0), 2),
               Fixed(us("Paint", 1) / us("BareCopy", 1), 2),
               Fixed(us("Paint", 2) / us("BareCopy", 2), 2));
        t.Row("  (paint - toolkit's) / bare copy", of_copy[0], of_copy[1], of_copy[2], "<= 2",
              copy_met);
        const auto whole = three("WholePaint", 0);
        t.Info("paint of the whole area (us)", whole[0], whole[1], whole[2]);
    }
    auto alloc_row = [&](const std::string& what, const std::vector<PerCall>& per, bool mallocs) {
        std::vector<std::string> v;
        bool zero = true;
        for (const PerCall& p : per) {
            const double n = mallocs ? p.mallocs : p.news;
            v.push_back(Fixed(n, 2));
            zero = zero && n == 0;
        }
        t.Row(what, v[0], v[1], v[2], "0", zero);
    };
    alloc_row("operator new per frame, Anzeige", frame_new, false);
    alloc_row("operator new per frame, Chroma", chroma_new, false);
    if (CountsMalloc()) {
        alloc_row("malloc per frame, Anzeige", frame_new, true);
        alloc_row("malloc per frame, Chroma", chroma_new, true);
    }
    alloc_row("operator new per paint, our code", paint_ours, false);
    if (CountsMalloc()) alloc_row("malloc per paint, our code", paint_ours, true);
    auto alloc_info = [&](const std::string& what, const std::vector<PerCall>& per) {
        std::vector<std::string> v;
        for (const PerCall& p : per)
            v.push_back(Fixed(p.news, 2) + " + " + Fixed(p.mallocs, 2));
        t.Info(what, v[0], v[1], v[2]);
    };
    alloc_info("  new + malloc in Qt's update", paint_update);
    alloc_info("  new + malloc in Qt's event loop", paint_loop);
    // Reported, not judged: it follows the machine's load.
    t.Info("timer ticks per second, TForm1", "", "", Fixed(rate.ticks_per_second, 2));
    t.Info("frames painted per second, TForm1", "", "", Fixed(rate.paints_per_second, 2));

    for (const std::string& e : collector.errors)
        std::printf("error: %s\n", e.c_str());
    const bool ok = t.ok && collector.errors.empty();
    for (const std::string& what : t.missed)
        std::printf("missed: %s\n", what.c_str());
    if (ok) std::printf("every bar met\n");
    return ok ? 0 : 1;
}
