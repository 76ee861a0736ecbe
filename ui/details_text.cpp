#include "ui/details_text.h"

#include "engine/format_message.h"

namespace tesu {

std::string details_text(const InputTables& input, const RunResults& results, const ViewState& view) {
    const FinishedMesh empty;
    const FinishedMesh& mesh = results.mesh ? *results.mesh : empty;
    return format_message(
        "ノード数 = %d, 要素数 = %d\n輪郭線上のノード数 = %d\n\n計算時間= %ld 秒\n\n"
        "スパン=%.3lf, 基本密度=%.3lf,拡大率=%.3lf\nVoronoi点= %d, 辺= %d (最大= %ld )\n\n"
        "入力ファイル名=%s\n出力ファイル名=%s",
        static_cast<int>(mesh.nodes.size()), results.element_count, mesh.outline_node_count,
        static_cast<long>(results.end_time - results.start_time - results.waiting_time), input.span,
        input.basic_density, view.view_scale, mesh.vp_number, mesh.ve_number, static_cast<long>(MAX_NUMBER),
        input.input_file_name.c_str(), results.output_file_name.c_str());
}

}  // namespace tesu
