// Files for one test in a temporary folder that goes with the test.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <string>

namespace tesu::testing {

class TestFiles {
public:
    std::string write(const QString& name, const QByteArray& bytes) {
        QFile file(dir_.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return QFile::encodeName(file.fileName()).toStdString();
    }
    static QByteArray read(const std::string& path) {
        QFile file(QFile::decodeName(path.c_str()));
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }
    std::string path(const QString& name) const {
        return QFile::encodeName(dir_.filePath(name)).toStdString();
    }

private:
    QTemporaryDir dir_;
};

}  // namespace tesu::testing
