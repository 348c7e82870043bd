// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/panel_builder.h"

#include "core/control_catalog.h"
#include "ui/accessible_text.h"
#include "ui/control_table.h"
#include "ui/hold_push_button.h"
#include "ui/panel_button.h"

#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QRadioButton>
#include <QTimer>
#include <algorithm>

namespace tavo {

namespace {

QColor toColor(layout::Rgb rgb) {
    return {rgb.r, rgb.g, rgb.b};
}

QRect pixelRect(const layout::ControlRow& row) {
    return {layout::toPixels(row.x), layout::toPixels(row.y), layout::toPixels(row.w), layout::toPixels(row.h)};
}

QFont fontFor(const layout::FontStyle& style) {
    QFont font(QString::fromUtf8(style.face == layout::Face::Gothic ? layout::kGothicFamily : layout::kPGothicFamily));
    font.setPointSizeF(style.points);
    font.setWeight(style.bold ? QFont::Bold : QFont::Normal);
    return font;
}

Qt::Alignment alignmentFor(layout::Align align) {
    switch (align) {
    case layout::Align::Centre:
        return Qt::AlignHCenter | Qt::AlignTop;
    case layout::Align::Right:
        return Qt::AlignRight | Qt::AlignTop;
    case layout::Align::Left:
        break;
    }
    return Qt::AlignLeft | Qt::AlignTop;
}

bool isWindowless(catalog::Kind kind) {
    return kind == catalog::Kind::Label || kind == catalog::Kind::Image;
}

void styleWindow(QWidget& window) {
    window.setWindowTitle(QString::fromUtf8(layout::kTitle));
    QIcon icon;
    icon.addFile(QStringLiteral(":/tavo/icon-32-mono.png"), QSize(32, 32));
    icon.addFile(QStringLiteral(":/tavo/icon-32-16.png"), QSize(32, 32));
    icon.addFile(QStringLiteral(":/tavo/icon-16-16.png"), QSize(16, 16));
    window.setWindowIcon(icon);

    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, toColor(layout::kWindowBackground));
    window.setPalette(palette);
    window.setAutoFillBackground(true);
    window.setFont(fontFor(layout::kWindowFont));

