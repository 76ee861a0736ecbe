// The commands of the main window's menu. The ids are the keys of the
// command dispatch; 40005 belongs to no item.
#pragma once

namespace tesu {

enum Command : int {
    LOAD_DATA = 40001,
    EXIT = 40002,
    ABOUT = 40003,
    HELP_CONTENTS = 40004,
    SHOW_VORONOI = 40006,
    ZOOM_HINT = 40007,
    EDIT_DATA = 40008,
    SHOW_DETAILS = 40009,
    HISTOGRAM_NONE = 40010,
    HISTOGRAM_1 = 40011,
    HISTOGRAM_2 = 40012,
    HISTOGRAM_3 = 40013,
    SAVE_MESH = 40014,
    QUALITY_COLOURS = 40015,
    QUALITY_MODE = 40016,
    QUALITY_ANGLE = 40017,
};

}  // namespace tesu
