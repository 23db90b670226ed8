#pragma once
// A parent window that records the messages its controls send and post.
#include <QWidget>

#include "tests/common/RecordingTarget.h"

class CRecordingWidget : public QWidget, public CRecordingTarget {
public:
    CRecordingWidget() { resize(400, 300); }
};
