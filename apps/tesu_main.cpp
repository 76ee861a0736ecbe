// tesu: the desktop program. `tesu [FILE.DAT]` opens the main window and,
// given a data file, runs the mesh generation on it at once.
//
// Hidden option for the documentation: `--screenshot PNG FILE.DAT` answers
// every message box with OK, runs on the file, saves a picture of the window
// and ends.
#include <QApplication>
#include <QIcon>
#include <QLocale>
#include <QTimer>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <string>

#include "ui/qt/main_window.h"
#include "ui/qt/modal_dialogs.h"
#include "ui/qt/qt_translation.h"

namespace {

using namespace tesu;

constexpr const char* USAGE = "usage: tesu [FILE.DAT]\n";

// The boxes of an unattended run: each is written to standard error and
// answered with OK.
class AnswerOk : public ModalDialogs {
public:
    Answer message_box(QWidget*, std::string_view caption, std::string_view text, Buttons) override {
        std::fprintf(stderr, "%.*s\n%.*s\n\n", int(caption.size()), caption.data(), int(text.size()),
                     text.data());
        return Answer::ok;
    }
    std::optional<std::string> choose_data_file(QWidget*) override { return std::nullopt; }
    SaveChoice ask_to_save(QWidget*, const QString&) override { return SaveChoice::discard; }
    void show_about(QWidget*) override {}
};

struct Options {
    std::string data_file;
    std::string screenshot;
};

bool parse_options(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--screenshot") == 0 && i + 1 < argc) {
            options.screenshot = argv[++i];
        } else if (argv[i][0] == '-' || !options.data_file.empty()) {
            return false;
        } else {
            options.data_file = argv[i];
        }
    }
    return options.screenshot.empty() || !options.data_file.empty();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Qt takes the locale from the environment; numbers are read and written
    // the same everywhere.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("TESU"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/tesu.png")));
    install_qt_translation(app, QLocale::system());

    Options options;
    if (!parse_options(argc, argv, options)) {
        std::fputs(USAGE, stderr);
        return 2;
    }

    AppState state;
    QtDialogs dialogs;
    AnswerOk unattended;
    const bool screenshot = !options.screenshot.empty();
    MainWindow window(state, screenshot ? static_cast<ModalDialogs&>(unattended) : dialogs);
    window.show();

    if (!options.data_file.empty()) {
        if (screenshot) {
            QObject::connect(&window, &MainWindow::run_ended, &window, [&] {
                const bool saved =
                    window.grab().save(QString::fromLocal8Bit(options.screenshot.c_str()), "PNG");
                if (!saved) std::fprintf(stderr, "tesu: cannot write %s\n", options.screenshot.c_str());
                QApplication::exit(saved && state.results.mesh_ready ? 0 : 1);
            });
        }
        QTimer::singleShot(0, &window, [&] {
            window.load_file(options.data_file);
            // A run that never started (a file refused or not opened) ends
            // the unattended program at once.
            if (screenshot && !window.running()) QApplication::exit(1);
        });
    }
    return app.exec();
}
