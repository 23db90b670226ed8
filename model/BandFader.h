#pragma once
// What a band or crossover filter tells the fader bound to it. The output
// page's gain faders implement it; the band never owns its fader.
class CBandFader {
public:
    virtual ~CBandFader() = default;
    // Moves the thumb to a gain index (0 to 400) after a graph drag.
    virtual void SetValue(int value) = 0;
    // Moves a frequency fader to the grid point of hz after a user change
    // of a crossover frequency.
    virtual void SetFrequency(int hz) = 0;
};
