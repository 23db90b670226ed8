#pragma once
// The meeting point of a mix column and its level fields: a field with one
// of the sixteen level ids asks its parent which output the column feeds,
// and shows black text in the column of the output being edited, grey in
// the others.
class IMixColumnParent {
public:
    virtual ~IMixColumnParent() = default;
    // The output (0 to 11) that the column feeds.
    virtual int GetColumnOutput() const = 0;
};
