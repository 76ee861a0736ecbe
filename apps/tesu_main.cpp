// tesu: the desktop program. `tesu [FILE.DAT]` opens the main window and,
// given a data file, runs the mesh generation on it at once; a file that
// cannot be opened is named with the reason on standard error and in a box
// over the empty window. A failure inside the computation ends the program
// with status 1 (see MainWindow); a refused file leaves it running. --help
// and --version need no display; without one the program says so and ends
// with status 2.
//
// Hidden option for the documentation: `--screenshot PNG FILE.DAT` answers
// every message box with OK, runs on the file, saves a picture of the window
// and ends.
#include <unistd.h>

#include <QApplication>
#include <QIcon>
#include <QLocale>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "output/atomic_file.h"
#include "tesu/version.h"
#include "ui/qt/box_placement.h"
#include "ui/qt/main_window.h"
#include "ui/qt/modal_dialogs.h"
#include "ui/qt/open_failure.h"
#include "ui/qt/qt_translation.h"

namespace {

using namespace tesu;

constexpr const char* USAGE = "usage: tesu [FILE.DAT]\n";
constexpr const char* HELP =
    "Usage: tesu [FILE.DAT]\n"
    "\n"
    "Opens the TESU window and, given a coordinate data file, meshes it at once.\n"
    "The window needs a display; tesu-batch meshes data files without one.\n"
    "\n"
    "Options:\n"
    "  --help     show this text\n"
    "  --version  show the version\n";

// The boxes of an unattended run: each is written to standard error and
// answered with OK.
class AnswerOk : public ModalDialogs {
public:
    Answer message_box(QWidget*, std::string_view caption, std::string_view text, Buttons) override {
        std::fprintf(stderr, "%.*s\n%.*s\n\n", int(caption.size()), caption.data(), int(text.size()),
                     text.data());
        return Answer::ok;
    }
    std::optional<std::string> choose_data_file(QWidget*, const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::string> choose_save_file(QWidget*, const std::string&) override {
        return std::nullopt;
    }
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

// Why the data file cannot be read, as the system says it; empty when it can.
std::string open_problem(const std::string& path) {
    const int failure = open_failure(path);
    if (failure == 0) return {};
    return failure == NOT_A_REGULAR_FILE ? "Not a regular file" : std::strerror(failure);
}

// The answers that need no window, before Qt looks for a display; true
// when `argv` asked for one of them.
bool answered_without_window(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--") break;
        if (arg == "--help" || arg == "-h") {
            std::fputs(HELP, stdout);
            return true;
        }
        if (arg == "--version") {
            std::puts("tesu " TESU_VERSION);
            return true;
        }
    }
    return false;
}

// Qt would abort on the first window without a display; a platform chosen
// explicitly (offscreen, for the tests) needs none.
bool has_display() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') return true;
    }
    return false;
}

// Ctrl+C in the terminal or a kill: a result file being written goes with
// the program, its earlier version stays.
void end_on_signal(int signal) {
    remove_unfinished_temporaries();
    _exit(128 + signal);
}

}  // namespace

int main(int argc, char** argv) {
    if (answered_without_window(argc, argv)) return 0;
    if (!has_display()) {
        std::fputs(
            "tesu: no display (DISPLAY and WAYLAND_DISPLAY are not set); the window needs one, "
            "use tesu-batch FILE.DAT to mesh without a window\n",
            stderr);
        return 2;
    }
    std::signal(SIGINT, end_on_signal);
    std::signal(SIGTERM, end_on_signal);
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
                QApplication::exit(saved && state.mesh_ready ? 0 : 1);
            });
        }
        if (const std::string problem = open_problem(options.data_file); !problem.empty())
            std::fprintf(stderr, "tesu: %s: %s\n", options.data_file.c_str(), problem.c_str());
        // Once the window manager has placed the window, so that the summary
        // box is centred over it.
        when_exposed(window, [&] {
            window.load_file(options.data_file);
            // A run that never started (a file refused or not opened) ends
            // the unattended program at once.
            if (screenshot && !window.running()) QApplication::exit(1);
        });
    }
    return app.exec();
}
