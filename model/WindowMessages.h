#pragma once
// Program-defined window messages between windows and between threads.
// wParam is usually a channel or control id, lParam a value. One name, one
// id; later pages add theirs here.
#include "platform/core/Types.h"

enum : UINT {
    // To a skinned region button of a radio group: another button of the
    // group became checked, so this one unchecks (0, 0).
    WM_SKINBTN_UNCHECK = 0x410,
    // Response graph to its owner: wParam the changed item, lParam the
    // channel code; and the graph lost the keyboard focus (0, 0).
    WM_GRAPH_CHANGED = 0x464,
    WM_GRAPH_KILLFOCUS = 0x465,
    // Response graph to its owner: band wParam wants the keyboard focus.
    WM_GRAPH_FOCUS_BAND = 0x466,
    WM_PRESET_RECEIVED = 0x46E,
    WM_ALL_PRESETS_RECEIVED = 0x46F,
    WM_SPEAKER_TYPES_RECEIVED = 0x470,
    WM_DEVICE_STATUS = 0x471,
    WM_EFFECT_RECEIVED = 0x477,
    // Nothing sends it; the view takes it and does nothing.
    WM_IDLE_478 = 0x478,
    WM_TRANSFER_DONE = 0x496,
    WM_UPDATE_SUCCEEDED = 0x497,
    WM_LINK_FAILED = 0x49A,
    WM_AUTO_CONNECT = 0x49C,
    WM_STOP_NET_POLL = 0x49D,
    WM_UPDATE_FAILED = 0x49E,
    WM_FIRMWARE_REQUIRED = 0x4A0,
    WM_DEVICE_VERSION = 0x4A1,
    WM_PRESET_NAME_CHANGED = 0x4A2,
    WM_UPDATE_LINK_RESULT = 0x4C8,
    // To a bitmap fader: take the focus and show the focused look.
    WM_SLIDER_TAKE_FOCUS = 0x4C9,
    // Output strip to its owner (wParam the output, lParam the value): on
    // (1) or muted, select, level steps, polarity, delay steps as shown,
    // the on flag of input source 1..16, a speaker-position code. Copy and
    // paste go to the strip itself (0, 0).
    WM_STRIP_MUTE = 0x4CA,
    WM_STRIP_SELECT = 0x4CB,
    WM_STRIP_COPY = 0x4CC,
    WM_STRIP_PASTE = 0x4CD,
    WM_STRIP_LEVEL = 0x4CE,
    WM_STRIP_POLARITY = 0x4CF,
    WM_STRIP_DELAY = 0x4D0,
    WM_STRIP_SOURCE1 = 0x4D1,
    WM_STRIP_SOURCE16 = 0x4E0,
    WM_STRIP_SPEAKER_TYPE = 0x4E1,
    // Link-group button of an output strip to the strip: wParam 513 single
    // click, 515 double click, 516 right press.
    WM_LINK_BUTTON_CLICK = 0x4DC,
    WM_MIX_APPLY_SPEAKER_DEFAULTS = 0x4E2,
    // The view: a long operation ended (lParam success). The skinned region
    // button posts the same number to its parent as its repeat tick.
    WM_OPERATION_DONE = 0x52C,
    WM_SELECT_UI_MODE2 = 0x52D,
    // Link-group dialog to the output page: copy output wParam to its group.
    WM_LINK_GROUP_COPY = 0x52E,
    WM_PRESET_GRID_SAVE = 0x590,
    WM_PRESET_GRID_LOAD = 0x591,
    // The input-mode bar to the input page: kind lParam chosen (wParam 0).
    // Same number as WM_PRESET_GRID_LOAD, which only the preset dialog
    // posts to itself: the receivers never meet, so both names stay.
    WM_INPUT_KIND_SELECT = 0x591,
    WM_PRESET_GRID_DELETE = 0x592,
    WM_NET_REACHABLE = 0x5F4,
    WM_APPLY_LOCK_STATE = 0x5F5,
    // Between the input page and the level-and-delay page: the input kind
    // lParam was chosen (wParam not read); and the sender's lock byte
    // (wParam) and input kind before its change (lParam).
    WM_INPUT_KIND_CHANGED = 0x658,
    WM_INPUT_KIND_SYNC = 0x659,
    WM_CONTROL_HOVER = 0x65A,
    // A page to itself: move the focus from control wParam to the field
    // before (lParam VK_LEFT) or after (VK_RIGHT) it, or to the next field
    // of its band.
    WM_FOCUS_NEIGHBOUR = 0x6BC,
    WM_FOCUS_NEXT_IN_BAND = 0x6BD,
    WM_COMBOBTN_SELCHANGE = 0x722,
    // A numeric spin in delay step mode to its parent, after its WM_COMMAND
    // for a key or step-button step: wParam the spin's id, lParam the step.
    WM_SPIN_DELAY_STEP = 0x84C,
    // A bitmap fader to its parent, wParam the fader's id, lParam its raw
    // position: moving (focus gained, or at most every 50 ms during a
    // press) and moved (released, a key, the wheel).
    WM_SLIDER_MOVING = 0x28D1,
    WM_SLIDER_MOVED = 0x28D2,
    WM_MASTER_VOLUME_CHANGED = 0x2358,
    // A drop list of a panel to its parent: wParam the list, lParam the
    // item picked (the delay unit 1..3 on the delay panels).
    WM_DROPLIST_SELECTED = 0x2359,
    WM_MIXER_TOGGLED = 0x235A,
    // A mix column to its page: the source row 1..16 to highlight (0
    // none); a press selected the column's output (wParam the output); a
    // level changed (wParam the column's MixCellRef, lParam the level).
    // The page relays the last two to the view as WM_MIX_SELECT_OUTPUT and
    // WM_MIX_LEVEL_NOTIFY, parameters untouched.
    WM_MIX_ROW_HIGHLIGHT = 0x235C,
    WM_MIX_COLUMN_SELECT = 0x235D,
    WM_MIX_LEVEL_CHANGED = 0x235E,
    WM_MIX_LEVEL_NOTIFY = 0x235F,
    WM_MIX_SELECT_OUTPUT = 0x2360,
    // The view to itself: all-presets saves were dropped with their link;
    // their message comes after the link's own box.
    WM_ALL_PRESETS_SAVES_DROPPED = 0x7F20,
};
