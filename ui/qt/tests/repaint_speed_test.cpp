// A zoom click on a finished mesh of 450,000 nodes repaints within 200 ms.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTest>
#include <algorithm>
#include <cstdio>

#include "gui_test_support.h"
#include "tests/ui/mesh_builder.h"
#include "ui/qt/main_window.h"

namespace tesu {
namespace {

using namespace testing;

TEST(RepaintSpeed, ZoomClickOnA450000NodeMeshTakesAtMost200Ms) {
    AppState state;
    ScriptedDialogs dialogs;
    MainWindow window(state, dialogs);
    window.show();

    constexpr int GRID = 671;  // 450,241 nodes, 897,800 elements
    MeshBuilder builder;
    const int first = builder.mesh().number + 1;
    for (int j = 0; j < GRID; ++j) {
        for (int i = 0; i < GRID; ++i) builder.node(i * 399.0 / (GRID - 1), j * 399.0 / (GRID - 1));
    }
    const auto node = [first](int i, int j) { return first + j * GRID + i; };
    for (int j = 0; j + 1 < GRID; ++j) {
        for (int i = 0; i + 1 < GRID; ++i) {
            builder.add_vp(node(i, j), node(i + 1, j), node(i, j + 1));
            builder.add_vp(node(i + 1, j), node(i + 1, j + 1), node(i, j + 1));
        }
    }
    state.mesh = builder.release();
    for (const Point& p : {Point{0, 0}, {399, 0}, {399, 399}, {0, 399}, {0, 0}}) {
        state.input->outline_xy[state.input->outline_point_count++] = p;
    }
    state.input->figure_end[0] = 4;
    state.input->figure_count = 1;
    state.results.mesh_ready = 1;

    QElapsedTimer timer;
    timer.start();
    ASSERT_EQ(state.elements.elements(*state.mesh, *state.input).size(), 2u * (GRID - 1) * (GRID - 1));
    std::printf("elements found once after the run in %lld ms; zoom clicks:", timer.elapsed());
    MeshView& view = *window.mesh_view();
    qint64 fastest = 1'000'000;
    for (int i = 0; i < 6; ++i) {
        timer.restart();
        QTest::mouseClick(&view, i % 2 ? Qt::RightButton : Qt::LeftButton, {}, view.rect().center());
        fastest = std::min(fastest, timer.elapsed());
        std::printf(" %lld", timer.elapsed());
    }
    std::printf(" ms\n");
    EXPECT_GT(count_pixels(view.image(), IMAGE_WHITE), view.width() * 100);
    // The fastest of several: the machine may be busy during any one of them.
    EXPECT_LE(fastest, 200);
}

}  // namespace
}  // namespace tesu