    window.setFixedSize(layout::toPixels(layout::kClientWidth), layout::toPixels(layout::kClientHeight));
}

QWidget* createWidget(const catalog::Entry& entry, const layout::ControlRow& row, QWidget* parent) {
    const QString caption = QString::fromUtf8(entry.caption);
    switch (entry.kind) {
    case catalog::Kind::HoldButton:
    case catalog::Kind::OneShotButton:
    case catalog::Kind::OtherButton: {
        QPushButton* button =
            entry.kind == catalog::Kind::HoldButton ? new HoldPushButton(parent) : new PanelButton(parent);
        button->setText(caption);
        return button;
    }
    case catalog::Kind::Option: {
        auto* option = new QRadioButton(caption, parent);
        option->setChecked(row.selected);
        return option;
    }
    case catalog::Kind::Frame: {
        auto* frame = new QFrame(parent);
        frame->setFrameStyle(QFrame::Box | QFrame::Sunken); // etched, without a title
        return frame;
    }
    case catalog::Kind::Label: {
        auto* label = new QLabel(parent);
        // Device replies are shown in labels: never let markup in them be interpreted.
        label->setTextFormat(Qt::PlainText);
        label->setText(caption);
        label->setWordWrap(true);
        label->setAlignment(alignmentFor(row.align));
        if (row.border) {
            label->setFrameStyle(QFrame::Box | QFrame::Plain);
            label->setLineWidth(1);
        }
        return label;
    }
    case catalog::Kind::Image: {
        auto* image = new QLabel(parent);
        image->setPixmap(QPixmap(QStringLiteral(":/tavo/logo.png")));
        image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return image;
    }
    }
    return nullptr;
}

void applyLooks(QWidget* widget, const catalog::Entry& entry, const layout::ControlRow& row) {
    QPalette palette = widget->palette();
    if (row.background) {
        const QColor colour = toColor(*row.background);
        if (catalog::isButton(entry.kind)) {
            palette.setColor(QPalette::Button, colour);
        } else {
            palette.setColor(QPalette::Window, colour);
            widget->setAutoFillBackground(true);
        }
    }
    if (row.text) {
        palette.setColor(QPalette::WindowText, toColor(*row.text));
        palette.setColor(QPalette::ButtonText, toColor(*row.text));
    }
    widget->setPalette(palette);
    if (row.font.face != layout::Face::None) {
        widget->setFont(fontFor(row.font));
    }
    // Labels without a name of their own are read by their text.
    const QString name = accessibleNameFor(entry.control, entry.caption);
    if (!name.isEmpty()) {
        widget->setAccessibleName(name);
    }
    widget->setAccessibleDescription(accessibleDescriptionFor(entry.control, entry.caption));
}

void buildControls(QWidget& window, PanelWidgets& built) {
    for (const layout::ControlRow& row : layout::kControls) {
        const catalog::Entry& entry = catalog::entry(row.control);
        QWidget* parent = row.parent ? built.controls[index(*row.parent)] : &window;
        QWidget* widget = createWidget(entry, row, parent);
        widget->setObjectName(QString::fromUtf8(row.id));
        QRect rect = pixelRect(row);
        if (row.parent) {
            // Rounded in window coordinates first, so that controls inside and outside a frame
            // stay on one pixel grid.
            rect.translate(-pixelRect(layout::find(*row.parent)).topLeft());
        }
        widget->setGeometry(rect);
        applyLooks(widget, entry, row);
        if (row.hidden) {
            widget->hide();
        }
        // Only COM and the background offer the context menu; every other button keeps its right
        // mouse button to itself (hold buttons react to any button).
        if (catalog::isFocusable(entry.kind) && row.control != Control::PortButton) {
            widget->setContextMenuPolicy(Qt::PreventContextMenu);
        }
        built.controls[index(row.control)] = widget;
        if (auto* hold = qobject_cast<HoldPushButton*>(widget)) {
            built.holdButtons.push_back(hold);
        }
    }

    // Windowed controls lie above labels and the image; reverse order keeps the table's order
    // among the windowless ones.
    for (auto it = layout::kControls.rbegin(); it != layout::kControls.rend(); ++it) {
        if (isWindowless(catalog::kindOf(it->control))) {
            built.controls[index(it->control)]->lower();
        }
    }

    std::vector<const layout::ControlRow*> focusable;
    for (const layout::ControlRow& row : layout::kControls) {
        if (row.tab > 0) {
            focusable.push_back(&row);
        }
    }
    std::ranges::sort(focusable, {}, &layout::ControlRow::tab);
    for (std::size_t i = 1; i < focusable.size(); ++i) {
        QWidget::setTabOrder(built.controls[index(focusable[i - 1]->control)],
                             built.controls[index(focusable[i]->control)]);
    }
}

void buildTimers(QWidget& window, PanelWidgets& built) {
    for (const layout::TimerRow& row : layout::kTimers) {
        auto* timer = new QTimer(&window);
        timer->setObjectName(QString::fromUtf8(row.id));
        // The repeat runs at 5 to 50 ms; a coarse timer would merge ticks.
        timer->setTimerType(Qt::PreciseTimer);
        timer->setSingleShot(false);
        timer->setInterval(startInterval(row.timer));
        built.timers[index(row.timer)] = timer;
    }
}

} // namespace

PanelWidgets buildPanel(QWidget& window) {
    styleWindow(window);
    PanelWidgets built;
    buildControls(window, built);
    buildTimers(window, built);
    return built;
}

void paintPanelLines(QPainter& painter) {
    QPen pen(toColor(layout::kLineColour), layout::kLinePixels);
    pen.setCapStyle(Qt::SquareCap);
    painter.setPen(pen);
    for (const layout::LineRow& line : layout::kLines) {
        painter.drawLine(layout::toPixels(line.x1), layout::toPixels(line.y1), layout::toPixels(line.x2),
                         layout::toPixels(line.y2));
    }
}

QMargins assumedDecorations() {
    const int side = layout::toPixels(layout::kAssumedDecorationWidth) / 2;
    const int titleAndFrame = layout::toPixels(layout::kAssumedDecorationHeight) - side;
    return {side, titleAndFrame, side, side};
}

} // namespace tavo
