// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The panel's help: a non-modal window beside the panel with the help text, read with the
// keyboard and closed with Escape.

#include <QDialog>

class QTextBrowser;

namespace tavo {

class HelpWindow : public QDialog {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent = nullptr);

    [[nodiscard]] QTextBrowser* browser() const { return browser_; }

private:
    QTextBrowser* browser_ = nullptr;
};

} // namespace tavo
