// Replays a fuzz target's corpus without libFuzzer: every file of the
// folders (or the files) named on the command line goes through the
// target's entry point once. A broken invariant aborts, as under libFuzzer.
#include <cstdint>
#include <cstdio>

#include <QDir>
#include <QFile>
#include <QFileInfo>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv)
{
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        const QFileInfo info(QString::fromLocal8Bit(argv[i]));
        QStringList files;
        if (info.isDir()) {
            for (const QString& name : QDir(info.filePath()).entryList(QDir::Files, QDir::Name))
                files << QDir(info.filePath()).filePath(name);
        } else {
            files << info.filePath();
        }
        for (const QString& path : files) {
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
                return 1;
            }
            const QByteArray bytes = file.readAll();
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
            ++replayed;
        }
    }
    std::printf("%d inputs replayed\n", replayed);
    // A corpus that is missing or empty replays nothing: that is a failure.
    return replayed > 0 ? 0 : 1;
}
