#pragma once
// What the output page reads of the master-volume panel: its volume in
// steps 0 to 66 (60 is 0 dB, 0 is off). The panel lives with the input
// pages; the output page knows it only through this.
class IMasterVolumeSource {
public:
    virtual ~IMasterVolumeSource() = default;
    virtual int GetVolume() const = 0;
};
