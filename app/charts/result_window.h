#pragma once
// What the result windows of both circuit families share: the simulation number in
// the caption, placement at load, the clipboard copy and the bookkeeping of an unload.

#include <cstdint>
#include <string>

#include "platform/form.h"

namespace platform {
class PictureBox;
}

class ResultWindow : public platform::Form {
public:
    explicit ResultWindow(std::string name);

    // Clears the clipboard and puts the picture's image on it.
    static void copyToClipboard(platform::PictureBox& picture);

protected:
    // The 0-based simulation number of this window's caption, also stored into CurrentSim.
    // A caption without a number there is a type mismatch (13), a number past 100 a subscript error.
    std::int16_t readSimNumber();

    // Places a new window by the number of result windows already open: the first at (0, 0); the
    // second below it at secondTop when secondTop >= 0; every other one at a pseudo-random left
    // between 0 and 500 twips, its top as the platform placed it.
    void placeNewWindow(int secondTop);

    // Releases result kinds 0 and 1 of the caption's simulation, counts the window out, and when it
    // was the last one disables "Close all Chart Windows" on every configuration form (found by
    // their kind, not by caption).
    void countOut();
};
