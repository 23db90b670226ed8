#pragma once
// Which of the seven entries of the input page's source menu (sources 0 to
// 5, 6 = off) may be chosen in each input mode.
class CInputSourceTable {
public:
    enum { SOURCES = 7, SOURCE_OFF = 6 };

    // Current source off, the three tables filled, the flags of row 0 of
    // table 0 in force.
    void Init();
    // Puts row mode of table table (0, 1 or 2) in force; a table or row
    // that does not exist leaves the flags as they are. Then 1 when the
    // current source may still be chosen, else the source becomes off and 0.
    int SelectMode(int mode, int table);

    int m_nCurrentSource;
    int m_anEnabled[SOURCES];
    int m_anTable0[6][SOURCES];
    int m_anTable1[5][SOURCES];
    int m_anTable2[4][SOURCES];
};

extern CInputSourceTable g_InputSourceTable;
