#pragma once
// The JSON preset file: a header of maker, client and data descriptions,
// then the music blocks (first 112 bytes), the output blocks and a
// selection of system bytes of the live image.
#include <QByteArray>
#include <QString>

struct cJSON;

class CJsonPresetFile {
public:
    enum { MAKER_KEYS = 9, DATA_INFO_KEYS = 19, GROUP_VALUES = 16 };

    // The header fields, in key order. data_info's boolean and three
    // numbers are kept as ints; the other fields are texts (owned copies).
    struct Header {
        QByteArray maker[MAKER_KEYS];
        QByteArray client[MAKER_KEYS];
        QByteArray dataTexts[DATA_INFO_KEYS];  // the text keys; numbers below
        int nEncryptionBool = 0;
        int nEncryptionByte = 0;
        int nGroupNum = 0;
        int nHeadData = 94;
    };

    CJsonPresetFile();

    // Builds the tree from the header and the live data and writes it to
    // path (through a temporary file). FALSE when it could not be written.
    bool Write(int, int, const QString& path);
    // Reads path and takes it over into the header and the live data. The
    // whole file is validated first; FALSE (nothing changed) when it does
    // not parse, lacks a key the writer writes, holds a value of the wrong
    // type, a byte outside 0-255, an array longer than its place or a
    // current preset above 6. A file that does not parse is reported.
    bool Read(int, int, const QString& path);

    // The two walks over the tree. ParseTree commits only when it returns 1.
    void BuildTree(cJSON* root) const;
    int ParseTree(const cJSON* root, int, int);

    Header m_Header;
    QByteArray m_strFileType;
    int m_anEffGroupName[GROUP_VALUES];
    int m_anOutLed[GROUP_VALUES];
    int m_anSystemGroupName[GROUP_VALUES];
};
