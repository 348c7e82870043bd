// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/help_text.h"

#include "core/commands.h"
#include "core/control_catalog.h"
#include "core/panel_logic.h"
#include "core/status_decoding.h"
#include "ui/accessible_text.h"

#include <QCoreApplication>
#include <QStringList>

namespace tavo {

// The context of the help's texts.
class HelpText {
    Q_DECLARE_TR_FUNCTIONS(tavo::HelpText)
};

namespace {

QString html(std::string_view text) {
    return QString::fromUtf8(text).toHtmlEscaped();
}

// One row per button and option, in the catalog's order (top row first).
QString buttonTable() {
    QString rows;
    for (const catalog::Entry& entry : catalog::kEntries) {
        if (!catalog::isFocusable(entry.kind)) {
            continue;
        }
        rows += QStringLiteral("<tr><td>%1</td><td><b>%2</b></td><td>%3</td></tr>")
                    .arg(spokenGroupTitle(entry.control).toHtmlEscaped(), html(entry.caption),
                         accessibleDescriptionFor(entry.control, entry.caption).toHtmlEscaped());
    }
    return QStringLiteral("<table cellspacing=\"0\" cellpadding=\"2\" border=\"1\"><tr><th>%1</th><th>%2</th>"
                          "<th>%3</th></tr>")
               .arg(HelpText::tr("Group"), HelpText::tr("Button"), HelpText::tr("What it does")) +
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
        const QString name =
            (group.isEmpty() ? accessibleNameFor(entry.control, entry.caption) : group).toHtmlEscaped();
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
        items += QStringLiteral("<b>%1</b>: %2")
                     .arg(html(pane.caption),
                          accessibleDescriptionFor(Control::PaneButton, pane.caption).toLower().toHtmlEscaped());
    }
    return items.join(HelpText::tr("; "));
}

} // namespace

QString helpText(const QString& version) {
    QString text;
    text += HelpText::tr("<h3>The panel</h3>"
                         "<p>Each button sends one command line to the projector over the serial line: its code and "
                         "a carriage return (the table below lists them). The top rows choose power and input; the "
                         "ON and OFF pairs switch their function; the picture buttons set the picture; COM shows "
                         "the port panel, where the port and the line speed are chosen.</p>");
    text += HelpText::tr("<p><b>Hold buttons</b> (%1) send at once when pressed with any mouse button "
                         "and repeat while held. Activating a hold button from the keyboard sends "
                         "nothing, by design: no key can start a repeat that no release would "
                         "end.</p>")
                .arg(namesOf(isHoldButton));
    text += HelpText::tr("<p><b>Replies</b> appear in the full view: TXD shows the line sent, RXD the "
                         "reply, with control characters as tokens and \"%1\" for a reply that "
                         "did not come. The replies to %2 are decoded into the status line; every "
                         "other reply, such as P-Timer's, is shown in RXD only.</p>")
                .arg(html(kNoReplyMarker).trimmed(), namesOf([](Control control) {
                         const OneShotCommand* command = findOneShot(control);
                         return command != nullptr && isDecodedStatusRead(command->code);
                     }));

    text += HelpText::tr("<h3>Keys</h3><table cellspacing=\"0\" cellpadding=\"2\">"
                         "<tr><td><b>F1</b></td><td>this help; right-click the window for "
                         "<i>Help</i> as well. Escape closes it.</td></tr>"
                         "<tr><td><b>Ctrl+H</b></td><td>the full view: data pane, status reads "
                         "and status line.</td></tr>"
                         "<tr><td><b>Pane button</b></td><td>beside the data pane, shown after "
                         "Ctrl+H. Its caption names what the next click does: %1.</td></tr>"
                         "<tr><td><b>Ctrl+D</b></td><td>the device chooser, which sets the "
                         "devices COM1 and COM2 stand for; also <i>Choose Device…</i> in the "
                         "context menu of the COM button.</td></tr>"
                         "<tr><td><b>Menu</b>, <b>Shift+F10</b></td><td>the context menu at the "
                         "button that has the focus: the device chooser, this help and the views.</td></tr>"
                         "<tr><td><b>Tab</b>, <b>Space</b></td><td>move between the buttons in view and "
                         "activate one-shot buttons; buttons below the window's lower edge are passed "
                         "by.</td></tr></table>")
                .arg(paneCaptions());

    text += HelpText::tr("<p>A line the port cannot take (the port is not open, the device was lost, the "
                         "panel is still connecting) is not sent: the notice over the window's lower edge "
                         "says so, in every view, and TXD shows no line.</p>");

    text += HelpText::tr("<h3>Devices</h3>"
                         "<p>COM1 and COM2 stand for devices of your choice (Ctrl+D): a serial device such "
                         "as <tt>/dev/ttyUSB0</tt> or its stable name under <tt>/dev/serial/by-id/</tt>, "
                         "or a device server on the network: <tt>rfc2217://HOST:PORT</tt> for one that "
                         "speaks RFC 2217 (the panel sets the speed there), <tt>tcp://HOST:PORT</tt> for a "
                         "raw TCP port, whose speed is set on the server. The chooser also offers the "
                         "devices chosen before. <tt>tavo-panel --com1 DEVICE</tt> uses a device for one "
                         "run; <tt>tavo-panel --simulate</tt> puts the simulated projector behind COM1, "
                         "as <i>Try Without a Projector</i> does.</p>");

    text += HelpText::tr("<h3>Buttons</h3>") + buttonTable();

    text += HelpText::tr("<h3>Settings</h3>"
                         "<p>The devices chosen for COM1 and COM2 are kept in "
                         "<tt>~/.config/tavo/tavo-panel.conf</tt>. The port and speed chosen in "
                         "the port panel are not kept: each run starts on COM1 at 19200 "
                         "baud.</p>");

    text += HelpText::tr("<h3>Room control</h3>"
                         "<p><b>tavo-pjlink</b> makes the projector reachable from PJLink room-control "
                         "systems over the network; see <tt>man tavo-pjlink</tt>.</p>");

    text += HelpText::tr("<h3>Language</h3>"
                         "<p>The panel speaks the desktop's language where it has a translation (Japanese), "
                         "else English; the captions on the panel are the same in every language. To choose "
                         "one, start it as <tt>LANG=ja_JP.UTF-8 tavo-panel</tt> for Japanese or "
                         "<tt>LANG=C tavo-panel</tt> for English.</p>");

    text += HelpText::tr("<h3>About</h3><p>");
    if (!version.isEmpty()) {
        text += HelpText::tr("Version %1. ").arg(version.toHtmlEscaped());
    }
    text += HelpText::tr("Free software under the GNU General Public License, version 3 or any later "
                         "version (GPL-3.0-or-later), with no warranty.</p>");
    return text;
}

} // namespace tavo
