#include "ui/qt/partial_lines_report.h"

#include <algorithm>

#include "input/data_file.h"
#include "ui/qt/shift_jis_text.h"

namespace tesu {

std::string partial_lines_report(const std::vector<PartialLine>& lines) {
    std::string text(PARTIAL_LINES_INTRO);
    text += '\n';
    const std::size_t named = std::min(lines.size(), PARTIAL_LINES_NAMED);
    for (std::size_t i = 0; i < named; ++i) {
        text += '\n';
        text += partial_line_text({lines[i].number, decode_cp932(lines[i].text).utf8});
    }
    if (lines.size() > named) text += '\n' + more_partial_lines_text(lines.size() - named);
    return text;
}

}  // namespace tesu
