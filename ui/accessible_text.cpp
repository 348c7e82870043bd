// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/accessible_text.h"

#include "core/commands.h"
#include "core/control_catalog.h"
#include "core/status_decoding.h"

#include <QCoreApplication>

namespace tavo {

// The context of the descriptions made here.
class AccessibleText {
    Q_DECLARE_TR_FUNCTIONS(tavo::AccessibleText)
};

namespace {

QString spoken(std::string_view text) {
    return QString::fromUtf8(text).simplified();
}

// A text of the catalog's own for people, in the user's language.
QString spokenFromCatalog(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    return QCoreApplication::translate("tavo::catalog", std::string(text).c_str()).simplified();
}

// A group's title: its title label's caption as the panel shows it, else its spoken title.
QString titleOf(catalog::Group group) {
    const catalog::GroupEntry& g = catalog::groupEntry(group);
    return g.titleLabel ? spoken(catalog::captionOf(*g.titleLabel)) : spokenFromCatalog(g.spokenTitle);
}

} // namespace

QString spokenGroupTitle(Control control) {
    return titleOf(catalog::groupOf(control));
}

QString accessibleNameFor(Control control, std::string_view caption) {
    const catalog::Entry& entry = catalog::entry(control);
    if (control == Control::PaneButton) {
        const catalog::PaneCaption* pane = catalog::findPaneCaption(caption);
        return pane == nullptr ? QString() : spokenFromCatalog(pane->spokenName);
    }
    if (!entry.spokenName.empty()) {
        return spokenFromCatalog(entry.spokenName);
    }
    switch (entry.kind) {
    case catalog::Kind::Frame:
        // A frame is named by the group drawn in it.
        return titleOf(catalog::groupFramedBy(control));
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

ControlEffect controlEffectFor(Control control, std::string_view caption) {
    const catalog::CommandRow command = catalog::commandOf(control);
    ControlEffect effect{
        .code = QString::fromUtf8(command.code()), .repeatsWhileHeld = command.hold != nullptr, .remarks = {}};
    if (command.oneShot != nullptr) {
        if (command.oneShot->after == AfterSend::EnterMenuContext) {
            effect.remarks += AccessibleText::tr("opens an on-screen menu, so the cursor pad then steps at menu pace");
        }
        if (isDecodedStatusRead(command.code())) {
            effect.remarks += AccessibleText::tr("the reply is decoded into the status line");
        }
    } else if (command.hold != nullptr) {
        if (command.hold->release == OnRelease::EnterDigitalZoomContext) {
            effect.remarks += AccessibleText::tr("afterwards the cursor arrows pan the zoomed picture quickly");
        }
    } else if (control == Control::PaneButton) {
        const catalog::PaneCaption* pane = catalog::findPaneCaption(caption);
        if (pane != nullptr) {
            effect.remarks += spokenFromCatalog(pane->does);
        }
    } else if (const QString does = spokenFromCatalog(catalog::entry(control).does); !does.isEmpty()) {
        effect.remarks += does;
    }
    return effect;
}

QString accessibleDescriptionFor(Control control, std::string_view caption) {
    const ControlEffect effect = controlEffectFor(control, caption);
    if (effect.code.isEmpty()) {
        return effect.remarks.value(0);
    }
    QString text = effect.repeatsWhileHeld ? AccessibleText::tr("Repeats %1 while held").arg(effect.code)
                                           : AccessibleText::tr("Sends %1").arg(effect.code);
    for (const QString& remark : effect.remarks) {
        text += AccessibleText::tr("; ") + remark;
    }
    return text;
}

} // namespace tavo
