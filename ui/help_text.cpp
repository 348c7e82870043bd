// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/help_text.h"

#include "core/commands.h"
#include "core/control_catalog.h"
#include "core/panel_logic.h"
#include "core/status_decoding.h"
#include "ui/accessible_text.h"

#include <QCoreApplication>
#include <QStringList>
#include <initializer_list>

namespace tavo {

// The context of the help's texts.
class HelpText {
    Q_DECLARE_TR_FUNCTIONS(tavo::HelpText)
};

namespace {

QString html(std::string_view text) {
    return QString::fromUtf8(text).toHtmlEscaped();
}

// A caption or token kept whole in running text. The layout breaks lines after a hyphen ("L-TIME")
// and between any two Japanese characters, so a word joiner holds each pair of characters together,
// and the blanks do not break. Only in running text: the table sets captions and codes in blocks of
// their own, so that what is copied from there is what is typed.
QString whole(const QString& text) {
    QString kept;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (i > 0 && !c.isLowSurrogate()) {
            kept += QChar(0x2060);
        }
        kept += c == QLatin1Char(' ') ? QChar(QChar::Nbsp) : c;
    }
    return kept.toHtmlEscaped();
}

QString whole(std::string_view text) {
    return whole(QString::fromUtf8(text));
}

// A block within a table cell: one that wraps between words, or one that never wraps.
QString block(const QString& html) {
    return QStringLiteral("<p style=\"margin:0\">%1</p>").arg(html);
}
QString unbrokenBlock(const QString& html) {
    return QStringLiteral("<p style=\"margin:0; white-space:nowrap\">%1</p>").arg(html);
}

// Lines to type, each on a line of its own that never wraps. They are the same in every language.
QString commandLines(std::initializer_list<const char*> lines) {
    QStringList escaped;
    for (const char* line : lines) {
        escaped += QString::fromUtf8(line).toHtmlEscaped();
    }
    return QStringLiteral("<pre style=\"margin-left:12px; line-height:125%\">%1</pre>")
        .arg(escaped.join(QLatin1Char('\n')));
}

// What a Japanese caption of the pane button says, for readers of another language; nothing where
// the reader's words are the caption's own.
QString readingOf(const catalog::PaneCaption& pane) {
    if (pane.reads.empty()) {
        return {};
    }
    const QString reads = QCoreApplication::translate("tavo::catalog", std::string(pane.reads).c_str());
    return reads == QString::fromUtf8(pane.caption) ? QString()
                                                    : HelpText::tr("(Japanese for “%1”)").arg(reads.toHtmlEscaped());
}

QString capitalised(QString text) {
    if (!text.isEmpty()) {
        text[0] = text.at(0).toUpper();
    }
    return text;
}

// The button's cell: its group, or the name that a symbol alone does not say, over the caption.
QString buttonCell(const catalog::Entry& entry) {
    QString above = spokenGroupTitle(entry.control);
    if (above.isEmpty() && !entry.spokenName.empty()) {
        above = accessibleNameFor(entry.control, entry.caption);
    }
    QString cell = above.isEmpty() ? QString() : block(above.toHtmlEscaped());
    cell += unbrokenBlock(QStringLiteral("<b>%1</b>").arg(html(entry.caption)));
    if (entry.control == Control::PaneButton) {
        const catalog::PaneCaption* pane = catalog::findPaneCaption(entry.caption);
        const QString reading = pane == nullptr ? QString() : readingOf(*pane);
        if (!reading.isEmpty()) {
            cell += block(reading);
        }
    }
    return cell;
}

// The code it sends on a line of its own, then what else it does, or what it does instead.
QString effectCell(const catalog::Entry& entry) {
    const ControlEffect effect = controlEffectFor(entry.control, entry.caption);
    QString cell = effect.code.isEmpty() ? QString() : unbrokenBlock(effect.code.toHtmlEscaped());
    if (effect.repeatsWhileHeld) {
        cell += block(HelpText::tr("Repeats while held"));
    }
    for (const QString& remark : effect.remarks) {
        cell += block(capitalised(remark).toHtmlEscaped());
    }
    return cell;
}

// One row per button and option, in the catalog's order (top row first).
QString buttonTable() {
    QString rows;
    for (const catalog::Entry& entry : catalog::kEntries) {
        if (catalog::isFocusable(entry.kind)) {
            rows += QStringLiteral("<tr><td>%1</td><td>%2</td></tr>").arg(buttonCell(entry), effectCell(entry));
        }
    }
    return QStringLiteral("<table cellspacing=\"0\" cellpadding=\"2\" border=\"1\"><tr><th>%1</th><th>%2</th></tr>")
               .arg(HelpText::tr("Button"), HelpText::tr("Sends, or does")) +
           rows + QStringLiteral("</table>");
}

// The group titles of the buttons a predicate picks, or their names where they have no group.
template <typename Pick> QString namesOf(Pick pick) {
    QStringList names;
    for (const catalog::Entry& entry : catalog::kEntries) {
        if (!catalog::isButton(entry.kind) || !pick(entry.control)) {
            continue;
        }
        const QString group = spokenGroupTitle(entry.control);
        QString name;
        if (!group.isEmpty()) {
            name = whole(group);
        } else if (!entry.spokenName.empty()) {
            name = accessibleNameFor(entry.control, entry.caption).toHtmlEscaped();
        } else {
            name = whole(entry.caption);
        }
        if (!names.contains(name)) {
            names += name;
        }
    }
    const QString last = names.isEmpty() ? QString() : names.takeLast();
    return names.isEmpty() ? last : HelpText::tr("%1 and %2").arg(names.join(HelpText::tr(", ")), last);
}

QString paneCaptions() {
    QStringList items;
    for (const catalog::PaneCaption& pane : catalog::kPaneCaptions) {
        QString caption = QStringLiteral("<b>%1</b>").arg(whole(pane.caption));
        if (const QString reading = readingOf(pane); !reading.isEmpty()) {
            caption += QLatin1Char(' ') + reading;
        }
        items += QStringLiteral("%1: %2").arg(
            caption, accessibleDescriptionFor(Control::PaneButton, pane.caption).toLower().toHtmlEscaped());
    }
    return items.join(HelpText::tr("; "));
}

// The panel's groups, the hold buttons and what the data pane shows.
QString panelSection() {
    QString text = HelpText::tr("<h3>The panel</h3>"
                                "<p>Each button sends one command line to the projector over the serial line: its code "
                                "and a carriage return (the table below lists them). The top rows choose power and "
                                "input; the ON and OFF pairs switch their function; the picture buttons set the "
                                "picture; COM shows the port panel, where the port and the line speed are chosen.</p>");
    text += HelpText::tr("<p><b>Hold buttons</b> (%1) send at once when pressed with any mouse button "
                         "and repeat while held. Activating a hold button from the keyboard sends "
                         "nothing, by design: no key can start a repeat that no release would "
                         "end.</p>")
                .arg(namesOf(isHoldButton));
    text += HelpText::tr("<p><b>Replies</b> appear in the full view: TXD shows the line sent, RXD the "
                         "reply, with control characters as tokens and \"%1\" for a reply that "
                         "did not come. The replies to %2 are decoded into the status line; every "
                         "other reply, such as %3's, is shown in RXD only.</p>")
                .arg(whole(QString::fromUtf8(kNoReplyMarker).trimmed()), namesOf([](Control control) {
                         const OneShotCommand* command = findOneShot(control);
                         return command != nullptr && isDecodedStatusRead(command->code);
                     }),
                     whole(catalog::captionOf(Control::PTimer)));
    return text;
}

// One row per key, each with what it does.
QString keysSection() {
    QStringList rows{
        HelpText::tr("<tr><td><b>F1</b></td><td>this help; right-click the window for <i>Help</i> as well. "
                     "Escape closes it.</td></tr>"),
        HelpText::tr("<tr><td><b>Ctrl+H</b></td><td>the full view: data pane, status reads and status "
                     "line.</td></tr>"),
        HelpText::tr("<tr><td><b>Pane button</b></td><td>beside the data pane, shown after Ctrl+H. Its caption "
                     "names what the next click does: %1.</td></tr>")
            .arg(paneCaptions()),
        HelpText::tr("<tr><td><b>Ctrl+L</b></td><td>the exchange log: every line sent and every reply, one row "
                     "each, with the time of day to the millisecond, the port and the decoded status, and what "
                     "happened to the port. Rows can be selected, copied (Ctrl+C) and saved. Also "
                     "<i>Exchange Log…</i> in the context menu.</td></tr>"),
        HelpText::tr("<tr><td><b>Ctrl+D</b></td><td>the device chooser, which sets the devices COM1 and COM2 "
                     "stand for; also <i>Choose Device…</i> in the context menu of the COM button.</td></tr>"),
        HelpText::tr("<tr><td><b>Menu</b>, <b>Shift+F10</b></td><td>the context menu at the button that has "
                     "the focus: the device chooser, this help, the exchange log and the views.</td></tr>"),
        HelpText::tr("<tr><td><b>Tab</b>, <b>Space</b></td><td>move between the buttons in view and activate "
                     "one-shot buttons; buttons below the window's lower edge are passed by.</td></tr>"),
    };
    return HelpText::tr("<h3>Keys</h3>") + QStringLiteral("<table cellspacing=\"0\" cellpadding=\"2\">") +
           rows.join(QString()) + QStringLiteral("</table>");
}

// The devices COM1 and COM2 may stand for, and the one in use now.
QString devicesSection(const QString& device) {
    QString text =
        HelpText::tr("<h3>Devices</h3>"
                     "<p>COM1 and COM2 stand for devices of your choice (Ctrl+D): a serial device, by "
                     "its name or its stable name, or a device server on the network, one that speaks "
                     "RFC 2217 (the panel sets the speed there) or a raw TCP port (whose speed is set "
                     "on the server):</p>%1"
                     "<p>The chooser also offers the devices chosen before. To use a device for one "
                     "run, or to put the simulated projector behind COM1 as <i>Try Without a "
                     "Projector</i> does:</p>%2")
            .arg(commandLines({"/dev/ttyUSB0", "/dev/serial/by-id/NAME", "rfc2217://HOST:PORT", "tcp://HOST:PORT"}),
                 commandLines({"tavo-panel --com1 DEVICE", "tavo-panel --simulate"}));
    if (!device.isEmpty()) {
        text += HelpText::tr("<p>In use now: <b>%1</b>. COM's tool tip says so too.</p>").arg(device.toHtmlEscaped());
    }
    return text;
}

// Where the settings live, the bridge, the language.
QString settingsSections() {
    QString text = HelpText::tr("<h3>Settings</h3>"
                                "<p>The devices chosen for COM1 and COM2 are kept in:</p>%1"
                                "<p>The port and speed chosen in the port panel are not kept: each run starts on "
                                "COM1 at 19200 baud.</p>")
                       .arg(commandLines({"~/.config/tavo/tavo-panel.conf"}));
    text += HelpText::tr("<h3>Room control</h3>"
                         "<p><b>tavo-pjlink</b> makes the projector reachable from PJLink room-control "
                         "systems over the network; its manual page tells how:</p>%1")
                .arg(commandLines({"man tavo-pjlink"}));
    text += HelpText::tr("<h3>Language</h3>"
                         "<p>The panel speaks the desktop's language where it has a translation (Japanese), "
                         "else English; the captions on the panel are the same in every language. To start "
                         "it in Japanese, or in English:</p>%1")
                .arg(commandLines({"LANG=ja_JP.UTF-8 tavo-panel", "LANG=C tavo-panel"}));
    return text;
}

QString aboutSection(const QString& version) {
    QString text = HelpText::tr("<h3>About</h3><p>");
    if (!version.isEmpty()) {
        text += HelpText::tr("Version %1. ").arg(version.toHtmlEscaped());
    }
    text += HelpText::tr("Free software under the GNU General Public License, version 3 or any later "
                         "version (GPL-3.0-or-later), with no warranty.</p>");
    return text;
}

} // namespace

QString helpText(const QString& version, const QString& device) {
    QString text = panelSection() + keysSection();
    text += HelpText::tr("<p>A line the port cannot take (the port is not open, the device was lost, the "
                         "panel is still connecting) is not sent: the notice over the window's lower edge "
                         "says so, in every view, and TXD shows no line.</p>");
    text += devicesSection(device);
    text += HelpText::tr("<h3>Buttons</h3>") + buttonTable();
    return text + settingsSections() + aboutSection(version);
}

} // namespace tavo
