// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The in-process cost of the drill's work: building the window, a judged
// answer (with the next problem made and the window repainted), and a tick.
// Runs on Qt's offscreen platform.
#include "app/main_window.h"

#include <QApplication>
#include <QTimerEvent>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

using namespace Qt::StringLiterals;

void settle() { QCoreApplication::processEvents(); }

void tick(QTimer* timer)
{
    QTimerEvent event(timer->timerId());
    QCoreApplication::sendEvent(timer, &event);
}

// The window on screen, settled, with the longest time limit chosen.
std::unique_ptr<skorvex::app::MainWindow> shown_window()
{
    auto window = std::make_unique<skorvex::app::MainWindow>(
        skorvex::app::Collaborators { .end_program = [] {} });
    window->show();
    settle();
    window->controls().timetot->setEditText(u"10 minutes"_s);
    return window;
}

void BM_WindowConstruction(benchmark::State& state)
{
    for (auto _ : state) {
        auto window = std::make_unique<skorvex::app::MainWindow>(
            skorvex::app::Collaborators { .end_program = [] {} });
        benchmark::DoNotOptimize(window.get());
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_WindowConstruction)->Unit(benchmark::kMillisecond);

void BM_JudgedAnswer(benchmark::State& state)
{
    const auto window = shown_window();
    auto& c = window->controls();
    c.begin->click();
    settle();
    int answered = 0;
    for (auto _ : state) {
        c.ans->setText(answered % 3 == 0 ? u"0"_s : c.anst->text());
        c.do_math->click();
        settle();
        if (++answered == 30000) {
            state.PauseTiming();
            c.cor->setText(u"0"_s);
            c.incor->setText(u"0"_s);
            answered = 0;
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_JudgedAnswer)->Unit(benchmark::kMicrosecond);

void BM_Tick(benchmark::State& state)
{
    const auto window = shown_window();
    auto& c = window->controls();
    for (auto _ : state) {
        if (!c.Timer1->isActive()) {
            state.PauseTiming();
            c.begin->click();
            settle();
            state.ResumeTiming();
        }
        tick(c.Timer1);
        settle();
    }
}
BENCHMARK(BM_Tick)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
