#pragma once

// The actions of a script window's toolbar. SaveAs has no button: the main menu
// asks for it.
enum class ToolbarKey {
    New,
    Open,
    Save,
    SaveAs,
    Print,
    Delete,
    Target,
    Fight,
    Me,
    Argument1,
    Argument2,
    Argument3,
    Argument4,
};
