// The About box, centred on its owner. Only its OK button closes it: Escape
// and the close box leave it open, and the home-page button opens the
// browser beside it, or shows the address when no browser can be started.
#pragma once

#include <QDialog>
#include <functional>
#include <string_view>

class QPushButton;
class QUrl;

namespace tesu {

class ModalDialogs;

inline constexpr const char* HOME_PAGE = "https://tesu.example.org/";
inline constexpr std::string_view ABOUT_CAPTION = "TESUについて";

class AboutDialog : public QDialog {
    Q_OBJECT

public:
    using UrlOpener = std::function<bool(const QUrl&)>;

    // The address box is asked through `dialogs`, or a box of its own when
    // there are none.
    explicit AboutDialog(QWidget* owner = nullptr, ModalDialogs* dialogs = nullptr);

    // Starts the browser; QDesktopServices::openUrl unless set.
    void set_url_opener(UrlOpener opener) { open_url_ = std::move(opener); }

    QPushButton* ok_button() const { return ok_button_; }
    QPushButton* home_page_button() const { return home_page_button_; }

public Q_SLOTS:
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void open_home_page();

    ModalDialogs* dialogs_;
    UrlOpener open_url_;
    QPushButton* ok_button_;
    QPushButton* home_page_button_;
    bool ok_pressed_ = false;
};

}  // namespace tesu
