// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/accessible_text.h"

#include "core/commands.h"
#include "core/status_decoding.h"
#include "ui/control_table.h"

#include <algorithm>

namespace tavo {

namespace {

QString spoken(std::string_view text) {
    return QString::fromUtf8(text).simplified();
}

QString frameName(const layout::ControlRow& frame) {
    if (!frame.accessibleName.empty()) {
        return spoken(frame.accessibleName);
    }
    const layout::ControlRow* title = layout::titleLabelIn(frame.control);
    return title == nullptr ? QString() : spoken(title->caption);
}

} // namespace

QString groupTitle(Control control) {
    const layout::ControlRow* row = layout::find(control);
    if (row == nullptr) {
        return {};
    }
    if (row->group) {
        return spoken(layout::find(*row->group)->caption);
    }
    return row->parent ? frameName(*layout::find(*row->parent)) : QString();
}

QString accessibleNameFor(Control control, std::string_view caption) {
    const layout::ControlRow* row = layout::find(control);
    if (row == nullptr) {
        return {};
    }
    if (control == Control::PaneButton) {
        const layout::PaneCaption* pane = layout::findPaneCaption(caption);
        return pane == nullptr ? QString() : spoken(pane->accessibleName);
    }
    if (!row->accessibleName.empty()) {
        return spoken(row->accessibleName);
    }
    switch (row->kind) {
    case layout::Kind::Frame:
        return frameName(*row);
    case layout::Kind::Button:
    case layout::Kind::Option: {
        const QString group = groupTitle(control);
        return group.isEmpty() ? spoken(caption) : group + QLatin1Char(' ') + spoken(caption);
    }
    case layout::Kind::Label:
    case layout::Kind::Image:
        break;
    }
    return {};
}

QString accessibleDescriptionFor(Control control, std::string_view caption) {
    if (const OneShotCommand* command = findOneShot(control)) {
        QString text = QStringLiteral("Sends ") + QString::fromUtf8(command->code);
        if (command->after == AfterSend::EnterMenuContext) {
            text += QStringLiteral("; opens an on-screen menu, so the cursor pad then steps at menu pace");
        }
        if (isDecodedStatusRead(command->code)) {
            text += QStringLiteral("; the reply is decoded into the status line");
        }
        return text;
    }
    if (const HoldCommand* command = findHold(control)) {
        QString text = QStringLiteral("Repeats ") + QString::fromUtf8(command->code) + QStringLiteral(" while held");
        if (command->release == OnRelease::EnterDigitalZoomContext) {
            text += QStringLiteral("; afterwards the cursor arrows pan the zoomed picture quickly");
        }
        return text;
    }
    if (control == Control::PaneButton) {
        const layout::PaneCaption* pane = layout::findPaneCaption(caption);
        return pane == nullptr ? QString() : spoken(pane->does);
    }
    const layout::ControlRow* row = layout::find(control);
    return row == nullptr ? QString() : spoken(row->does);
}

} // namespace tavo
