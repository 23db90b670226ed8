#pragma once
// The meeting point of a step button and the spin it steps: the button
// knows only that its buddy takes a step up (+1) or down (-1) by its own
// rules and tells its page at once.
class ISpinStepTarget {
public:
    virtual ~ISpinStepTarget() = default;
    virtual void StepBy(int delta) = 0;
};
