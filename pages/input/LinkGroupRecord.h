#pragma once
// One link group as the link-group dialog finds it when it opens: which of
// output channels 1 to 8 belong to it, and a name that only BuildName
// fills (the dialog shows the group number instead).
#include <QString>

class LinkGroupRecord {
public:
    enum : int { CHANNELS = 8 };

    // No members, empty name.
    void Clear();
    // Channel i (0..7) becomes a member; any other index is ignored.
    void SetMember(int i);
    // Whether channel i belongs; false outside 0..7.
    bool GetMember(int i) const;
    // The name from the members in the language of g_bChinese:
    // "channel1 channel3 " or "通道1 通道3 ".
    void BuildName();

    int m_bMember[CHANNELS] = {};
    QString m_strName;
};
