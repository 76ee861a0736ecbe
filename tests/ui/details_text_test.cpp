#include "ui/details_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <memory>

namespace tesu {
namespace {

TEST(DetailsText, ShowsTheRunAndTheCurrentZoomInTheCLocale) {
    auto input = std::make_unique<InputTables>();
    RunResults results;
    ViewState view;
    results.mesh.emplace();
    results.mesh->nodes.resize(234);
    results.mesh->outline_node_count = 72;
    results.mesh->vp_number = 812;
    results.mesh->ve_number = 1215;
    input->span = 2;
    input->basic_density = 19.95;
    input->input_file_name = "/data/plate.DAT";
    results.output_file_name = "/data/plate.TES";
    results.element_count = 396;
    results.start_time = 1000;
    results.end_time = 1003;
    reset_view(view, 680, 557);
    zoom_in_at(view, 100, 100);
    zoom_in_at(view, 300, 200);

    // A locale with a decimal comma, where one is installed.
    const std::string before = std::setlocale(LC_NUMERIC, nullptr);
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    const std::string text = details_text(*input, results, view);
    std::setlocale(LC_NUMERIC, before.c_str());
    EXPECT_EQ(text,
              "ノード数 = 234, 要素数 = 396\n輪郭線上のノード数 = 72\n\n計算時間= 3 秒\n\n"
              "スパン=2.000, 基本密度=19.950,拡大率=4.000\nVoronoi点= 812, 辺= 1215 (最大= 2000000000 )\n\n"
              "入力ファイル名=/data/plate.DAT\n出力ファイル名=/data/plate.TES");
}

}  // namespace
}  // namespace tesu
