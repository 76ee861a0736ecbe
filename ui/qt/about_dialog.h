// The About box. Only its OK button closes it: Escape and the close box leave
// it open, and the home-page button opens the browser beside it.
#pragma once

#include <QDialog>

class QPushButton;

namespace tesu {

inline constexpr const char* HOME_PAGE = "https://tesu.example.org/";

class AboutDialog : public QDialog {
    Q_OBJECT

public:
    explicit AboutDialog(QWidget* owner = nullptr);

    QPushButton* ok_button() const { return ok_button_; }
    QPushButton* home_page_button() const { return home_page_button_; }

public Q_SLOTS:
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QPushButton* ok_button_;
    QPushButton* home_page_button_;
    bool ok_pressed_ = false;
};

}  // namespace tesu
