#include "ui/qt/status_line.h"

#include <QLabel>
#include <algorithm>
#include <cmath>

#include "output/file_units.h"

namespace tesu {

namespace {

QString stage_text(RunStage stage) {
    switch (stage) {
        case RunStage::outline_nodes:
            return QStringLiteral("輪郭線上にノードを配置中");
        case RunStage::insertion:
            return QStringLiteral("ノードを挿入中");
        case RunStage::interior_search:
            return QStringLiteral("内部のノードを探索中");
        case RunStage::refinement:
            return QStringLiteral("要素を細分中");
        case RunStage::writing:
            return QStringLiteral("結果を書き込み中");
    }
    return {};
}

QString colour_name(Colour colour) { return QColor(colour.red, colour.green, colour.blue).name(); }

// "■<20° ■<30° ■<40° ■<50° ■≥50°", each square in its band's colour.
QString legend_text() {
    QStringList bands;
    double from = 0;
    for (const QualityBand& band : QUALITY_BANDS) {
        const QString range = std::isinf(band.below) ? QStringLiteral("≥%1°").arg(from)
                                                     : QStringLiteral("<%1°").arg(band.below);
        bands << QStringLiteral("<span style=\"color:%1\">■</span>%2")
                     .arg(colour_name(band.fill), range.toHtmlEscaped());
        from = band.below;
    }
    return bands.join(QStringLiteral(" "));
}

// Decimals enough to tell neighbouring pixels apart, `step` file units apart.
int decimals_for(double step) {
    if (!(std::isfinite(step) && step > 0)) return 3;
    return static_cast<int>(std::clamp(std::ceil(-std::log10(step)), 0.0, 9.0));
}

}  // namespace

StatusLine::StatusLine(AppState& state, QWidget* parent)
    : QStatusBar(parent), state_(state), legend_(new QLabel(legend_text(), this)), note_(new QLabel(this)) {
    legend_->setTextFormat(Qt::RichText);
    legend_->setToolTip(QStringLiteral("要素の最小角による色分け"));
    legend_->hide();
    note_->setTextFormat(Qt::PlainText);
    // Shown whenever no message covers it.
    addWidget(note_, 1);
    // A note coming or going must not resize the drawing above, which
    // would repaint away what a run drew.
    note_->setText(QStringLiteral("最小角"));
    setFixedHeight(sizeHint().height());
    note_->clear();
}

void StatusLine::note_finished(const FinishedMesh& mesh, std::size_t missing_segments, bool quality_mode) {
    if (mesh.elements.empty()) {
        note_->setText(QStringLiteral("要素がありません。閉じた図形があるか確かめて下さい。"));
        return;
    }
    const double smallest = *std::ranges::min_element(mesh.smallest_angles);
    QString text = QStringLiteral("最小角 %1°").arg(smallest, 0, 'f', 1);
    if (missing_segments > 0) {
        text += QStringLiteral("　輪郭線の %1 区間が要素の辺になっていません。").arg(missing_segments);
        if (!quality_mode) text += QStringLiteral("品質モード (表示 > 品質モード) で沿わせられます。");
    }
    note_->setText(text);
}

void StatusLine::note_stopped() { note_->setText(QStringLiteral("中止しました")); }

void StatusLine::clear_note() { note_->clear(); }

QString StatusLine::note() const { return note_->text(); }

void StatusLine::show_progress(const RunProgress& progress) {
    showMessage(QStringLiteral("%1… ノード数 = %2").arg(stage_text(progress.stage)).arg(progress.nodes));
}

void StatusLine::show_legend(bool shown) { legend_->setVisible(shown); }

void StatusLine::show_point(QPoint at) {
    if (!state_.mesh_ready || !state_.results.mesh) return clearMessage();
    const FinishedMesh& mesh = *state_.results.mesh;
    const ViewState& view = state_.view;
    const InputTables& input = state_.run.input();
    const DrawingPoint drawing = screen_to_drawing(view, at.x(), at.y());
    const Point file = to_file_units(input, {drawing.x, drawing.y});
    // Drawing units across one pixel.
    const double pixel = 1 / (base_factor(view) * view.view_scale);
    const int decimals = decimals_for(pixel / input.data_scale);
    QString text =
        QStringLiteral("x = %1, y = %2").arg(file.x, 0, 'f', decimals).arg(file.y, 0, 'f', decimals);

    if (const int node = state_.probe.node_near(mesh, drawing.x, drawing.y, NODE_PICK_PIXELS * pixel)) {
        text += QStringLiteral("　ノード %1").arg(node);
    } else if (const int element = state_.probe.element_at(mesh, drawing.x, drawing.y)) {
        const auto i = static_cast<std::size_t>(element - 1);
        const auto& [p, q, r] = mesh.elements[i];
        text += QStringLiteral("　要素 %1 (ノード %2 %3 %4)　最小角 %5°")
                    .arg(element)
                    .arg(p)
                    .arg(q)
                    .arg(r)
                    .arg(mesh.smallest_angles[i], 0, 'f', 1);
    }
    showMessage(text);
}

}  // namespace tesu
