#include "ui/qt/mesh_saving.h"

#include <QFile>
#include <QImage>
#include <QSaveFile>

#include "output/export_format.h"
#include "output/mesh_export.h"
#include "output/svg_picture.h"

namespace tesu {

namespace {

bool has_extension(const std::string& path, std::string_view wanted) {
    std::string extension = file_extension(path);
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension == wanted;
}

bool save_picture(const std::string& path, const QImage& picture) {
    QSaveFile file(QFile::decodeName(path.c_str()));
    return file.open(QIODevice::WriteOnly) && picture.save(&file, "PNG") && file.commit();
}

}  // namespace

bool is_save_format(const std::string& path) {
    return export_format_of(path) || has_extension(path, "svg") || has_extension(path, "png");
}

std::vector<std::string> save_mesh(const std::string& path, const FinishedMesh& mesh, const QImage& picture) {
    if (has_extension(path, "png")) {
        if (save_picture(path, picture)) return {};
        return {path};
    }
    if (has_extension(path, "svg")) {
        if (write_svg_picture(path, mesh)) return {};
        return {path};
    }
    return write_mesh_export(path, mesh);
}

}  // namespace tesu
