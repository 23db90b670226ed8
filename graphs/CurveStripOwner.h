#pragma once
// The page that hosts the curve-visibility strip: after a curve is shown or
// hidden, the strip asks it to show the current output again, which redraws
// the response graph with the new flags. The output page implements it;
// graphs/ never reaches the pages themselves.
class ICurveStripOwner {
public:
    virtual ~ICurveStripOwner() = default;
    virtual void RefreshChannel() = 0;
};
