// SPDX-License-Identifier: GPL-3.0-or-later
// Built only by the layer tests, with tavo-ctl's usage requirements: a header of its own layer
// must be found, a header of the window must not.
#ifdef TAVO_PROBE_UI_HEADER
#include "ui/control_table.h"
#else
#include "ctl/command_names.h"
#endif

int tavoLayerProbe();

int tavoLayerProbe() {
    return 0;
}
