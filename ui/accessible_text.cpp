// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/accessible_text.h"

#include "core/commands.h"
#include "core/control_catalog.h"
#include "core/status_decoding.h"

namespace tavo {

namespace {

QString spoken(std::string_view text) {
    return QString::fromUtf8(text).simplified();
}

} // namespace

QString spokenGroupTitle(Control control) {
    return spoken(catalog::groupTitle(catalog::groupOf(control)));
}

QString accessibleNameFor(Control control, std::string_view caption) {
    const catalog::Entry& entry = catalog::entry(control);
    if (control == Control::PaneButton) {
        const catalog::PaneCaption* pane = catalog::findPaneCaption(caption);
        return pane == nullptr ? QString() : spoken(pane->spokenName);
    }
    if (!entry.spokenName.empty()) {
        return spoken(entry.spokenName);
    }
    switch (entry.kind) {
    case catalog::Kind::Frame:
        // A frame is named by the group drawn in it.
        return spoken(catalog::groupTitle(catalog::groupFramedBy(control)));
    case catalog::Kind::OneShotButton:
    case catalog::Kind::HoldButton:
    case catalog::Kind::OtherButton:
    case catalog::Kind::Option: {
        const QString group = spokenGroupTitle(control);
        return group.isEmpty() ? spoken(caption) : group + QLatin1Char(' ') + spoken(caption);
    }
    case catalog::Kind::Label:
    case catalog::Kind::Image:
        break;
    }
    return {};
}

QString accessibleDescriptionFor(Control control, std::string_view caption) {
    const catalog::CommandRow command = catalog::commandOf(control);
    if (command.oneShot != nullptr) {
        QString text = QStringLiteral("Sends ") + QString::fromUtf8(command.code());
        if (command.oneShot->after == AfterSend::EnterMenuContext) {
            text += QStringLiteral("; opens an on-screen menu, so the cursor pad then steps at menu pace");
        }
        if (isDecodedStatusRead(command.code())) {
            text += QStringLiteral("; the reply is decoded into the status line");
        }
        return text;
    }
    if (command.hold != nullptr) {
        QString text = QStringLiteral("Repeats ") + QString::fromUtf8(command.code()) + QStringLiteral(" while held");
        if (command.hold->release == OnRelease::EnterDigitalZoomContext) {
            text += QStringLiteral("; afterwards the cursor arrows pan the zoomed picture quickly");
        }
        return text;
    }
    if (control == Control::PaneButton) {
        const catalog::PaneCaption* pane = catalog::findPaneCaption(caption);
        return pane == nullptr ? QString() : spoken(pane->does);
    }
    return spoken(catalog::entry(control).does);
}

} // namespace tavo
