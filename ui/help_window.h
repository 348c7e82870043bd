// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The panel's help: a non-modal window beside the panel with the help text, read with the
// keyboard and closed with Escape.

#include <QDialog>
#include <QString>

class QTextBrowser;

namespace tavo {

class HelpWindow : public QDialog {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent = nullptr);

    [[nodiscard]] QTextBrowser* browser() const { return browser_; }
    // The port, device and line in use, named where the help tells of devices; the reader keeps
    // the place in the text.
    void setDevice(const QString& device);

private:
    QTextBrowser* browser_ = nullptr;
    QString device_;
};

} // namespace tavo
